// Opening a file's folder on Linux desktops: the file manager on the session
// bus shows the file itself; where none answers, or it refuses, a command
// opens the folder (viewer/core/filelocation decides which).

#include "viewer/folderopener.h"

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "viewer/core/filelocation.h"
#include "viewer/desktopfilemanager.h"

namespace {

// xdg-mime's answer; it reads the same associations as xdg-open.
QString DefaultFolderEntry()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("inode/directory")});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

QString InstalledFileManager()
{
    for (const QString &program : KnownFileManagers()) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

CFolderHandlers FolderHandlersOnThisMachine()
{
    CFolderHandlers handlers;
    handlers.NautilusInstalled = QFile::exists(QString::fromLatin1(NautilusProgram));
    if (!handlers.NautilusInstalled) {
        handlers.DefaultFolderEntry = DefaultFolderEntry();
        handlers.InstalledFileManager = InstalledFileManager();
    }
    return handlers;
}

// Started and forgotten: the file manager reports its own failures.
void StartFolderOpenCommand(QProcess &process, const QString &path,
                            const std::function<void()> &noFileManager)
{
    const CFolderOpenCommand command =
        FolderOpenCommand(path, Linux, QString(), FolderHandlersOnThisMachine());
    if (command.Program.isEmpty())
        noFileManager();
    else
        process.start(command.Program, command.Arguments, QIODevice::ReadWrite);
}

} // namespace

void OpenFolderOfFile(QProcess &process, const QString &shownPath, const QByteArray &onDisk, QObject *context,
                      const std::function<void()> &noFileManager)
{
    QProcess *started = &process;
    const auto openFolder = [started, shownPath, noFileManager] {
        StartFolderOpenCommand(*started, shownPath, noFileManager);
    };
    if (!ShowFileInDesktopFileManager(QDBusConnection::sessionBus(), onDisk, context, openFolder))
        openFolder();
}
