#ifndef LINTRA_FOUNDFILE_H
#define LINTRA_FOUNDFILE_H

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QVector>

#include <limits>

// A matching file as a search reports it: its path as the file system
// spells it (names need not be valid in any encoding), and the size and
// modification time read when it was examined, so that nobody asks the file
// system for them again.
struct CFoundFile
{
    static constexpr qint64 UnknownTime = std::numeric_limits<qint64>::min();

    QByteArray Path;
    qint64 Size = -1;              // bytes; -1 when unknown
    qint64 Modified = UnknownTime; // ms since the epoch
};
Q_DECLARE_TYPEINFO(CFoundFile, Q_MOVABLE_TYPE);
using CFoundFiles = QVector<CFoundFile>;

// A file or folder a search could not read, and why: an errno value, or
// NotRegularFile for a candidate that turned out to be a FIFO, socket or
// device when it was opened.
struct CUnreadEntry
{
    static constexpr int NotRegularFile = -1;

    QByteArray Path;
    bool Folder = false;
    int Error = 0;
};
using CUnreadEntries = QVector<CUnreadEntry>;

// How a search ended: the numbers of its summary, and the error that made it
// stop early (out of descriptors, memory or threads), 0 when it did not.
// RootError: the folder to search could not be opened as one (errno), so
// nothing was searched.
struct CSearchOutcome
{
    int Found = 0;
    int Total = 0;
    int Processed = 0;
    int ResourceError = 0;
    int RootError = 0;
};

// A path's bytes as text: names in the local encoding, and U+FFFD where a
// byte does not decode.
QString PathText(const QByteArray &path);
// The path as text for the clipboard: as it is where its text spells the same
// bytes; otherwise quoted for a POSIX shell as $'...' with every byte that
// does not decode written as \xHH, so that pasting it reaches the file.
QString PastablePath(const QByteArray &path);
// The path joined from a folder's and a name's bytes.
QByteArray JoinedPath(const QByteArray &folder, const QByteArray &name);

Q_DECLARE_METATYPE(CFoundFiles)
Q_DECLARE_METATYPE(CUnreadEntries)
Q_DECLARE_METATYPE(CSearchOutcome)

#endif
