#ifndef LINTRA_FILELOCATION_H
#define LINTRA_FILELOCATION_H

#include <QString>
#include <QStringList>

#include "app/core/platform.h"

// What the results table's actions hand to the system for a path as the
// table shows it: the text for the clipboard, and the command that opens
// the folder holding the file in the platform's file manager.

// Backslashes on Windows; elsewhere the path as shown.
QString ClipboardFilePath(const QString &shownPath, TEnumPlatform platform);

struct CFolderOpenCommand
{
    QString Program; // empty: nothing to start
    QStringList Arguments;
};

// On Windows the explorer of the Windows directory; on Linux nautilus where
// it is installed, else xdg-open. The folder is always one argument.
CFolderOpenCommand FolderOpenCommand(const QString &shownPath, TEnumPlatform platform,
                                     const QString &windowsDirectory, bool nautilusInstalled);

extern const char NautilusProgram[];

// The file's address for a file manager: a file: URI holding the bytes of
// the file's name on disk, every byte other than ASCII letters, digits,
// "-._~" and the separator "/" percent-encoded, so that blanks, '#', '%',
// '?', newlines and non-ASCII letters come back as the same file.
QString FileManagerItemUri(const QString &shownPath);

#endif
