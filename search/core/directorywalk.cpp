#include "search/core/directorywalk.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTextCodec>
#include <QThread>
#include <QVector>

#include <utility>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>

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

// QDir's comparisons (by name, ignoring case) for ASCII names, made on their
// lower-case bytes kept side by side in one buffer (name i from starts[i] to
// starts[i + 1]), so that each is a memcmp.
void SortByLoweredBytes(QVector<int> &order, const QByteArray &lowered, const QVector<int> &starts)
{
    const char *bytes = lowered.constData();
    std::sort(order.begin(), order.end(), [bytes, &starts](int a, int b) {
        const int leftSize = starts.at(a + 1) - starts.at(a);
        const int rightSize = starts.at(b + 1) - starts.at(b);
        const int compared =
            std::memcmp(bytes + starts.at(a), bytes + starts.at(b), size_t(qMin(leftSize, rightSize)));
        return compared != 0 ? compared < 0 : leftSize < rightSize;
    });
}

// The order of QDir's default sort (by name, ignoring case). std::sort on the
// same sequence with the same comparisons puts ties where QDir puts them.
QVector<int> OrderLikeQDir(const QStringList &names)
{
    QVector<int> order(names.size());
    bool ascii = true;
    for (int i = 0; i < names.size(); ++i) {
        order[i] = i;
        for (const QChar c : names.at(i))
            ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        // Most names.
        QVector<int> starts(names.size() + 1);
        for (int i = 0; i < names.size(); ++i)
            starts[i + 1] = starts.at(i) + names.at(i).size();
        QByteArray lowered(starts.last(), Qt::Uninitialized);
        char *to = lowered.data();
        for (const QString &name : names) {
            const ushort *units = name.utf16();
            for (int k = 0; k < name.size(); ++k)
                *to++ = char(units[k] >= 'A' && units[k] <= 'Z' ? units[k] + ('a' - 'A') : units[k]);
        }
        SortByLoweredBytes(order, lowered, starts);
    } else {
        QStringList lowered;
        for (const QString &name : qAsConst(names))
            lowered << name.toLower();
        std::sort(order.begin(), order.end(),
                  [&lowered](int a, int b) { return lowered.at(a).compare(lowered.at(b)) < 0; });
    }
    return order;
}

template <typename T> void Reorder(QVector<T> &items, const QVector<int> &order)
{
    QVector<T> sorted;
    sorted.reserve(items.size());
    for (const int i : order)
        sorted << std::move(items[i]);
    items = std::move(sorted);
}

template <typename T> void SortLikeQDir(QVector<T> &items, const QStringList &texts)
{
    if (items.size() >= 2)
        Reorder(items, OrderLikeQDir(texts));
}

} // namespace

CDirectoryHandle::CDirectoryHandle(int descriptor)
    : Fd(descriptor)
{
}

CDirectoryHandle::~CDirectoryHandle()
{
#ifdef Q_OS_UNIX
    if (Fd >= 0)
        ::close(Fd);
#endif
}

bool IsOutOfResources(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOMEM;
}

int OpenAtPatiently(int directory, const char *name, int flags, CScanReport &report)
{
#ifdef Q_OS_UNIX
    QElapsedTimer waited;
    for (int pause = 1;; pause = qMin(pause * 2, 50)) {
        const int descriptor = ::openat(directory, name, flags | O_CLOEXEC);
        if (descriptor >= 0)
            return descriptor;
        if (errno == EINTR)
            continue;
        if (!IsOutOfResources(errno))
            return -1;
        if (!waited.isValid())
            waited.start();
        const int error = errno;
        if (waited.elapsed() > 2000 || report.Cancelled()) {
            errno = error;
            return -1;
        }
        QThread::msleep(ulong(pause));
    }
#else
    Q_UNUSED(directory);
    Q_UNUSED(name);
    Q_UNUSED(flags);
    Q_UNUSED(report);
    errno = ENOSYS;
    return -1;
#endif
}

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

