#include "viewer/core/regularfile.h"

#include <QFile>

#include "platform/filesystem.h"

#include <cerrno>

TEnumFileOpening OpenRegularFile(const QString &path, QFile &file)
{
    return OpenRegularFile(QFile::encodeName(path), file);
}

// A path longer than the system takes at once is opened folder by folder,
// as the search found it.
TEnumFileOpening OpenRegularFile(const QByteArray &name, QFile &file)
{
    if (name.isEmpty())
        return FileMissing;
    const int descriptor = OpenFileByPath(name);
    if (descriptor < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileMissing : FileUnreadable;
    CFileStatus status;
    const bool known = StatusOf(descriptor, status);
    if (!known || status.Type != FileTypeRegular) {
        CloseDescriptor(descriptor);
        return known ? FileNotRegular : FileUnreadable;
    }
    if (!file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        CloseDescriptor(descriptor);
        return FileUnreadable;
    }
    return FileOpened;
}
