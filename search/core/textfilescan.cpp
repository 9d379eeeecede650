#include "search/core/textfilescan.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "search/core/keywordprefilter.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Whether the line scan polls at all depends on whether a file decodes to any
// character, which for a few bytes only the decoder knows: leave those to it.
const qint64 LargestUnfilteredFile = 16;

// A file read with as few system calls as a regular file allows: no status
// query, and a short read taken as its end. Where it cannot be opened, the
// line scan's QFile decides what that means.
class CRawFile
{
public:
    CRawFile(int directory, const QString &name)
    {
#ifdef Q_OS_UNIX
        const QByteArray encoded = QFile::encodeName(name);
        if (directory >= 0) {
            do
                Descriptor = ::openat(directory, encoded.constData(), O_RDONLY | O_CLOEXEC);
            while (Descriptor < 0 && errno == EINTR);
        }
#else
        Q_UNUSED(directory);
        Q_UNUSED(name);
#endif
    }
    ~CRawFile()
    {
        Close();
    }
    CRawFile(const CRawFile &) = delete;
    CRawFile &operator=(const CRawFile &) = delete;

    bool IsOpen() const
    {
        return Descriptor >= 0;
    }
    bool AtEnd() const
    {
        return ReachedEnd;
    }
    void Close()
    {
#ifdef Q_OS_UNIX
        if (Descriptor >= 0)
            ::close(Descriptor);
#endif
        Descriptor = -1;
    }
    CKeywordPreFilter::ReadFunction Reader()
    {
        return [this](char *data, qint64 size) { return Read(data, size); };
    }

private:
    qint64 Read(char *data, qint64 size)
    {
        if (ReachedEnd)
            return 0;
#ifdef Q_OS_UNIX
        qint64 read;
        do
            read = ::read(Descriptor, data, size_t(size));
        while (read < 0 && errno == EINTR);
#else
        const qint64 read = -1;
        Q_UNUSED(data);
#endif
        ReachedEnd = read < size;
        return read;
    }

    int Descriptor = -1;
    bool ReachedEnd = false;
};

} // namespace

TEnumFileScanResult ScanTextLines(QIODevice &device, const LineTest &lineTest, CScanReport &report,
                                  QTextCodec *codec, int maxLineLength)
{
    // Default settings: the local codec, and byte-order-mark detection on.
    QTextStream stream(&device);
    if (codec)
        stream.setCodec(codec);
    while (!stream.atEnd()) {
        if (report.Cancelled())
            return FileScanCancelled;
        if (lineTest(stream.readLine(maxLineLength)))
            return FileScanMatched;
    }
    return FileScanNotMatched;
}

TEnumFileScanResult ScanTextFile(const QString &path, const LineTest &lineTest, CScanReport &report,
                                 QTextCodec *codec, int maxLineLength)
{
    // Binary mode: the decoder sees the bytes as stored; the stream ends lines at \n and \r\n itself.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileScanUnreadable;
    return ScanTextLines(file, lineTest, report, codec, maxLineLength);
}

CScanDirectory::CScanDirectory(const QDir &dir)
    : Dir(dir)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(dir.path());
    do
        Descriptor = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (Descriptor < 0 && errno == EINTR);
#endif
}

CScanDirectory::~CScanDirectory()
{
#ifdef Q_OS_UNIX
    if (Descriptor >= 0)
        ::close(Descriptor);
#endif
}

TEnumFileScanResult ScanTextFile(const CScanDirectory &directory, const QString &name,
                                 CKeywordPreFilter &preFilter, const LineTest &lineTest, CScanReport &report,
                                 QTextCodec *codec, int maxLineLength)
{
    CRawFile raw(directory.Descriptor, name);
    if (!raw.IsOpen())
        return ScanTextFile(directory.Dir.absoluteFilePath(name), lineTest, report, codec, maxLineLength);
    const TEnumPreFilterVerdict verdict = preFilter.Check(raw.Reader(), report);
    raw.Close();
    if (verdict == PreFilterCancelled)
        return FileScanCancelled;
    // An empty file is read by nobody, and the line scan does not poll for it.
    if (verdict == PreFilterNoMatch && preFilter.LastBytesRead() == 0)
        return FileScanNotMatched;
    if (verdict == PreFilterNoMatch && preFilter.LastBytesRead() > LargestUnfilteredFile) {
        // Where the line scan polls before its first line.
        return report.Cancelled() ? FileScanCancelled : FileScanNotMatched;
    }
    // A file read whole by the first read is scanned from those bytes.
    const QByteArray bytes = preFilter.FirstReadBytes();
    if (verdict == PreFilterMaybe && raw.AtEnd() && !bytes.isNull()) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return ScanTextLines(buffer, lineTest, report, codec, maxLineLength);
    }
    return ScanTextFile(directory.Dir.absoluteFilePath(name), lineTest, report, codec, maxLineLength);
}

TEnumFileScanResult ScanTextFile(const QString &path, CKeywordPreFilter &preFilter, const LineTest &lineTest,
                                 CScanReport &report, QTextCodec *codec, int maxLineLength)
{
    const QFileInfo info(path);
    return ScanTextFile(CScanDirectory(info.dir()), info.fileName(), preFilter, lineTest, report, codec,
                        maxLineLength);
}
