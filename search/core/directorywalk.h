#ifndef LINTRA_DIRECTORYWALK_H
#define LINTRA_DIRECTORYWALK_H

#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

#include "platform/filesystem.h"

#include "search/core/filenamefilter.h"
#include "search/core/folderlistingcache.h"
#include "search/core/scanreport.h"
#include "search/core/searchwhat.h"
#include "search/core/walkentryfilter.h"

// The name filters of a search's candidate files: every file for a filename
// search, the plain-text patterns for a full-text search, none otherwise.
QStringList CandidateNameFilters(TEnumSearchWhat what, const QStringList &plainTextFilters);

// An open directory, closed when the last holder lets go. Files and
// sub-directories are opened relative to it, so the length of a path never
// matters and a directory is looked up once.
class CDirectoryHandle
{
public:
    explicit CDirectoryHandle(int descriptor);
    ~CDirectoryHandle();
    CDirectoryHandle(const CDirectoryHandle &) = delete;
    CDirectoryHandle &operator=(const CDirectoryHandle &) = delete;

    int Descriptor() const { return Fd; }

private:
    int Fd;
};
using CDirectoryRef = std::shared_ptr<const CDirectoryHandle>;

// A candidate file as the listing found it: its name's bytes and text (null
// where the name is ASCII or was not decoded), and, where the listing had to
// ask the file system what it is, its size and time.
struct CListedFile
{
    QByteArray Name;
    QString Text;
    qint64 Size = -1;
    qint64 Modified = CFoundFile::UnknownTime;
};
Q_DECLARE_TYPEINFO(CListedFile, Q_MOVABLE_TYPE);

// What one read of a directory yields for a walk, each list in listing order
// (by name, ignoring case, as QDir sorts by default).
struct CDirectoryListing
{
    // Plain files whose whole name matches a filter case-insensitively;
    // hidden files and links to files are never candidates.
    QStringList CandidateFiles;
    // Sub-directories, links to directories included, hidden ones and "." and ".." not.
    QStringList SubDirectories;
    QSet<QString> LinkedSubDirectories; // those of them that are links
};

// The same as bytes, with the error that cut the listing short (0 if none).
struct CDirectoryEntries
{
    QVector<CListedFile> CandidateFiles;
    QVector<QByteArray> SubDirectories;
    QSet<QByteArray> LinkedSubDirectories;
    int Error = 0;
};

// filesSorted false leaves the candidate files in the directory's own order
// and, where the filter takes every name, their texts undecoded: for a
// caller that sorts them with SortLikeQDir on another thread.
// entries says whether hidden entries are listed and which folders are not.
// A listing, if given, gets the folder's entries as CFolderListingCache keeps them.
CDirectoryEntries ListDirectoryAt(int descriptor, const CFileNameFilter &nameFilter, bool filesSorted = true,
                                  const CWalkEntryFilter &entries = CWalkEntryFilter(),
                                  QByteArray *listing = nullptr);
// The same from a listing kept before; descriptor is the folder, for the
// entries whose type must be asked.
CDirectoryEntries ListKeptDirectoryAt(int descriptor, const QByteArray &listing,
                                      const CFileNameFilter &nameFilter, bool filesSorted,
                                      const CWalkEntryFilter &entries);
// Puts files in listing order (by name, ignoring case, as QDir sorts by
// default), decoding the texts of those that have none yet, unless every
// name is ASCII: then the texts stay null, the names say it all.
void SortLikeQDir(QVector<CListedFile> &files);
// The file's name as text.
QString ListedFileText(const CListedFile &file);
CDirectoryListing ListDirectory(const QDir &dir, const CFileNameFilter &nameFilter);

// The two halves of ListDirectory, for callers that need only one.
QStringList CandidateFileNames(const QDir &dir, const QStringList &nameFilters);
QStringList SubDirectoryNames(const QDir &dir);

// Calls open (which returns a descriptor, or -1 with errno set) again while
// the process is out of descriptors or memory: other threads of the search
// give theirs back. Gives up after about two seconds, or at once when
// report says stop; -1 with errno set.
int OpenPatiently(CScanReport &report, const std::function<int()> &open);

