#ifndef LINTRA_REGULARFILE_H
#define LINTRA_REGULARFILE_H

#include <QString>

class QFile;

// How opening a result file for reading went.
enum TEnumFileOpening
{
    FileOpened,
    FileMissing,    // no such file (any more): deleted or moved
    FileNotRegular, // a FIFO, socket, device or directory: never read
    FileUnreadable  // any other failure, such as no permission
};

// Opens a file for reading only if it is a regular file, without waiting:
// the open is non-blocking (a FIFO without a writer would block it for
// good), and the type is checked on the opened descriptor, so that a file
// swapped for a FIFO between a check and the open is still caught. On
// success `file` is open, unbuffered, and owns the descriptor.
TEnumFileOpening OpenRegularFile(const QString &path, QFile &file);
// The same for a path as the file system spells it, which need not be
// valid in any encoding.
TEnumFileOpening OpenRegularFile(const QByteArray &nativePath, QFile &file);

#endif
