#include "search/core/directorywalk.h"

#include "platform/filesystem.h"
#include "search/core/folderlistingcache.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextCodec>
#include <QThread>
#include <QVector>

#include <utility>

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

// Puts item order[i] at i, in place, cycle by cycle: a copy of a folder of
// a million files would cost as much again.
template <typename T> void Reorder(QVector<T> &items, QVector<int> order)
{
    for (int i = 0; i < order.size(); ++i) {
        if (order.at(i) == i)
            continue;
        T held = std::move(items[i]);
        int to = i;
        for (int from = order.at(to); from != i; from = order.at(to)) {
            items[to] = std::move(items[from]);
            order[to] = to;
            to = from;
        }
        items[to] = std::move(held);
        order[to] = to;
    }
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
    CloseDescriptor(Fd);
}

int OpenPatiently(CScanReport &report, const std::function<int()> &open)
{
    QElapsedTimer waited;
    for (int pause = 1;; pause = qMin(pause * 2, 50)) {
        const int descriptor = open();
        if (descriptor >= 0)
            return descriptor;
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

bool IsAscii(const QByteArray &name)
{
    for (const char c : name) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

// Collects the entries with the texts of the folders' names, which the sort
// needs. A file keeps its text only where its name is not ASCII: a folder of
// a million files would hold a copy of every name.
struct CEntryCollector
{
    CDirectoryEntries Entries;
    QStringList DirectoryTexts;

    void Add(const QByteArray &name, const QString &text, TEnumEntryKind kind,
             const CFileNameFilter &nameFilter, const CListedFile &known)
    {
        if (kind != EntryPlainFile && !EntersFolder(text))
            return;
        if (kind == EntryPlainFile && nameFilter.Matches(text)) {
            CListedFile file = known;
            file.Name = name;
            if (!IsAscii(name))
                file.Text = text;
            Entries.CandidateFiles << file;
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
            ::SortLikeQDir(Entries.CandidateFiles);
        // Sorted with "." and "..", as QDir does, so that ties keep its order.
        SortLikeQDir(Entries.SubDirectories, DirectoryTexts);
        Entries.SubDirectories.removeAll(QByteArray("."));
        Entries.SubDirectories.removeAll(QByteArray(".."));
        return std::move(Entries);
    }
};

// The entry's type from the folder itself where the file system tells it,
// so that most entries cost no status query, and none costs more than one
// (a link two: itself and where it leads). A link is listed as what it leads
// to if that is a folder; a link to a file, a device, a FIFO or a socket, or
// to nothing, is passed over.
TEnumEntryKind KindOf(int directory, const char *name, TEnumFileType type, CListedFile &known,
                      const CWalkEntryFilter &entries)
{
    const bool dotOrDotDot = qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0;
    if (!entries.ListsFile(name) && !dotOrDotDot)
        return EntryNotListed;
    CFileStatus status;
    if (type == FileTypeUnknown) {
        if (!StatusAt(directory, name, false, status))
            return EntryNotListed;
        type = status.Type;
        known.Size = status.Size;
        known.Modified = status.ModifiedMs;
    }
    if (type == FileTypeRegular)
        return EntryPlainFile;
    if (type == FileTypeFolder)
        return EntryDirectory;
    if (type != FileTypeLink || !StatusAt(directory, name, true, status))
        return EntryNotListed;
    return status.Type == FileTypeFolder ? EntryLinkedDirectory : EntryNotListed;
}

// Names that are all ASCII, sorted as OrderLikeQDir sorts their texts (the
// same comparisons on the same sequence), with no text made of them.
bool SortAsciiLikeQDir(QVector<CListedFile> &files)
{
    QVector<int> starts(files.size() + 1);
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray &name = files.at(i).Name;
        if (!files.at(i).Text.isNull() || !IsAscii(name))
            return false;
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
    lowered.clear();
    starts.clear();
    Reorder(files, std::move(order));
    return true;
}

} // namespace

QString ListedFileText(const CListedFile &file)
{
    return file.Text.isNull() ? DecodeEntryName(file.Name) : file.Text;
}

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

namespace {

// A folder's entries as the system reads them, written down on the way.
class CRecordedEntries
{
public:
    CRecordedEntries(int folder, QByteArray *listing)
        : Entries(folder)
        , Listing(listing)
    {
    }
    bool Next(const char *&name, TEnumFileType &type)
    {
        if (!Entries.Next(name, type))
            return false;
        if (Listing)
            CFolderListingCache::AddEntry(*Listing, name, type);
        return true;
    }
    int Error() const { return Entries.Error(); }

private:
    CFolderEntries Entries;
    QByteArray *Listing;
};

// The walk's listing of a folder from its entries, read from the folder or
// from a listing kept before.
template <typename TEntries>
CDirectoryEntries CollectEntries(int descriptor, TEntries &listed, const CFileNameFilter &nameFilter,
                                 bool filesSorted, const CWalkEntryFilter &entries)
{
    CEntryCollector collector;
    collector.FilesSorted = filesSorted;
    collector.Filter = &entries;
    const bool decodeFiles = filesSorted || !nameFilter.MatchesEveryName();
    const char *name = nullptr;
    TEnumFileType type = FileTypeUnknown;
    while (listed.Next(name, type)) {
        CListedFile known;
        const TEnumEntryKind kind = KindOf(descriptor, name, type, known, entries);
        if (kind == EntryPlainFile && !decodeFiles) {
            collector.AddUndecodedFile(QByteArray(name), known);
        } else if (kind != EntryNotListed) {
            const QByteArray bytes(name);
            collector.Add(bytes, DecodeEntryName(bytes), kind, nameFilter, known);
        }
    }
    collector.Entries.Error = listed.Error();
    return collector.Sorted();
}

} // namespace

CDirectoryEntries ListDirectoryAt(int descriptor, const CFileNameFilter &nameFilter, bool filesSorted,
                                  const CWalkEntryFilter &entries, QByteArray *listing)
{
    CRecordedEntries listed(descriptor, listing);
    return CollectEntries(descriptor, listed, nameFilter, filesSorted, entries);
}

CDirectoryEntries ListKeptDirectoryAt(int descriptor, const QByteArray &listing,
                                      const CFileNameFilter &nameFilter, bool filesSorted,
                                      const CWalkEntryFilter &entries)
{
    CFolderListingReader listed(listing);
    return CollectEntries(descriptor, listed, nameFilter, filesSorted, entries);
}

namespace {

CDirectoryEntries ListDirectoryPath(const QByteArray &path, const CFileNameFilter &nameFilter)
{
    const CDirectoryHandle directory(OpenFolderAt(WorkingFolder, path.constData(), true));
    return ListDirectoryAt(directory.Descriptor(), nameFilter);
}

} // namespace

CDirectoryListing ListDirectory(const QDir &dir, const CFileNameFilter &nameFilter)
{
    const CDirectoryEntries entries = ListDirectoryPath(QFile::encodeName(dir.path()), nameFilter);
    CDirectoryListing listing;
    for (const CListedFile &file : entries.CandidateFiles)
        listing.CandidateFiles << ListedFileText(file);
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

// A folder is entered once, whatever path led to it (a link, a bind mount),
// so a loop ends where it closes. A file system of the kernel's own is
// entered only if the search started in one.
bool CDirectoryWalk::Enter(CFrame &frame, quint64 parentDevice)
{
    CFileStatus status;
    frame.StatedAtNs = Listings ? WallClockNs() : 0;
    if (!StatusOf(frame.Directory->Descriptor(), status))
        return true;
    frame.Device = status.Identity.Device;
    frame.State = {status.Identity, status.ChangedNs, status.ModifiedNs};
    frame.Keepable = Listings && IsKeepable(status.Identity.Device, frame.Directory->Descriptor());
    if (EnteredDirectories.contains(status.Identity))
        return false;
    EnteredDirectories.insert(status.Identity);
    const int descriptor = frame.Directory->Descriptor();
    if (Stack.isEmpty()) {
        RootIsPseudo = IsOnPseudoFileSystem(descriptor);
        return true;
    }
    // Only where a mount begins can the file system change.
    return status.Identity.Device == parentDevice || RootIsPseudo || !IsOnPseudoFileSystem(descriptor);
}

QByteArray CDirectoryWalk::FramePath(int index) const
{
    return CurrentPath.left(Stack.at(index).PathLength);
}

CDirectoryRef CDirectoryWalk::OpenDirectory(int parent, const QByteArray &name, bool linked,
                                            const QByteArray &path)
{
    const int descriptor = OpenPatiently(Report, [&] {
        return parent < 0 ? OpenFolderAt(WorkingFolder, path.constData(), true)
                          : OpenFolderAt(OpenFrame(parent)->Descriptor(), name.constData(), linked);
    });
    if (descriptor < 0) {
        const int error = errno;
        if (IsOutOfResources(error) && !Report.Cancelled())
            ResourceError = error;
        else if (!Report.Cancelled())
            Report.Unreadable({path, true, error});
        return nullptr;
    }
    return std::make_shared<const CDirectoryHandle>(descriptor);
}

// A level closed to save descriptors is opened again from the nearest open one above it.
CDirectoryRef CDirectoryWalk::OpenFrame(int index)
{
    CFrame &frame = Stack[index];
    if (!frame.Directory) {
        frame.Directory = OpenDirectory(index - 1, frame.Name, frame.Linked, FramePath(index));
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

// Only where times are fine-grained does a folder's change time tell that
// its entries changed; the answer is asked once per file system.
bool CDirectoryWalk::IsKeepable(quint64 device, int descriptor)
{
    auto known = KeepableDevices.constFind(device);
    if (known == KeepableDevices.cend())
        known = KeepableDevices.insert(device, HasFineGrainedTimes(descriptor));
    return *known;
}

// A folder unchanged since it was listed is not read again; a whole listing
// read now is kept for the next search.
CDirectoryEntries CDirectoryWalk::List(const CFrame &frame)
{
    const int descriptor = frame.Directory->Descriptor();
    if (!frame.Keepable)
        return ListDirectoryAt(descriptor, NameFilter, FilesSorted, Entries);
    const QByteArray kept = Listings->Find(frame.State);
    if (!kept.isNull())
        return ListKeptDirectoryAt(descriptor, kept, NameFilter, FilesSorted, Entries);
    QByteArray listing;
    CDirectoryEntries entries = ListDirectoryAt(descriptor, NameFilter, FilesSorted, Entries, &listing);
    if (entries.Error == 0)
        Listings->Keep(frame.State, frame.StatedAtNs, listing);
    return entries;
}

bool CDirectoryWalk::Visit(CFrame frame, const QByteArray &path, CWalkStep &step)
{
    CDirectoryEntries entries = List(frame);
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
        entries = List(frame);
    }
    if (entries.Error != 0 && !Report.Cancelled())
        Report.Unreadable({path, true, entries.Error});
    frame.SubDirectories = std::move(entries.SubDirectories);
    frame.LinkedSubDirectories = std::move(entries.LinkedSubDirectories);
    frame.PathLength = path.size();
    CurrentPath = path;
    step.Path = path;
    step.Directory = frame.Directory;
    step.Candidates = std::move(entries.CandidateFiles);
    Stack.append(std::move(frame));
    LimitOpenLevels();
    return !step.Candidates.isEmpty();
}

bool CDirectoryWalk::VisitRoot(CWalkStep &step)
{
    RootVisited = true;
    CFrame root;
    const QByteArray path = QFile::encodeName(Root.absolutePath());
    root.Directory =
        OpenedRoot ? std::exchange(OpenedRoot, nullptr) : OpenDirectory(-1, QByteArray(), true, path);
    if (!root.Directory)
        return false;
    return Enter(root, 0) && Visit(std::move(root), path, step);
}

bool CDirectoryWalk::Next(CWalkStep &step)
{
    if (Stopped || Report.Cancelled()) {
        Stopped = true;
        return false;
    }
    if (!RootVisited && VisitRoot(step))
        return true;
    while (!Stack.isEmpty() && ResourceError == 0) {
        const int top = Stack.size() - 1;
        CFrame &parent = Stack[top];
        if (parent.NextSubDirectory >= parent.SubDirectories.size()) {
            Stack.removeLast();
            continue;
        }
        if (Report.Cancelled())
            break;
        CFrame child;
        child.Name = parent.SubDirectories.at(parent.NextSubDirectory++);
        child.Linked = parent.LinkedSubDirectories.contains(child.Name);
        const quint64 parentDevice = parent.Device;
        // Paths below keep the names as listed, links included.
        const QByteArray path = JoinedPath(FramePath(top), child.Name);
        child.Directory = OpenDirectory(top, child.Name, child.Linked, path);
        if (child.Directory && Enter(child, parentDevice) && Visit(std::move(child), path, step))
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
        candidates << ListedFileText(file);
    return true;
}
