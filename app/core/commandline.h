#ifndef LINTRA_COMMANDLINE_H
#define LINTRA_COMMANDLINE_H

#include <QString>
#include <QStringList>

// The directory to search that the program was started with, as in
// "lintra ~/notes" or a file manager's "Open With" (which may pass a file:
// URL): the first argument after the program's name that is not an option
// ("-..."; after "--" every argument counts). A relative path is taken from
// the working directory; the result is absolute and cleaned, with forward
// slashes. Empty when no directory was given. Whether it exists is left to
// the search, which reports an unreadable directory as for a typed one.
QString StartDirectoryFromArguments(const QStringList &arguments, const QString &workingDirectory);

#endif