// One directory of the walk that has candidate files.
struct CWalkStep
{
    QByteArray Path; // absolute
    CDirectoryRef Directory;
    QVector<CListedFile> Candidates;
};

// Walks a tree depth first, pre-order, one directory with candidate files at
// a time, as its caller asks for them: a directory is listed only when the
// walk gets to it, and opened relative to its parent. It enters no directory
// twice (known by device and inode, not by path), so a link back to an
// ancestor ends the descent there, and a bind mount is searched once; nor one
// of the kernel's pseudo file systems (proc, sysfs, ...) unless the root is
// on one. report.Cancelled() is asked before each directory is
// listed; once it says stop, the walk is over. Folders it cannot open or
// list are reported as unreadable; when it runs out of descriptors it stops
// and says so (OutOfResourcesError). What a match is, progress and counting
// are the caller's business. maxOpenLevels bounds the descriptors the walk
// keeps open for the levels above the current directory. openedRoot is the
// root opened already by the caller, who had to know whether it opens at
// all; null, the walk opens it.
class CDirectoryWalk
{
public:
    CDirectoryWalk(const QStringList &nameFilters, const QDir &root, CScanReport &report,
                   int maxOpenLevels = 16, CDirectoryRef openedRoot = nullptr);

    // The next directory that has candidate files; false when the tree is
    // done or the walk was stopped.
    bool Next(CWalkStep &step);
    bool Next(QDir &dir, QStringList &candidates);
    int OutOfResourcesError() const { return ResourceError; }
    // From now on the steps' candidates are as ListDirectoryAt gives them
    // with filesSorted false.
    void LeaveFilesUnsorted() { FilesSorted = false; }
    // Hidden entries and folders to skip, from the root's listing on.
    void SetEntryFilter(const CWalkEntryFilter &entries) { Entries = entries; }
    // Folders on file systems with fine-grained times are listed from and
    // into these listings (null: every folder is read).
    void SetListingCache(std::shared_ptr<CFolderListingCache> listings) { Listings = std::move(listings); }

private:
    struct CFrame
    {
        int PathLength = 0;      // of its path, the start of CurrentPath
        QByteArray Name;         // in its parent
        bool Linked = false;     // reached through a link
        quint64 Device = 0;      // of its file system
        CDirectoryRef Directory; // null while closed to save descriptors
        QVector<QByteArray> SubDirectories;
        QSet<QByteArray> LinkedSubDirectories;
        int NextSubDirectory = 0;
        // What a kept listing must match, and whether one may be used.
        CFolderListingCache::CFolderState State;
        qint64 StatedAtNs = 0; // the clock just before the state was read
        bool Keepable = false;
    };

    CDirectoryRef OpenFrame(int index);
    CDirectoryRef OpenDirectory(int parent, const QByteArray &name, bool linked, const QByteArray &path);
    QByteArray FramePath(int index) const;
    bool Enter(CFrame &frame, quint64 parentDevice);
    bool Visit(CFrame frame, const QByteArray &path, CWalkStep &step);
    CDirectoryEntries List(const CFrame &frame);
    bool IsKeepable(quint64 device, int descriptor);
    bool VisitRoot(CWalkStep &step);
    void LimitOpenLevels();

    CFileNameFilter NameFilter;
    CWalkEntryFilter Entries;
    bool FilesSorted = true;
    QDir Root;
    CDirectoryRef OpenedRoot;
    bool RootVisited = false;
    bool RootIsPseudo = false;
    bool Stopped = false;
    CScanReport &Report;
    int MaxOpenLevels;
    int ResourceError = 0;
    QVector<CFrame> Stack;
    // The path of the deepest level; every level's path is a start of it.
    QByteArray CurrentPath;
    QSet<CFileIdentity> EnteredDirectories;
    std::shared_ptr<CFolderListingCache> Listings;
    QHash<quint64, bool> KeepableDevices;
};

#endif
