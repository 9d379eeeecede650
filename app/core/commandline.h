#ifndef LINTRA_COMMANDLINE_H
#define LINTRA_COMMANDLINE_H

#include <QString>
#include <QStringList>

// What the command line asks for, decided before any window system is
// touched, so that --help and --version answer without a display.
enum TEnumCommandLineAction
{
    RunProgramAction,
    ShowHelpAction,
    ShowVersionAction,
    RejectOptionAction
};

struct CCommandLine
{
    TEnumCommandLineAction Action = RunProgramAction;
    QString RejectedOption; // for RejectOptionAction: the option as given
};

// Reads the program's own options (-h/--help, -v/--version) and lets Qt's
// (-platform NAME, -style NAME, -session ID, ...) pass, with their values.
// Any other argument that begins with "-" before "--" is rejected; the
// first one decides. The first element is the program's name.
CCommandLine ParseCommandLine(const QStringList &arguments);

// The texts printed for --help, for a rejected option and without a
// graphical session (translated in the context "CommandLine").
QString CommandLineHelp(const QString &programName);
QString CommandLineShortUsage(const QString &programName, const QString &rejectedOption);
QString NoGraphicalSessionText(const QString &programName);

// The directory to search that the program was started with, as in
// "lintra ~/notes" or a file manager's "Open With" (which may pass a file:
// URL): the first argument after the program's name that is neither an
// option nor the value of one of Qt's options (after "--" every argument
// counts). A relative path is taken from the working directory; the result
// is absolute and cleaned, with forward slashes. Empty when no directory
// was given. Whether it exists is left to the search, which reports an
// unreadable directory as for a typed one.
QString StartDirectoryFromArguments(const QStringList &arguments, const QString &workingDirectory);

#endif
