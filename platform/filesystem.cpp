#include "platform/filesystem.h"

#include <QList>

#include <algorithm>
#include <iterator>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

static_assert(WorkingFolder == AT_FDCWD, "the working folder is the system's");

namespace {

template <typename Call> auto Retried(Call call) -> decltype(call())
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

TEnumFileType TypeOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return FileTypeRegular;
    if (S_ISDIR(mode))
        return FileTypeFolder;
    if (S_ISLNK(mode))
        return FileTypeLink;
    return FileTypeOther;
}

TEnumFileType TypeOfEntry(unsigned char type)
{
    switch (type) {
    case DT_REG:
        return FileTypeRegular;
    case DT_DIR:
        return FileTypeFolder;
    case DT_LNK:
        return FileTypeLink;
    case DT_UNKNOWN:
        return FileTypeUnknown;
    default:
        return FileTypeOther;
    }
}

void FillStatus(const struct stat &from, CFileStatus &status)
{
    status.Type = TypeOfMode(from.st_mode);
    status.Size = qint64(from.st_size);
    status.ModifiedMs = qint64(from.st_mtim.tv_sec) * 1000 + from.st_mtim.tv_nsec / 1000000;
    status.ModifiedNs = qint64(from.st_mtim.tv_sec) * 1000000000 + from.st_mtim.tv_nsec;
    status.ChangedNs = qint64(from.st_ctim.tv_sec) * 1000000000 + from.st_ctim.tv_nsec;
    status.Identity = {quint64(from.st_dev), quint64(from.st_ino)};
}

// The types (statfs) of the kernel's own file systems. devtmpfs says it is
// a tmpfs and cannot be told apart; it holds devices, which are never read.
const __fsword_t PseudoFileSystems[] = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,    CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, DEBUGFS_MAGIC,   TRACEFS_MAGIC,
    SECURITYFS_MAGIC, PSTOREFS_MAGIC, BPF_FS_MAGIC,       DEVPTS_SUPER_MAGIC,  HUGETLBFS_MAGIC, SELINUX_MAGIC,
    SMACK_MAGIC,      EFIVARFS_MAGIC, BINFMTFS_MAGIC,     NSFS_MAGIC,
    0x62656570, // configfs
    0x19800202, // mqueue
};

// Local file systems with times to the nanosecond (or near it).
const __fsword_t FineGrainedFileSystems[] = {
    EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC, BTRFS_SUPER_MAGIC, TMPFS_MAGIC, F2FS_SUPER_MAGIC,
    0x2fc12fc1, // zfs
    0xca451a4e, // bcachefs
};

// Opens the folder that holds the last name of a path too long for one call,
// one name at a time; the last name is left in last.
int OpenParentPiecewise(const QByteArray &path, QByteArray &last)
{
    const QList<QByteArray> names = path.split('/');
    int folder =
        Retried([&] { return ::open(path.startsWith('/') ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    for (int i = 0; folder >= 0 && i + 1 < names.size(); ++i) {
        if (names.at(i).isEmpty())
            continue;
        const int next = OpenFolderAt(folder, names.at(i).constData(), true);
        const int error = errno;
        ::close(folder);
        errno = error;
        folder = next;
    }
    last = names.isEmpty() ? QByteArray() : names.last();
    return folder;
}

} // namespace

int OpenFolderAt(int folder, const char *name, bool followLink)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    return Retried([&] { return ::openat(folder, name, flags); });
}

int OpenFileAt(int folder, const char *name, bool followLink)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    return Retried([&] { return ::openat(folder, name, flags); });
}

int OpenFileByPath(const QByteArray &path)
{
    const int descriptor = OpenFileAt(WorkingFolder, path.constData(), true);
    if (descriptor >= 0 || errno != ENAMETOOLONG)
        return descriptor;
    QByteArray last;
    const int folder = OpenParentPiecewise(path, last);
    if (folder < 0)
        return -1;
    const int opened = OpenFileAt(folder, last.constData(), true);
    const int error = errno;
    ::close(folder);
    errno = error;
    return opened;
}

void CloseDescriptor(int descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
}

bool IsOutOfResources(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOMEM;
}

int DescriptorsLeft()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 1 << 20;
    int open = 0;
    if (DIR *fds = opendir("/proc/self/fd")) {
        while (readdir(fds))
            ++open;
        closedir(fds);
    }
    return int(qMin<rlim_t>(limit.rlim_cur, 1 << 20)) - open;
}

bool StatusOf(int descriptor, CFileStatus &status)
{
    struct stat from;
    if (::fstat(descriptor, &from) != 0)
        return false;
    FillStatus(from, status);
    return true;
}

bool StatusAt(int folder, const char *name, bool followLink, CFileStatus &status)
{
    struct stat from;
    if (::fstatat(folder, name, &from, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    FillStatus(from, status);
    return true;
}

bool PathExists(const QByteArray &path)
{
    CFileStatus status;
    if (StatusAt(WorkingFolder, path.constData(), true, status))
        return true;
    if (errno != ENAMETOOLONG)
        return false;
    QByteArray last;
    const int folder = OpenParentPiecewise(path, last);
    const bool exists = folder >= 0 && StatusAt(folder, last.constData(), true, status);
    CloseDescriptor(folder);
    return exists;
}

namespace {

// Whether the open file's file system is of one of the types.
template <size_t Count> bool IsOnFileSystemOf(int descriptor, const __fsword_t (&types)[Count])
{
    struct statfs system;
    if (::fstatfs(descriptor, &system) != 0)
        return false;
    return std::find(std::begin(types), std::end(types), system.f_type) != std::end(types);
}

} // namespace

bool IsOnPseudoFileSystem(int descriptor)
{
    return IsOnFileSystemOf(descriptor, PseudoFileSystems);
}

bool HasFineGrainedTimes(int descriptor)
{
    return IsOnFileSystemOf(descriptor, FineGrainedFileSystems);
}

qint64 WallClockNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 ReadSome(int descriptor, char *data, qint64 size)
{
    return Retried([&] { return qint64(::read(descriptor, data, size_t(size))); });
}

qint64 ReadCachedOnly(int descriptor, char *data, qint64 size)
{
    iovec piece{data, size_t(size)};
    return Retried([&] { return qint64(::preadv2(descriptor, &piece, 1, -1, RWF_NOWAIT)); });
}

qint64 ReadAt(int descriptor, qint64 offset, char *data, qint64 size)
{
    return Retried([&] { return qint64(::pread(descriptor, data, size_t(size), off_t(offset))); });
}

bool SeekToStart(int descriptor)
{
    return ::lseek(descriptor, 0, SEEK_SET) == 0;
}

CFolderEntries::CFolderEntries(int folder)
    : Folder(folder)
{
    if (folder < 0 || !SeekToStart(folder)) {
        ReadError = folder < 0 ? EBADF : errno;
        Ended = true;
    }
}

bool CFolderEntries::Refill()
{
    const long read =
        Retried([this] { return long(::syscall(SYS_getdents64, Folder, Buffer, sizeof Buffer)); });
    Ended = read <= 0;
    ReadError = read < 0 ? errno : 0;
    Filled = qMax(0L, read);
    Offset = 0;
    return !Ended;
}

bool CFolderEntries::Next(const char *&name, TEnumFileType &type)
{
    if (Offset >= Filled && (Ended || !Refill()))
        return false;
    const auto *entry = reinterpret_cast<const dirent64 *>(Buffer + Offset);
    Offset += entry->d_reclen;
    name = entry->d_name;
    type = TypeOfEntry(entry->d_type);
    return true;
}
