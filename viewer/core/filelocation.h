#ifndef LINTRA_FILELOCATION_H
#define LINTRA_FILELOCATION_H

#include <QString>
#include <QStringList>

#include "platform/runningplatform.h"

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

// What a Linux desktop offers to open a folder with, as found on the machine.
struct CFolderHandlers
{
    bool NautilusInstalled = false;
    // The desktop entry that xdg-open starts for folders; empty for none.
    QString DefaultFolderEntry;
    // The first of KnownFileManagers that is installed; empty for none.
    QString InstalledFileManager;
};

// On Windows the explorer of the Windows directory. On Linux nautilus where
// it is installed, else xdg-open where the desktop's folder handler is
// another program than this one (xdg-open would start Lintra again, which
// only hands the folder back), else a file manager found installed; else
// nothing (an empty program). The folder is always one argument.
CFolderOpenCommand FolderOpenCommand(const QString &shownPath, TEnumPlatform platform,
                                     const QString &windowsDirectory, const CFolderHandlers &handlers);

extern const char NautilusProgram[];
// The program's own desktop entry, as xdg-mime names it.
extern const char ProgramDesktopEntry[];
// File managers that open a folder given as their one argument, in the
// order they are tried.
QStringList KnownFileManagers();

// The file's address for a file manager: a file: URI holding the bytes of
// the file's name on disk, every byte other than ASCII letters, digits,
// "-._~" and the separator "/" percent-encoded, so that blanks, '#', '%',
// '?', newlines and non-ASCII letters come back as the same file.
QString FileManagerItemUri(const QString &shownPath);
// The same for an absolute path as the file system spells it, which need be
// no text in any encoding.
QString FileManagerItemUri(const QByteArray &onDisk);

#endif
