#include "viewer/core/regularfile.h"

#include <QFile>

#ifdef Q_OS_WIN

TEnumFileOpening OpenRegularFile(const QByteArray &nativePath, QFile &file)
{
    return OpenRegularFile(QFile::decodeName(nativePath), file);
}

TEnumFileOpening OpenRegularFile(const QString &path, QFile &file)
{
    // Windows has no FIFOs in the file system; its named pipes live apart.
    file.setFileName(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return FileOpened;
    return file.exists() ? FileUnreadable : FileMissing;
}

#else

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEnumFileOpening OpenRegularFile(const QString &path, QFile &file)
{
    return OpenRegularFile(QFile::encodeName(path), file);
}

TEnumFileOpening OpenRegularFile(const QByteArray &name, QFile &file)
{
    if (name.isEmpty())
        return FileMissing;
    int descriptor;
    do {
        descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileMissing : FileUnreadable;
    struct stat status;
    if (::fstat(descriptor, &status) != 0) {
        ::close(descriptor);
        return FileUnreadable;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return FileNotRegular;
    }
    if (!file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return FileUnreadable;
    }
    return FileOpened;
}

#endif
