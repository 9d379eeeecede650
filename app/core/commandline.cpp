#include "app/core/commandline.h"

#include <QDir>
#include <QUrl>

namespace {

QString FirstOperand(const QStringList &arguments)
{
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')))
            continue;
        if (!argument.isEmpty())
            return argument;
    }
    return QString();
}

} // namespace

QString StartDirectoryFromArguments(const QStringList &arguments, const QString &workingDirectory)
{
    QString path = FirstOperand(arguments);
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(path);
        // A URL of another host or a malformed one is no local directory.
        const bool thisHost = url.host().isEmpty() || url.host() == QLatin1String("localhost");
        if (!url.isValid() || !url.isLocalFile() || !thisHost)
            return QString();
        path = url.toLocalFile();
    }
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(path));
}
