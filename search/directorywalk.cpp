#include "search/directorywalk.h"

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

QStringList CandidateFileNames(const QDir &dir, const QStringList &nameFilters)
{
    if (nameFilters.isEmpty())
        return QStringList();
    return dir.entryList(nameFilters, QDir::Files | QDir::NoSymLinks, QDir::NoSort);
}

QStringList SubDirectoryNames(const QDir &dir)
{
    QStringList names = dir.entryList(QStringList(QStringLiteral("*")), QDir::Dirs, QDir::NoSort);
    names.removeAll(QStringLiteral("."));
    names.removeAll(QStringLiteral(".."));
    return names;
}

CDirectoryWalk::CDirectoryWalk(const QStringList &nameFilters, DirectoryScan scan, CancelCheck cancelled)
    : NameFilters(nameFilters)
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
    const QStringList candidates = CandidateFileNames(root, NameFilters);
    const QStringList subDirectories = SubDirectoryNames(root);

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