// The name as QDir gives it. QDir decodes whole paths, so a name is never at
// the start of what it decodes; decoding the name alone would let the
// decoder take a leading U+FEFF for a byte-order mark and drop it.
QString DecodeEntryName(const QByteArray &name)
{
    // Most names are ASCII, which every charset of file names keeps as it
    // is; the locale's decoder costs several times more per name.
    const char *bytes = name.constData();
    int i = 0;
    while (i < name.size() && uchar(bytes[i]) < 0x80)
        ++i;
    if (i == name.size())
        return QString::fromLatin1(name);
    if (uchar(bytes[0]) < 0x80)
        return QFile::decodeName(name);
    return QFile::decodeName(QByteArray("/") + name).mid(1);
}

// Collects the entries with their names' texts, which the sort needs.
struct CEntryCollector
{
    CDirectoryEntries Entries;
    QStringList FileTexts;
    QStringList DirectoryTexts;

    void Add(const QByteArray &name, const QString &text, TEnumEntryKind kind,
             const CFileNameFilter &nameFilter, const CListedFile &known)
    {
        if (kind != EntryPlainFile && !EntersFolder(text))
            return;
        if (kind == EntryPlainFile && nameFilter.Matches(text)) {
            CListedFile file = known;
            file.Name = name;
            file.Text = text;
            Entries.CandidateFiles << file;
            FileTexts << text;
        }
        if (kind == EntryDirectory || kind == EntryLinkedDirectory) {
            Entries.SubDirectories << name;
            DirectoryTexts << text;
        }
        if (kind == EntryLinkedDirectory)
            Entries.LinkedSubDirectories.insert(name);
    }
    bool FilesSorted = true;
    const CWalkEntryFilter *Filter = nullptr;

    // "." and ".." stay until the sort, to keep ties in QDir's order.
    bool EntersFolder(const QString &text) const
    {
        return !Filter || text == QLatin1String(".") || text == QLatin1String("..") ||
               Filter->EntersFolder(text);
    }

    // A candidate whose text nobody needs here: the filter takes every name.
    void AddUndecodedFile(const QByteArray &name, const CListedFile &known)
    {
        CListedFile file = known;
        file.Name = name;
        Entries.CandidateFiles << file;
    }
    CDirectoryEntries Sorted()
    {
        if (FilesSorted)
            SortLikeQDir(Entries.CandidateFiles, FileTexts);
        // Sorted with "." and "..", as QDir does, so that ties keep its order.
        SortLikeQDir(Entries.SubDirectories, DirectoryTexts);
        Entries.SubDirectories.removeAll(QByteArray("."));
        Entries.SubDirectories.removeAll(QByteArray(".."));
        return std::move(Entries);
    }
};

#ifdef Q_OS_UNIX
qint64 ModifiedMs(const struct stat &status)
{
    return qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
}

// The entry's type from the directory itself where the file system tells it,
// so that most entries cost no status query, and none costs more than one
// (a link two: itself and where it leads).
TEnumEntryKind KindOf(int directory, const char *name, unsigned type, CListedFile &known,
                      const CWalkEntryFilter &entries)
{
    const bool dotOrDotDot = qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0;
    if (!entries.ListsFile(name) && !dotOrDotDot)
        return EntryNotListed;
    struct stat status;
    if (type == DT_UNKNOWN) {
        if (fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryNotListed;
        type = IFTODT(status.st_mode);
        known.Size = qint64(status.st_size);
        known.Modified = ModifiedMs(status);
    }
    if (type == DT_REG)
        return EntryPlainFile;
    if (type == DT_DIR)
        return EntryDirectory;
    if (type != DT_LNK || fstatat(directory, name, &status, 0) != 0)
        return EntryNotListed;
    return S_ISREG(status.st_mode) ? EntryNotListed : EntryLinkedDirectory;
}
#endif

// Names that are all ASCII, sorted as OrderLikeQDir sorts their texts (the
// same comparisons on the same sequence), with no text made of them.
bool SortAsciiLikeQDir(QVector<CListedFile> &files)
{
    QVector<int> starts(files.size() + 1);
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray &name = files.at(i).Name;
        if (!files.at(i).Text.isNull())
            return false;
        for (const char c : name) {
            if (uchar(c) >= 0x80)
                return false;
        }
        starts[i + 1] = starts.at(i) + name.size();
    }
    if (files.size() < 2)
        return true;
    QByteArray lowered(starts.last(), Qt::Uninitialized);
    char *to = lowered.data();
    for (const CListedFile &file : qAsConst(files)) {
        for (const char c : file.Name)
            *to++ = c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
    }
    QVector<int> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    SortByLoweredBytes(order, lowered, starts);
    Reorder(files, order);
    return true;
}

} // namespace

