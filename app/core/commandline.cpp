#include "app/core/commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace {

// Qt's own options, which QApplication takes out of the arguments later.
// Those of the first list take the next argument as their value (or
// "-option=value").
const char *const QtOptionsWithValue[] = {"platform",        "platformpluginpath",
                                          "platformtheme",   "plugin",
                                          "qwindowgeometry", "geometry",
                                          "qwindowtitle",    "title",
                                          "qwindowicon",     "icon",
                                          "display",         "name",
                                          "style",           "stylesheet",
                                          "session",         "qmljsdebugger"};
const char *const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

// The option's name without its dashes and without "=value".
QString OptionName(const QString &argument)
{
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.left(name.indexOf(QLatin1Char('=')));
}

bool IsIn(const QString &name, const char *const *first, const char *const *last)
{
    for (; first != last; ++first) {
        if (name == QLatin1String(*first))
            return true;
    }
    return false;
}

// Whether the argument is a Qt option followed by a separate value.
bool TakesNextArgument(const QString &argument)
{
    return !argument.contains(QLatin1Char('=')) &&
           IsIn(OptionName(argument), std::begin(QtOptionsWithValue), std::end(QtOptionsWithValue));
}

bool IsQtOption(const QString &argument)
{
    const QString name = OptionName(argument);
    return IsIn(name, std::begin(QtOptionsWithValue), std::end(QtOptionsWithValue)) ||
           IsIn(name, std::begin(QtFlags), std::end(QtFlags));
}

// The arguments that are no options, in order.
QStringList Operands(const QStringList &arguments)
{
    QStringList operands;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            if (!argument.isEmpty())
                operands << argument;
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (TakesNextArgument(argument)) {
            ++i;
        }
    }
    return operands;
}

QString Translated(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

} // namespace

CCommandLine ParseCommandLine(const QStringList &arguments)
{
    CCommandLine result;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')))
            continue;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            result.Action = ShowHelpAction;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            result.Action = ShowVersionAction;
        } else if (IsQtOption(argument)) {
            i += TakesNextArgument(argument) ? 1 : 0;
            continue;
        } else {
            result.Action = RejectOptionAction;
            result.RejectedOption = argument;
        }
        return result;
    }
    return result;
}

QString CommandLineHelp(const QString &programName)
{
    return Translated(
               QT_TRANSLATE_NOOP(
                   "CommandLine",
                   "Usage: %1 [OPTION]... [DIRECTORY]\n"
                   "Finds the files under DIRECTORY whose names or plain-text contents contain all of\n"
                   "the given keywords, and shows them with the keywords coloured.\n"
                   "\n"
                   "DIRECTORY (a path, or a file: URL) is put into the directory box. When Lintra\n"
                   "already runs for this user, its window is shown with DIRECTORY in that box.\n"
                   "\n"
                   "  -h, --help     print this help and exit\n"
                   "  -v, --version  print the version and exit\n"
                   "Qt's options (-platform NAME, -style NAME, ...) are accepted as well.\n"
                   "\n"
                   "Settings: $XDG_CONFIG_HOME/Norvane/Lintra.conf (~/.config when unset).\n"))
        .arg(programName);
}

QString CommandLineShortUsage(const QString &programName, const QString &rejectedOption)
{
    return Translated(
               QT_TRANSLATE_NOOP("CommandLine",
                                 "%1: unknown option '%2'\nUsage: %1 [--help] [--version] [DIRECTORY]\n"))
        .arg(programName, rejectedOption);
}

QString NoGraphicalSessionText(const QString &programName)
{
    return Translated(QT_TRANSLATE_NOOP(
                          "CommandLine",
                          "%1: no graphical session found (neither DISPLAY nor WAYLAND_DISPLAY can be "
                          "reached).\nLintra is a desktop program and needs one; '%1 --help' lists its "
                          "options.\n"))
        .arg(programName);
}

QString StartDirectoryFromArguments(const QStringList &arguments, const QString &workingDirectory)
{
    const QStringList operands = Operands(arguments);
    QString path = operands.isEmpty() ? QString() : operands.first();
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
