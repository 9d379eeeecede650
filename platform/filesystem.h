#ifndef LINTRA_FILESYSTEM_H
#define LINTRA_FILESYSTEM_H

#include <QByteArray>
#include <QHash>
#include <QtGlobal>

// The calls of the file system that the walk, the scans and the viewer make,
// in one place (POSIX, Linux). Descriptors are plain ints, -1 for none; a
// failed call returns -1 or false and leaves errno set, and none is cut short
// by a signal (EINTR is retried here).

// The folder that relative names are resolved in when no folder is open.
enum
{
    WorkingFolder = -100
};

// What a file is, as far as the program cares.
enum TEnumFileType
{
    FileTypeUnknown, // the folder's listing did not say
    FileTypeRegular,
    FileTypeFolder,
    FileTypeLink,
    FileTypeOther // device, FIFO, socket
};

// What a file is, not where: the same folder reached by two paths (a link, a
// bind mount) has one identity.
struct CFileIdentity
{
    quint64 Device = 0;
    quint64 Inode = 0;
    bool operator==(const CFileIdentity &other) const
    {
        return Device == other.Device && Inode == other.Inode;
    }
};
inline uint qHash(const CFileIdentity &identity, uint seed = 0)
{
    return ::qHash(identity.Inode ^ (identity.Device << 40) ^ (identity.Device >> 24), seed);
}

struct CFileStatus
{
    TEnumFileType Type = FileTypeUnknown;
    qint64 Size = -1;
    qint64 ModifiedMs = 0; // since the epoch
    // The same to the nanosecond, and when the entry itself last changed
    // (its name, links, rights or contents): for a folder, an entry added,
    // removed or renamed in it changes both.
    qint64 ModifiedNs = 0;
    qint64 ChangedNs = 0;
    CFileIdentity Identity;
};

// Opens a folder for listing and for opening what is in it, without waiting
// for a device; a link as the last name is followed only if followLink.
int OpenFolderAt(int folder, const char *name, bool followLink);
// Opens a file for reading without waiting for a writer (a FIFO); a link as
// the last name is followed only if followLink.
int OpenFileAt(int folder, const char *name, bool followLink);
// As OpenFileAt from the working folder, for a path of any length: one longer
// than the system takes at once is opened folder by folder.
int OpenFileByPath(const QByteArray &path);
void CloseDescriptor(int descriptor);
// Whether an open failed for want of descriptors or memory, which others may give back.
bool IsOutOfResources(int error);
// Descriptors the process may still open, as far as the system tells.
int DescriptorsLeft();

bool StatusOf(int descriptor, CFileStatus &status);
bool StatusAt(int folder, const char *name, bool followLink, CFileStatus &status);
// Whether a path of any length names something.
bool PathExists(const QByteArray &path);
// Whether the open file lives on a file system of the kernel's own making
// (proc, sysfs, cgroup, debugfs, ...), whose files are no one's documents.
bool IsOnPseudoFileSystem(int descriptor);
// Whether the open file lives on a local file system that stamps changes
// finer than a second (ext4, XFS, Btrfs, tmpfs, ...), so that a folder's
// change time tells whether its entries changed.
bool HasFineGrainedTimes(int descriptor);
// The system's wall clock, as the file systems stamp their changes, in
// nanoseconds since the epoch.
qint64 WallClockNs();

// Reads up to size bytes at the current position; 0 at the end.
qint64 ReadSome(int descriptor, char *data, qint64 size);
// The same, but only what the page cache holds: -1 with EAGAIN when the
// disk would have to be asked first.
qint64 ReadCachedOnly(int descriptor, char *data, qint64 size);
// Reads at an offset, leaving the position alone.
qint64 ReadAt(int descriptor, qint64 offset, char *data, qint64 size);
bool SeekToStart(int descriptor);

// The entries of an open folder, read in large pieces straight from the
// kernel, from the start. Next gives one entry at a time ("." and ".."
// included) until the end or an error.
class CFolderEntries
{
public:
    explicit CFolderEntries(int folder);
    bool Next(const char *&name, TEnumFileType &type);
    int Error() const { return ReadError; }

private:
    bool Refill();

    int Folder;
    int ReadError = 0;
    bool Ended = false;
    long Filled = 0;
    long Offset = 0;
    alignas(8) char Buffer[32768];
};

#endif
