#include "search/core/textfilescan.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>
#include <QTextStream>

#include "platform/filesystem.h"
#include "search/core/keywordprefilter.h"
#include "search/core/plaintextsniffer.h"

#include <memory>
#include <vector>

#include <cerrno>

namespace {

// Whether the line scan polls at all depends on whether a file decodes to any
// character, which for a few bytes only the decoder knows: leave those to it.
const qint64 LargestUnfilteredFile = 16;

// A file read with as few system calls as a regular file allows, and
// opened only if it is one: without waiting for a writer (a FIFO), and
// checked on what was opened, so nothing swapped in afterwards is read. A
// short read is taken as its end.
class CRawFile
{
public:
    CRawFile(int directory, const QByteArray &name, CScanReport &report, CFileFacts &facts)
    {
        Descriptor = OpenPatiently(report, [&] { return OpenFileAt(directory, name.constData(), false); });
        if (Descriptor < 0) {
            facts.Error = errno;
            return;
        }
        CFileStatus status;
        if (!StatusOf(Descriptor, status) || status.Type != FileTypeRegular) {
            facts.Error = status.Type == FileTypeUnknown ? errno : CUnreadEntry::NotRegularFile;
            Close();
            return;
        }
        facts.Size = status.Size;
        SizeWhenOpened = facts.Size;
        facts.Modified = status.ModifiedMs;
    }
    ~CRawFile() { Close(); }
    CRawFile(const CRawFile &) = delete;
    CRawFile &operator=(const CRawFile &) = delete;

