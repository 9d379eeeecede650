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
        if (!info.isFile()) {
            listing.SubDirectories << name;
            if (info.isSymLink())
                listing.LinkedSubDirectories.insert(name);
        } else if (!info.isSymLink() && nameFilter.Matches(name))
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

QString CDirectoryWalk::CanonicalKey(const QDir &dir)
{
    const QString canonical = dir.canonicalPath();
    return canonical.isEmpty() ? dir.absolutePath() : canonical;
}

bool CDirectoryWalk::Enter(const QString &key)
{
    if (EnteredDirectories.contains(key))
        return false;
    EnteredDirectories.insert(key);
    return true;
}

QStringList CDirectoryWalk::Walk(const QDir &root)
{
    return WalkAt(root, CanonicalKey(root));
}

QStringList CDirectoryWalk::WalkAt(const QDir &dir, const QString &key)
{
    if (Cancelled() || !Enter(key))
        return QStringList();
    const CDirectoryListing listing = ListDirectory(dir, NameFilter);
    const QStringList &candidates = listing.CandidateFiles;

    QStringList result;
    if (!candidates.isEmpty())
        result = Scan(dir, candidates);
    if (Cancelled())
        return result;
    const QString keyPrefix = key.endsWith(QLatin1Char('/')) ? key : key + QLatin1Char('/');
    for (const QString &name : listing.SubDirectories) {
        // Paths below keep the names as listed, links included; only a link
        // needs resolving to know where it leads.
        const QDir child(dir.absoluteFilePath(name));
        result += WalkAt(child, listing.LinkedSubDirectories.contains(name) ? CanonicalKey(child)
                                                                            : keyPrefix + name);
        if (Cancelled())
            break;
    }
    return result;
}