void SortLikeQDir(QVector<CListedFile> &files)
{
    if (SortAsciiLikeQDir(files))
        return;
    QStringList texts;
    texts.reserve(files.size());
    for (CListedFile &file : files) {
        if (file.Text.isEmpty())
            file.Text = DecodeEntryName(file.Name);
        texts << file.Text;
    }
    SortLikeQDir(files, texts);
}

CDirectoryEntries ListDirectoryAt(int descriptor, const CFileNameFilter &nameFilter, bool filesSorted,
                                  const CWalkEntryFilter &entries)
{
    CEntryCollector collector;
    collector.FilesSorted = filesSorted;
    collector.Filter = &entries;
    const bool decodeFiles = filesSorted || !nameFilter.MatchesEveryName();
#if defined(Q_OS_LINUX)
    // The entries straight from the kernel, in large reads: a directory
    // stream would cost a copy of the descriptor, and three more calls, per
    // directory, which on a tree of small folders is a good part of a walk.
    if (descriptor < 0 || ::lseek(descriptor, 0, SEEK_SET) != 0) {
        collector.Entries.Error = descriptor < 0 ? EBADF : errno;
        return collector.Entries;
    }
    alignas(dirent64) char buffer[32768];
    for (;;) {
        const long read = ::syscall(SYS_getdents64, descriptor, buffer, sizeof buffer);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0) {
            collector.Entries.Error = read < 0 ? errno : 0;
            break;
        }
        for (long offset = 0; offset < read;) {
            const auto *entry = reinterpret_cast<const dirent64 *>(buffer + offset);
            offset += entry->d_reclen;
            CListedFile known;
            const TEnumEntryKind kind = KindOf(descriptor, entry->d_name, entry->d_type, known, entries);
            if (kind == EntryPlainFile && !decodeFiles) {
                collector.AddUndecodedFile(QByteArray(entry->d_name), known);
            } else if (kind != EntryNotListed) {
                const QByteArray name(entry->d_name);
                collector.Add(name, DecodeEntryName(name), kind, nameFilter, known);
            }
        }
    }
#elif defined(Q_OS_UNIX)
    // The stream takes its own descriptor: the directory's stays for opening entries.
    const int own = descriptor < 0 ? -1 : fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    DIR *stream = own < 0 ? nullptr : fdopendir(own);
    if (!stream) {
        collector.Entries.Error = descriptor < 0 ? EBADF : errno;
        if (own >= 0)
            ::close(own);
        return collector.Entries;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(stream);
        if (!entry) {
            collector.Entries.Error = errno;
            break;
        }
        CListedFile known;
        const TEnumEntryKind kind = KindOf(descriptor, entry->d_name, entry->d_type, known, entries);
        if (kind != EntryNotListed) {
            const QByteArray name(entry->d_name);
            collector.Add(name, DecodeEntryName(name), kind, nameFilter, known);
        }
    }
    closedir(stream);
#else
    Q_UNUSED(descriptor);
    Q_UNUSED(nameFilter);
#endif
    return collector.Sorted();
}

namespace {

#ifdef Q_OS_UNIX
CDirectoryEntries ListDirectoryPath(const QByteArray &path, const CFileNameFilter &nameFilter)
{
    const CDirectoryHandle directory(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return ListDirectoryAt(directory.Descriptor(), nameFilter);
}
#else
CDirectoryEntries ListDirectoryPath(const QByteArray &path, const CFileNameFilter &nameFilter)
{
    CEntryCollector collector;
    QDirIterator it(QFile::decodeName(path), QDir::Files | QDir::Dirs);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        TEnumEntryKind kind = info.isSymLink() ? EntryLinkedDirectory : EntryDirectory;
        if (info.isFile())
            kind = info.isSymLink() ? EntryNotListed : EntryPlainFile;
        CListedFile known;
        known.Size = info.size();
        known.Modified = info.lastModified().toMSecsSinceEpoch();
        collector.Add(QFile::encodeName(info.fileName()), info.fileName(), kind, nameFilter, known);
    }
    return collector.Sorted();
}
#endif

} // namespace

