#ifndef LINTRA_DIRECTORYWALK_H
#define LINTRA_DIRECTORYWALK_H

#include <QDir>
#include <QSet>
#include <QStringList>

#include <QVector>

#include "search/core/scanreport.h"

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

// Walks a tree depth first, pre-order, one directory with candidate files at
// a time, as its caller asks for them: a directory is listed only when the
// walk gets to it. It enters no directory twice (compared by canonical path),
// so a link back to an ancestor ends the descent there. report.Cancelled() is
// asked before each directory is listed; once it says stop, the walk is over.
// What a match is, progress and counting are the caller's business.
class CDirectoryWalk
{
public:
    CDirectoryWalk(const QStringList &nameFilters, const QDir &root, CScanReport &report);

    // The next directory that has candidate files, and those files in listing
    // order; false when the tree is done or the walk was stopped.
    bool Next(QDir &dir, QStringList &candidates);

private:
    struct CFrame
    {
        QDir Dir;
        QString KeyPrefix;
        QStringList SubDirectories;
        QSet<QString> LinkedSubDirectories;
        int NextSubDirectory = 0;
    };

    static QString CanonicalKey(const QDir &dir);
    bool Enter(const QString &key);
    // Lists dir and puts it on the stack; true when it has candidates.
    bool Visit(const QDir &dir, const QString &key, QStringList &candidates);

    CFileNameFilter NameFilter;
    QDir Root;
    bool RootVisited = false;
    bool Stopped = false;
    CScanReport &Report;
    QVector<CFrame> Stack;
    QSet<QString> EnteredDirectories;
};

#endif
