#ifndef LINTRA_DIRECTORYWALK_H
#define LINTRA_DIRECTORYWALK_H

#include <QDir>
#include <QSet>
#include <QStringList>

#include <functional>

#include "search/searchwhat.h"

// The name filters of a search's candidate files: every file for a filename
// search, the plain-text patterns for a full-text search, none otherwise.
QStringList CandidateNameFilters(TEnumSearchWhat what, const QStringList &plainTextFilters);

// The names of a directory's candidate files, in listing order: plain files
// whose whole name matches a filter case-insensitively. Hidden files and
// links to files are never candidates.
QStringList CandidateFileNames(const QDir &dir, const QStringList &nameFilters);

// The names of a directory's sub-directories (links to directories included,
// hidden ones and "." and ".." not), in listing order.
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
    bool Enter(const QDir &dir);
    bool Cancelled() const;

    QStringList NameFilters;
    DirectoryScan Scan;
    CancelCheck IsCancelled;
    QSet<QString> EnteredDirectories;
};

#endif