    bool IsOpen() const { return Descriptor >= 0; }
    bool AtEnd() const { return ReachedEnd; }
    int ReadError() const { return Error; }
    bool FirstReadFromDisk() const { return FromDisk; }
    void Close()
    {
        CloseDescriptor(Descriptor);
        Descriptor = -1;
    }
    // The file from its start, for the line scan.
    bool OpenFromStart(QFile &file) const
    {
        return SeekToStart(Descriptor) &&
               file.open(Descriptor, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    }
    // From now on the bytes read are judged as they pass; a file that is
    // not plain text reads as ended.
    void JudgeContent()
    {
        Sniffer.reset(new CPlainTextSniffer);
    }
    // Whether the file is plain text, reading its start for that only where
    // the reads so far did not settle it.
    bool IsPlainText()
    {
        if (!Sniffer || Sniffer->Decided())
            return !Sniffer || Sniffer->IsPlainText();
        const qint64 from = Sniffer->FedBytes();
        QByteArray rest(int(CPlainTextSniffer::SniffBytes - from), Qt::Uninitialized);
        const qint64 read = ReadAt(from, rest.data(), rest.size());
        if (read > 0)
            Sniffer->Feed(rest.constData(), read);
        return Sniffer->IsPlainText();
    }
    CKeywordPreFilter::ReadFunction Reader()
    {
        return [this](char *data, qint64 size) { return Read(data, size); };
    }
    // Reads from a given offset, without moving the position Read reads from.
    qint64 ReadAt(qint64 offset, char *data, qint64 size) const
    {
        return ::ReadAt(Descriptor, offset, data, size);
    }

private:
    qint64 Read(char *data, qint64 size)
    {
        const qint64 read = ReadBytes(data, size);
        if (Sniffer && read >= 0) {
            if (read < size)
                Sniffer->FeedEnd();
            if (!Sniffer->Feed(data, read)) {
                ReachedEnd = true;
                return 0;
            }
        }
        return read;
    }

    qint64 ReadBytes(char *data, qint64 size)
    {
        if (ReachedEnd)
            return 0;
        qint64 cached = 0;
        // The first read asks first what the page cache holds of the start,
        // which may be a part only; a search that waits for the disk uses
        // more readers.
        if (!ReadBefore) {
            ReadBefore = true;
            const qint64 got = ReadCachedOnly(Descriptor, data, size);
            FromDisk = got < 0 && errno == EAGAIN;
            cached = qMax<qint64>(0, got);
            // All that was asked for, or the whole file: no second read.
            if (cached == size || (got >= 0 && cached >= SizeWhenOpened)) {
                ReachedEnd = cached < size;
                return cached;
            }
        }
        qint64 read = ReadSome(Descriptor, data + cached, size - cached);
        if (read > 0 && cached > 0)
            FromDisk = true; // the cache held only a part of the start
        if (read >= 0)
            read += cached;
        ReachedEnd = read < size;
        if (read < 0)
            Error = errno;
        return read;
    }

    int Descriptor = -1;
    bool ReachedEnd = false;
    int Error = 0;
    bool ReadBefore = false;
    bool FromDisk = false;
    qint64 SizeWhenOpened = -1;
    std::unique_ptr<CPlainTextSniffer> Sniffer;
};

// Longer lines are left to the scan of the whole file, which never holds
// more than a piece of a line.
const qint64 LongestDecodedLine = 16 * 1024 * 1024;
// Lines without a keyword's bytes change no outcome: where keywords are
// dense, decoding the lines between them costs less than starting a decoder
// for each. After the first few lines of a file, the lines are decoded in
// runs of this many bytes at least.
const int LinesDecodedAlone = 16;
const qint64 LinesDecodedAtOnce = 32 * 1024;

TEnumFileScanResult ScanStream(QTextStream &stream, const LineTest &lineTest, CScanReport &report,
                               int maxLineLength)
{
    bool pieceContinued = false;
    while (!stream.atEnd()) {
        if (report.Cancelled())
            return FileScanCancelled;
        const QString piece = stream.readLine(maxLineLength);
        if (lineTest(piece))
            return FileScanMatched;
        pieceContinued = piece.size() == maxLineLength;
    }
    // A full piece is continued by the next one: at the end of the text an
    // empty piece says that the line ends there.
    if (pieceContinued && lineTest(QString()))
        return FileScanMatched;
    return FileScanNotMatched;
}

// The offset after the first line feed at or after from, or -1: a byte in
// UTF-8, a whole code unit in UTF-16 (bytes[0] starts a unit).
qint64 LineFeedEnd(const QByteArray &bytes, qint64 from, bool utf8, bool littleEndian)
{
    const char *data = bytes.constData();
    if (utf8) {
        const void *feed =
            from < bytes.size() ? memchr(data + from, '\n', size_t(bytes.size() - from)) : nullptr;
        return feed ? static_cast<const char *>(feed) - data + 1 : -1;
    }
    const int low = littleEndian ? 0 : 1;
    for (qint64 unit = from - from % 2; unit + 1 < bytes.size(); unit += 2) {
        if (data[unit + low] == '\n' && data[unit + 1 - low] == 0)
            return unit + 2;
    }
    return -1;
}

// The bytes of the lines from the one that begins at lineStart and holds
// the byte at keywordAt up to the one that holds the byte atLeast after
// lineStart, each with its line feed; a null array after a read error, and
// only some of them where they are longer than LongestDecodedLine.
QByteArray ReadLinesAround(const CRawFile &raw, qint64 lineStart, qint64 keywordAt, qint64 atLeast, bool utf8,
                           bool littleEndian)
{
    QByteArray lines;
    // No keyword holds a line feed.
    qint64 searchFrom = qMax(keywordAt - lineStart, atLeast);
    for (qint64 step = searchFrom + 4096;; step = qMin(step * 2, qint64(1024 * 1024))) {
        std::vector<char> chunk(static_cast<size_t>(step));
        const qint64 read = raw.ReadAt(lineStart + lines.size(), chunk.data(), step);
        if (read < 0)
            return QByteArray();
        if (read == 0)
            return lines; // up to the file's end
        lines.append(chunk.data(), int(read));
        const qint64 end = LineFeedEnd(lines, searchFrom, utf8, littleEndian);
        if (end >= 0) {
            lines.truncate(int(end));
            return lines;
        }
        if (lines.size() > LongestDecodedLine)
            return lines;
        searchFrom = qMax(searchFrom, qint64(lines.size()));
    }
}

// Reads the lines as the scan of the whole file reads them: the decoder is
// at the start of a line after a line feed, so decoding the line feed before
// it and then the lines gives the same pieces. codec decodes the whole file
// (a byte-order mark still chooses), bytesCodec the lines of a file that is
// read byte by byte (UTF-8 or a legacy charset).
qint64 TestLinesAround(const CRawFile &raw, const CKeywordPreFilter &preFilter, qint64 lineStart,
                       qint64 keywordAt, qint64 atLeast, const LineTest &lineTest, CScanReport &report,
                       QTextCodec *codec, QTextCodec *bytesCodec, int maxLineLength)
{
    const bool utf8 = preFilter.IsUtf8();
    const bool littleEndian = preFilter.IsUtf16LittleEndian();
    if (keywordAt - lineStart > LongestDecodedLine)
        return CKeywordPreFilter::LineGivenUp;
    const QByteArray lines = ReadLinesAround(raw, lineStart, keywordAt, atLeast, utf8, littleEndian);
    if (lines.isNull() || lines.size() > LongestDecodedLine)
        return CKeywordPreFilter::LineGivenUp;
    QBuffer buffer;
    QTextStream stream(&buffer);
    if (lineStart == 0) {
        // The file's first line: with the whole scan's settings, byte-order mark included.
        buffer.setData(lines);
        stream.setCodec(codec);
    } else {
        const QByteArray lineFeed =
            utf8 ? QByteArray("\n", 1) : (littleEndian ? QByteArray("\n\0", 2) : QByteArray("\0\n", 2));
        buffer.setData(lineFeed + lines);
        stream.setCodec(utf8 ? bytesCodec : QTextCodec::codecForMib(littleEndian ? 1014 : 1013));
        stream.setAutoDetectUnicode(false);
    }
    buffer.open(QIODevice::ReadOnly);
    if (lineStart != 0)
        stream.readLine();
    switch (ScanStream(stream, lineTest, report, maxLineLength)) {
    case FileScanMatched:
        return CKeywordPreFilter::LineMatched;
    case FileScanCancelled:
        return CKeywordPreFilter::LineCancelled;
    default:
        return lineStart + lines.size();
    }
}

bool StartsWithByteOrderMark(const QByteArray &head)
{
    return head.startsWith("\xEF\xBB\xBF") || head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
}

// The codec for a file's text: the local one where a byte-order mark will
// choose a Unicode codec, else as the charset rule says for the whole file
// (read again only where the first read did not hold all of it).
QTextCodec *FileCodec(const CRawFile &raw, const CKeywordPreFilter &preFilter,
                      const CUnmarkedTextCharset &charset)
{
    if (!charset.HasLegacyCharset())
        return charset.LocalCodec();
    QByteArray head = preFilter.FirstReadBytes();
    const bool whole = raw.AtEnd() && !head.isNull();
    if (!whole) {
        head.resize(3);
        head.resize(int(qMax<qint64>(0, raw.ReadAt(0, head.data(), head.size()))));
    }
    if (StartsWithByteOrderMark(head))
        return charset.LocalCodec();
    if (whole)
        return charset.CodecFor(head);
    return charset.CodecForFile(
        [&raw](qint64 offset, char *data, qint64 size) { return raw.ReadAt(offset, data, size); });
}

} // namespace

TEnumFileScanResult ScanTextLines(QIODevice &device, const LineTest &lineTest, CScanReport &report,
                                  QTextCodec *codec, int maxLineLength)
{
    // Default settings: the local codec, and byte-order-mark detection on.
    QTextStream stream(&device);
    if (codec)
        stream.setCodec(codec);
    return ScanStream(stream, lineTest, report, maxLineLength);
}

TEnumFileScanResult ScanTextFile(const QString &path, const LineTest &lineTest, CScanReport &report,
                                 QTextCodec *codec, int maxLineLength)
{
    // Binary mode: the decoder sees the bytes as stored; the stream ends lines at \n and \r\n itself.
    CFileFacts facts;
    CRawFile raw(WorkingFolder, QFile::encodeName(path), report, facts);
    QFile file;
    if (!raw.IsOpen() || !raw.OpenFromStart(file))
        return FileScanUnreadable;
    return ScanTextLines(file, lineTest, report, codec, maxLineLength);
}

CScanDirectory::CScanDirectory(const QDir &dir)
    : Dir(dir)
    , Path(QFile::encodeName(dir.path()))
{
    Descriptor = OpenFolderAt(WorkingFolder, Path.constData(), true);
    Handle = std::make_shared<const CDirectoryHandle>(Descriptor);
}

CScanDirectory::CScanDirectory(CDirectoryRef directory, const QByteArray &path)
    : Dir(PathText(path))
    , Path(path)
    , Descriptor(directory ? directory->Descriptor() : -1)
    , Handle(std::move(directory))
{
}

namespace {

TEnumFileScanResult ScanRawFile(CRawFile &raw, CKeywordPreFilter &preFilter, const LineTest &lineTest,
                                CScanReport &report, const CUnmarkedTextCharset &charset, int maxLineLength)
{
    const TEnumPreFilterVerdict verdict = preFilter.Check(raw.Reader(), report);
    if (verdict == PreFilterCancelled)
        return FileScanCancelled;
    if (!raw.IsPlainText())
        return FileScanNotPlainText;
    // An empty file is read by nobody, and the line scan does not poll for it.
    if (verdict == PreFilterNoMatch && preFilter.LastBytesRead() == 0)
        return FileScanNotMatched;
    if (verdict == PreFilterNoMatch && preFilter.LastBytesRead() > LargestUnfilteredFile) {
        // Where the line scan polls before its first line.
        return report.Cancelled() ? FileScanCancelled : FileScanNotMatched;
    }
    // Only a file that is decoded needs its charset.
    QTextCodec *codec = FileCodec(raw, preFilter, charset);
    // Bytes of a known layout without a legacy charset are UTF-8: a mark said so, or the local codec is.
    QTextCodec *bytesCodec = charset.HasLegacyCharset() ? codec : QTextCodec::codecForMib(106);
    // Only the lines that hold a keyword's bytes are decoded, which spares
    // decoding everything before the first of them.
    if (verdict == PreFilterMaybe && preFilter.CanFindLines()) {
        const auto readAt = [&raw](qint64 offset, char *data, qint64 size) {
            return raw.ReadAt(offset, data, size);
        };
        int linesTested = 0;
        const auto testLine = [&](qint64 lineStart, qint64 keywordAt) {
            const qint64 atLeast = ++linesTested > LinesDecodedAlone ? LinesDecodedAtOnce : 0;
            return TestLinesAround(raw, preFilter, lineStart, keywordAt, atLeast, lineTest, report, codec,
                                   bytesCodec, maxLineLength);
        };
        switch (preFilter.FindLines(readAt, report, testLine)) {
        case LinesMatched:
            return FileScanMatched;
        case LinesNotMatched:
            return FileScanNotMatched;
        case LinesCancelled:
            return FileScanCancelled;
        case LinesGivenUp:
            break;
        }
    }
    // A file read whole by the first read is scanned from those bytes.
    const QByteArray bytes = preFilter.FirstReadBytes();
    if (verdict == PreFilterMaybe && raw.AtEnd() && !bytes.isNull()) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return ScanTextLines(buffer, lineTest, report, codec, maxLineLength);
    }
    QFile file;
    if (!raw.OpenFromStart(file))
        return FileScanUnreadable;
    return ScanTextLines(file, lineTest, report, codec, maxLineLength);
}

} // namespace

