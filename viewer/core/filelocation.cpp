#include "viewer/core/filelocation.h"

#include <QFile>
#include <QFileInfo>

const char NautilusProgram[] = "/usr/bin/nautilus";

QString ClipboardFilePath(const QString &shownPath, TEnumPlatform platform)
{
    QString path = shownPath;
    if (platform == Windows)
        path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path;
}

CFolderOpenCommand FolderOpenCommand(const QString &shownPath, TEnumPlatform platform,
                                     const QString &windowsDirectory, bool nautilusInstalled)
{
    CFolderOpenCommand command;
    QString folder = QFileInfo(shownPath).absolutePath();
    switch (platform) {
    case Windows:
        folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
        command.Program = windowsDirectory + QStringLiteral("\\explorer.exe");
        break;
    case Linux:
        command.Program =
            nautilusInstalled ? QString::fromLatin1(NautilusProgram) : QStringLiteral("xdg-open");
        break;
    }
    if (!command.Program.isEmpty())
        command.Arguments << folder;
    return command;
}

QString FileManagerItemUri(const QString &shownPath)
{
    const QByteArray onDisk = QFile::encodeName(QFileInfo(shownPath).absoluteFilePath());
    return QStringLiteral("file://") + QString::fromLatin1(onDisk.toPercentEncoding("/"));
}
