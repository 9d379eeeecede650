#ifndef LINTRA_DIRECTORYWALK_H
#define LINTRA_DIRECTORYWALK_H

#include <QDir>
#include <QSet>
#include <QStringList>

#include <functional>

#include "search/core/filenamefilter.h"
#include "search/core/searchwhat.h"

// The name filters of a search's candidate files: every file for a filename
// search, the plain-text patterns for a full-text search, none otherwise.
QStringList CandidateNameFilters(TEnumSearchWhat what, const QStringList &plainTextFilters);

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

CDirectoryListing ListDirectory(const QDir &dir, const CFileNameFilter &nameFilter);

// The two halves of ListDirectory, for callers that need only one.
QStringList CandidateFileNames(const QDir &dir, const QStringList &nameFilters);
QStringList SubDirectoryNames(const QDir &dir);

// Walks a tree depth first, pre-order, and hands the candidate files of each
// directory that has some to a scan, which returns the matching paths. It
// enters no directory twice (compared by canonical path), so a link back to
// an ancestor ends the descent there; a cancel stops it before the next
// directory. What a match is, progress and counting are the scan's business.
class CDirectoryWalk
{
public:
    using DirectoryScan = std::function<QStringList(const QDir &dir, const QStringList &candidates)>;
    using CancelCheck = std::function<bool()>;

    CDirectoryWalk(const QStringList &nameFilters, DirectoryScan scan, CancelCheck cancelled);

    // The matches of root and everything below it: a directory's own first,
    // then each sub-directory's in listing order.
    QStringList Walk(const QDir &root);

private:
    static QString CanonicalKey(const QDir &dir);
    QStringList WalkAt(const QDir &dir, const QString &key);
    bool Enter(const QString &key);
    bool Cancelled() const;

    CFileNameFilter NameFilter;
    DirectoryScan Scan;
    CancelCheck IsCancelled;
    QSet<QString> EnteredDirectories;
};

#endif
