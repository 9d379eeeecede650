#include "viewer/core/filelocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const char NautilusProgram[] = "/usr/bin/nautilus";
const char ProgramDesktopEntry[] = "example.norvane.Lintra.desktop";

QStringList KnownFileManagers()
{
    return {QStringLiteral("nautilus"), QStringLiteral("dolphin"),  QStringLiteral("nemo"),
            QStringLiteral("caja"),     QStringLiteral("thunar"),   QStringLiteral("pcmanfm-qt"),
            QStringLiteral("pcmanfm"),  QStringLiteral("konqueror")};
}

namespace {

QString LinuxFolderOpener(const CFolderHandlers &handlers)
{
    if (handlers.NautilusInstalled)
        return QString::fromLatin1(NautilusProgram);
    const QString entry = handlers.DefaultFolderEntry.trimmed();
    if (!entry.isEmpty() && entry != QLatin1String(ProgramDesktopEntry))
        return QStringLiteral("xdg-open");
    return handlers.InstalledFileManager;
}

} // namespace

QString ClipboardFilePath(const QString &shownPath, TEnumPlatform platform)
{
    QString path = shownPath;
    if (platform == Windows)
        path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path;
}

CFolderOpenCommand FolderOpenCommand(const QString &shownPath, TEnumPlatform platform,
                                     const QString &windowsDirectory, const CFolderHandlers &handlers)
{
    CFolderOpenCommand command;
    QString folder = QFileInfo(shownPath).absolutePath();
    switch (platform) {
    case Windows:
        folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
        command.Program = windowsDirectory + QStringLiteral("\\explorer.exe");
        break;
    case Linux:
        command.Program = LinuxFolderOpener(handlers);
        break;
    }
    if (!command.Program.isEmpty())
        command.Arguments << folder;
    return command;
}

QString FileManagerItemUri(const QString &shownPath)
{
    return FileManagerItemUri(QFile::encodeName(QFileInfo(shownPath).absoluteFilePath()));
}

QString FileManagerItemUri(const QByteArray &onDisk)
{
    const QByteArray absolute =
        onDisk.startsWith('/') ? onDisk : QFile::encodeName(QDir::currentPath()) + '/' + onDisk;
    return QStringLiteral("file://") + QString::fromLatin1(absolute.toPercentEncoding("/"));
}