TEnumFileScanResult ScanTextFile(const CScanDirectory &directory, const QByteArray &name,
                                 CKeywordPreFilter &preFilter, const LineTest &lineTest, CScanReport &report,
                                 const CUnmarkedTextCharset &charset, int maxLineLength, CFileFacts *facts,
                                 bool byContent)
{
    CFileFacts ownFacts;
    CFileFacts &known = facts ? *facts : ownFacts;
    if (directory.Descriptor < 0) {
        // Only where the system has no descriptors for directories.
        return ScanTextFile(PathText(JoinedPath(directory.Path, name)), lineTest, report,
                            charset.LocalCodec(), maxLineLength);
    }
    CRawFile raw(directory.Descriptor, name, report, known);
    if (!raw.IsOpen())
        return IsOutOfResources(known.Error) ? FileScanOutOfResources : FileScanUnreadable;
    if (byContent)
        raw.JudgeContent();
    const TEnumFileScanResult result = ScanRawFile(raw, preFilter, lineTest, report, charset, maxLineLength);
    known.FromDisk = raw.FirstReadFromDisk();
    if (raw.ReadError() != 0 && (result == FileScanNotMatched || result == FileScanUnreadable)) {
        known.Error = raw.ReadError();
        return FileScanUnreadable;
    }
    return result;
}

TEnumFileScanResult ScanTextFile(const CScanDirectory &directory, const QString &name,
                                 CKeywordPreFilter &preFilter, const LineTest &lineTest, CScanReport &report,
                                 const CUnmarkedTextCharset &charset, int maxLineLength)
{
    return ScanTextFile(directory, QFile::encodeName(name), preFilter, lineTest, report, charset,
                        maxLineLength);
}

TEnumFileScanResult ScanTextFile(const QString &path, CKeywordPreFilter &preFilter, const LineTest &lineTest,
                                 CScanReport &report, const CUnmarkedTextCharset &charset, int maxLineLength)
{
    const QFileInfo info(path);
    return ScanTextFile(CScanDirectory(info.dir()), info.fileName(), preFilter, lineTest, report, charset,
                        maxLineLength);
}
