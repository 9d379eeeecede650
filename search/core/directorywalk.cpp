#include "search/core/directorywalk.h"

#include <QDirIterator>
#include <QFile>
#include <QTextCodec>
#include <QVector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    bool ascii = true;
    for (int i = 0; i < names.size(); ++i) {
        order[i] = i;
        for (const QChar c : names.at(i))
            ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        // Most names: the same comparisons as below, without making lower-case copies.
        const auto lower = [](ushort c) { return (c >= 'A' && c <= 'Z') ? ushort(c + ('a' - 'A')) : c; };
        std::sort(order.begin(), order.end(), [&names, &lower](int a, int b) {
            const QString &left = names.at(a);
            const QString &right = names.at(b);
            const int length = qMin(left.size(), right.size());
            for (int k = 0; k < length; ++k) {
                const ushort l = lower(left.at(k).unicode());
                const ushort r = lower(right.at(k).unicode());
                if (l != r)
                    return l < r;
            }
            return left.size() < right.size();
        });
    } else {
        QStringList lowered;
        for (const QString &name : qAsConst(names))
            lowered << name.toLower();
        std::sort(order.begin(), order.end(),
                  [&lowered](int a, int b) { return lowered.at(a).compare(lowered.at(b)) < 0; });
    }
    QStringList sorted;
    sorted.reserve(names.size());
    for (const int i : order)
        sorted << names.at(i);
    names = sorted;
}

} // namespace

namespace {

// What becomes of a directory entry in QDir's two listings of a walk, the
// files without links and the directories: a plain file is a candidate;
// directories, links to them and links to special files are listed as
// directories; hidden entries, special files, links to files and links to
// nothing are in neither.
enum TEnumEntryKind
{
    EntryNotListed,
    EntryPlainFile,
    EntryDirectory,
    EntryLinkedDirectory
};

void AddEntry(CDirectoryListing &listing, const QString &name, TEnumEntryKind kind,
              const CFileNameFilter &nameFilter)
{
    if (kind == EntryPlainFile && nameFilter.Matches(name))
        listing.CandidateFiles << name;
    if (kind == EntryDirectory || kind == EntryLinkedDirectory)
        listing.SubDirectories << name;
    if (kind == EntryLinkedDirectory)
        listing.LinkedSubDirectories.insert(name);
}

#ifdef Q_OS_UNIX
bool IsPlainAscii(const char *name)
{
    for (; *name; ++name) {
        if (uchar(*name) >= 0x80)
            return false;
    }
    return true;
}

// QDirIterator leaves out a name that the local codec cannot decode: it
// could not be turned back into the same bytes to open the file.
bool IsDecodable(const char *name)
{
    const QTextCodec *codec = QTextCodec::codecForLocale();
    const int mib = codec ? codec->mibEnum() : 4;
    if (mib == 4) // Latin 1 decodes every byte
        return true;
    if (mib == 3) // US-ASCII
        return IsPlainAscii(name);
    if (mib == 106 && IsPlainAscii(name)) // most names, without running the decoder
        return true;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    codec->toUnicode(name, int(qstrlen(name)), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// The name as QDir gives it. QDir decodes whole paths, so a name is never at
// the start of what it decodes; decoding the name alone would let the
// decoder take a leading U+FEFF for a byte-order mark and drop it.
QString DecodeEntryName(const char *name)
{
    if (uchar(name[0]) < 0x80)
        return QFile::decodeName(name);
    return QFile::decodeName(QByteArray("/") + name).mid(1);
}

// The entry's type from the directory itself where the file system tells it,
// so that most entries cost no status query.
TEnumEntryKind KindOf(int directory, const dirent *entry)
{
    const char *name = entry->d_name;
    const bool dotOrDotDot = qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0;
    if (name[0] == '.' && !dotOrDotDot)
        return EntryNotListed;
    unsigned type = entry->d_type;
    struct stat status;
    if (type == DT_UNKNOWN) {
        if (fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryNotListed;
        type = IFTODT(status.st_mode);
    }
    if (type == DT_REG)
        return EntryPlainFile;
    if (type == DT_DIR)
        return EntryDirectory;
    if (type != DT_LNK || fstatat(directory, name, &status, 0) != 0)
        return EntryNotListed;
    return S_ISREG(status.st_mode) ? EntryNotListed : EntryLinkedDirectory;
}

void ReadEntries(const QDir &dir, const CFileNameFilter &nameFilter, CDirectoryListing &listing)
{
    const int descriptor =
        ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *stream = descriptor < 0 ? nullptr : fdopendir(descriptor);
    if (!stream) {
        if (descriptor >= 0)
            ::close(descriptor);
        return;
    }
    while (const dirent *entry = readdir(stream)) {
        if (IsDecodable(entry->d_name))
            AddEntry(listing, DecodeEntryName(entry->d_name), KindOf(descriptor, entry), nameFilter);
    }
    closedir(stream);
}
#else
void ReadEntries(const QDir &dir, const CFileNameFilter &nameFilter, CDirectoryListing &listing)
{
    QDirIterator it(dir.path(), QDir::Files | QDir::Dirs);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        TEnumEntryKind kind = info.isSymLink() ? EntryLinkedDirectory : EntryDirectory;
        if (info.isFile())
            kind = info.isSymLink() ? EntryNotListed : EntryPlainFile;
        AddEntry(listing, info.fileName(), kind, nameFilter);
    }
}
#endif

} // namespace

CDirectoryListing ListDirectory(const QDir &dir, const CFileNameFilter &nameFilter)
{
    // One read of the directory instead of QDir's two listings.
    CDirectoryListing listing;
    ReadEntries(dir, nameFilter, listing);
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

CDirectoryWalk::CDirectoryWalk(const QStringList &nameFilters, const QDir &root, CScanReport &report)
    : NameFilter(nameFilters)
    , Root(root)
    , Report(report)
{
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

bool CDirectoryWalk::Visit(const QDir &dir, const QString &key, QStringList &candidates)
{
    CDirectoryListing listing = ListDirectory(dir, NameFilter);
    CFrame frame;
    frame.Dir = dir;
    frame.KeyPrefix = key.endsWith(QLatin1Char('/')) ? key : key + QLatin1Char('/');
    frame.SubDirectories = std::move(listing.SubDirectories);
    frame.LinkedSubDirectories = std::move(listing.LinkedSubDirectories);
    Stack.append(std::move(frame));
    candidates = std::move(listing.CandidateFiles);
    return !candidates.isEmpty();
}

bool CDirectoryWalk::Next(QDir &dir, QStringList &candidates)
{
    if (Stopped || Report.Cancelled()) {
        Stopped = true;
        return false;
    }
    if (!RootVisited) {
        RootVisited = true;
        const QString key = CanonicalKey(Root);
        if (Enter(key) && Visit(Root, key, candidates)) {
            dir = Root;
            return true;
        }
    }
    while (!Stack.isEmpty()) {
        CFrame &top = Stack.last();
        if (top.NextSubDirectory >= top.SubDirectories.size()) {
            Stack.removeLast();
            continue;
        }
        const QString &name = top.SubDirectories.at(top.NextSubDirectory++);
        // Paths below keep the names as listed, links included; only a link
        // needs resolving to know where it leads.
        const QDir child(top.Dir.absoluteFilePath(name));
        const QString key =
            top.LinkedSubDirectories.contains(name) ? CanonicalKey(child) : top.KeyPrefix + name;
        if (Report.Cancelled()) {
            Stopped = true;
            return false;
        }
        if (Enter(key) && Visit(child, key, candidates)) {
            dir = child;
            return true;
        }
    }
    Stopped = true;
    return false;
}
