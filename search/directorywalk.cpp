#include "search/directorywalk.h"

#include <QDirIterator>
#include <QVector>

#include <algorithm>

QStringList CandidateNameFilters(TEnumSearchWhat what, const QStringList &plainTextFilters)
{
    switch (what) {
    case SearchWhatFilename:
        return QStringList(QStringLiteral("*"));
    case SearchWhatFullText:
        return plainTextFilters;
    }
    return QStringList();
}

namespace {

// The order of QDir's default sort (by name, ignoring case). std::sort on the
// same sequence with the same comparisons puts ties where QDir puts them.
void SortLikeQDir(QStringList &names)
{
    if (names.size() < 2)
        return;
    QVector<int> order(names.size());
    QStringList lowered;
    for (int i = 0; i < names.size(); ++i) {
        order[i] = i;
        lowered << names.at(i).toLower();
    }
    std::sort(order.begin(), order.end(),
              [&lowered](int a, int b) { return lowered.at(a).compare(lowered.at(b)) < 0; });
    QStringList sorted;
    for (const int i : order)
        sorted << names.at(i);
    names = sorted;
}

} // namespace

CDirectoryListing ListDirectory(const QDir &dir, const CFileNameFilter &nameFilter)
{
    // One read instead of QDir's two listings (files without links; directories):
    // a plain file is a candidate, every other entry would be in the directory listing.
    CDirectoryListing listing;
    QDirIterator it(dir.path(), QDir::Files | QDir::Dirs);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (!info.isFile())
            listing.SubDirectories << name;
        else if (!info.isSymLink() && nameFilter.Matches(name))
            listing.CandidateFiles << name;
    }
    SortLikeQDir(listing.CandidateFiles);
    // Sorted with "." and "..", as QDir does, so that ties keep its order.
    SortLikeQDir(listing.SubDirectories);
    listing.SubDirectories.removeAll(QStringLiteral("."));
    listing.SubDirectories.removeAll(QStringLiteral(".."));
    return listing;
}

QStringList CandidateFileNames(const QDir &dir, const QStringList &nameFilters)
{
    if (nameFilters.isEmpty())
        return QStringList();
    return ListDirectory(dir, CFileNameFilter(nameFilters)).CandidateFiles;
}

QStringList SubDirectoryNames(const QDir &dir)
{
    return ListDirectory(dir, CFileNameFilter(QStringList())).SubDirectories;
}

CDirectoryWalk::CDirectoryWalk(const QStringList &nameFilters, DirectoryScan scan, CancelCheck cancelled)
    : NameFilter(nameFilters)
    , Scan(std::move(scan))
    , IsCancelled(std::move(cancelled))
{
}

bool CDirectoryWalk::Cancelled() const
{
    return IsCancelled && IsCancelled();
}

bool CDirectoryWalk::Enter(const QDir &dir)
{
    QString key = dir.canonicalPath();
    if (key.isEmpty())
        key = dir.absolutePath();
    if (EnteredDirectories.contains(key))
        return false;
    EnteredDirectories.insert(key);
    return true;
}

QStringList CDirectoryWalk::Walk(const QDir &root)
{
    if (Cancelled() || !Enter(root))
        return QStringList();
    const CDirectoryListing listing = ListDirectory(root, NameFilter);
    const QStringList &candidates = listing.CandidateFiles;
    const QStringList &subDirectories = listing.SubDirectories;

    QStringList result;
    if (!candidates.isEmpty())
        result = Scan(root, candidates);
    if (Cancelled())
        return result;
    for (const QString &name : subDirectories) {
        // Paths below keep the names as listed, links included.
        result += Walk(QDir(root.absoluteFilePath(name)));
        if (Cancelled())
            break;
    }
    return result;
}