CDirectoryListing ListDirectory(const QDir &dir, const CFileNameFilter &nameFilter)
{
    const CDirectoryEntries entries = ListDirectoryPath(QFile::encodeName(dir.path()), nameFilter);
    CDirectoryListing listing;
    for (const CListedFile &file : entries.CandidateFiles)
        listing.CandidateFiles << file.Text;
    for (const QByteArray &name : entries.SubDirectories) {
        listing.SubDirectories << DecodeEntryName(name);
        if (entries.LinkedSubDirectories.contains(name))
            listing.LinkedSubDirectories.insert(DecodeEntryName(name));
    }
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

CDirectoryWalk::CDirectoryWalk(const QStringList &nameFilters, const QDir &root, CScanReport &report,
                               int maxOpenLevels, CDirectoryRef openedRoot)
    : NameFilter(nameFilters)
    , Root(root)
    , OpenedRoot(std::move(openedRoot))
    , Report(report)
    , MaxOpenLevels(qMax(2, maxOpenLevels))
{
}

bool CDirectoryWalk::Enter(const QByteArray &key)
{
    if (EnteredDirectories.contains(key))
        return false;
    EnteredDirectories.insert(key);
    return true;
}

// Where a link (or the root) leads, as the system resolves an open directory.
QByteArray CDirectoryWalk::LinkKey(const CDirectoryRef &directory, const QByteArray &path) const
{
#ifdef Q_OS_LINUX
    if (directory && directory->Descriptor() >= 0) {
        QByteArray target(4096, Qt::Uninitialized);
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(directory->Descriptor());
        const ssize_t length = ::readlink(self.constData(), target.data(), size_t(target.size()));
        if (length > 0 && length < target.size() && target.startsWith('/')) {
            target.truncate(int(length));
            return target;
        }
    }
#else
    Q_UNUSED(directory);
#endif
    const QString canonical = QDir(QFile::decodeName(path)).canonicalPath();
    return canonical.isEmpty() ? path : QFile::encodeName(canonical);
}

CDirectoryRef CDirectoryWalk::OpenDirectory(int parent, const QByteArray &name, bool linked,
                                            const QByteArray &path)
{
#ifdef Q_OS_UNIX
    const int flags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | (linked ? 0 : O_NOFOLLOW);
    int descriptor = -1;
    if (parent < 0)
        descriptor = OpenAtPatiently(AT_FDCWD, path.constData(), flags, Report);
    else
        descriptor = OpenAtPatiently(OpenFrame(parent)->Descriptor(), name.constData(), flags, Report);
    if (descriptor < 0) {
        const int error = errno;
        if (IsOutOfResources(error) && !Report.Cancelled())
            ResourceError = error;
        else if (!Report.Cancelled())
            Report.Unreadable({path, true, error});
        return nullptr;
    }
    return std::make_shared<const CDirectoryHandle>(descriptor);
#else
    Q_UNUSED(parent);
    Q_UNUSED(name);
    Q_UNUSED(linked);
    Q_UNUSED(path);
    return std::make_shared<const CDirectoryHandle>(-1);
#endif
}

// A level closed to save descriptors is opened again from the nearest open one above it.
CDirectoryRef CDirectoryWalk::OpenFrame(int index)
{
    CFrame &frame = Stack[index];
    if (!frame.Directory) {
        frame.Directory = OpenDirectory(index - 1, frame.Name, frame.Linked, frame.Path);
        if (!frame.Directory)
            frame.Directory = std::make_shared<const CDirectoryHandle>(-1);
    }
    return frame.Directory;
}

void CDirectoryWalk::LimitOpenLevels()
{
    int open = 0;
    for (int i = Stack.size() - 1; i > 0; --i) {
        if (Stack.at(i).Directory && ++open > MaxOpenLevels)
            Stack[i].Directory.reset();
    }
}

bool CDirectoryWalk::Visit(CFrame frame, CWalkStep &step)
{
#ifdef Q_OS_UNIX
    CDirectoryEntries entries =
        ListDirectoryAt(frame.Directory->Descriptor(), NameFilter, FilesSorted, Entries);
#else
    CDirectoryEntries entries = ListDirectoryPath(frame.Path, NameFilter);
#endif
    // Out of descriptors or memory the listing is tried again while others
    // give theirs back; a part of a listing is never taken for all of it.
    QElapsedTimer waited;
    waited.start();
    while (IsOutOfResources(entries.Error) && !Report.Cancelled()) {
        if (waited.elapsed() > 2000) {
            ResourceError = entries.Error;
            return false;
        }
        QThread::msleep(20);
#ifdef Q_OS_UNIX
        entries = ListDirectoryAt(frame.Directory->Descriptor(), NameFilter, FilesSorted, Entries);
#endif
    }
    if (entries.Error != 0 && !Report.Cancelled())
        Report.Unreadable({frame.Path, true, entries.Error});
    frame.KeyPrefix = frame.KeyPrefix.endsWith('/') ? frame.KeyPrefix : frame.KeyPrefix + '/';
    frame.SubDirectories = std::move(entries.SubDirectories);
    frame.LinkedSubDirectories = std::move(entries.LinkedSubDirectories);
    step.Path = frame.Path;
    step.Directory = frame.Directory;
    step.Candidates = std::move(entries.CandidateFiles);
    Stack.append(std::move(frame));
    LimitOpenLevels();
    return !step.Candidates.isEmpty();
}

bool CDirectoryWalk::Next(CWalkStep &step)
{
    if (Stopped || Report.Cancelled()) {
        Stopped = true;
        return false;
    }
    if (!RootVisited) {
        RootVisited = true;
        CFrame root;
        root.Path = QFile::encodeName(Root.absolutePath());
        root.Directory = OpenedRoot ? std::exchange(OpenedRoot, nullptr)
                                    : OpenDirectory(-1, QByteArray(), true, root.Path);
        if (!root.Directory) {
            Stopped = true;
            return false;
        }
        root.KeyPrefix = LinkKey(root.Directory, root.Path);
        if (Enter(root.KeyPrefix) && Visit(std::move(root), step))
            return true;
    }
    while (!Stack.isEmpty() && ResourceError == 0) {
        const int top = Stack.size() - 1;
        if (Stack.at(top).NextSubDirectory >= Stack.at(top).SubDirectories.size()) {
            Stack.removeLast();
            continue;
        }
        if (Report.Cancelled())
            break;
        CFrame child;
        child.Name = Stack.at(top).SubDirectories.at(Stack[top].NextSubDirectory++);
        child.Linked = Stack.at(top).LinkedSubDirectories.contains(child.Name);
        // Paths below keep the names as listed, links included; only a link
        // needs resolving to know where it leads.
        child.Path = JoinedPath(Stack.at(top).Path, child.Name);
        child.KeyPrefix = Stack.at(top).KeyPrefix + child.Name;
        if (!child.Linked && EnteredDirectories.contains(child.KeyPrefix))
            continue;
        child.Directory = OpenDirectory(top, child.Name, child.Linked, child.Path);
        if (!child.Directory)
            continue;
        if (child.Linked)
            child.KeyPrefix = LinkKey(child.Directory, child.Path);
        if (Enter(child.KeyPrefix) && Visit(std::move(child), step))
            return true;
    }
    Stopped = true;
    return false;
}

bool CDirectoryWalk::Next(QDir &dir, QStringList &candidates)
{
    CWalkStep step;
    if (!Next(step))
        return false;
    dir = QDir(PathText(step.Path));
    candidates.clear();
    for (const CListedFile &file : qAsConst(step.Candidates))
        candidates << file.Text;
    return true;
}
