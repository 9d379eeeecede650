// Opening a file's folder on Windows: the explorer of the Windows directory.

#include "viewer/folderopener.h"

#include <QProcess>

#include "viewer/core/filelocation.h"

void OpenFolderOfFile(QProcess &process, const QString &shownPath, const QByteArray &, QObject *,
                      const std::function<void()> &noFileManager)
{
    const CFolderOpenCommand command =
        FolderOpenCommand(shownPath, Windows, QString::fromLocal8Bit(qgetenv("WINDIR")), CFolderHandlers());
    if (command.Program.isEmpty())
        noFileManager();
    else
        process.start(command.Program, command.Arguments, QIODevice::ReadWrite);
}
