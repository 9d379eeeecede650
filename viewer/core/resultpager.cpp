#include "viewer/core/resultpager.h"

#include <QFile>
#include <QTextCodec>

#include <QElapsedTimer>

#include "viewer/core/regularfile.h"
#include "viewer/core/resultdecoding.h"

namespace {

// Bytes asked for per read: one step reads about a block, the scan for the
// first block with a keyword reads far ahead.
const qint64 StepReadBytes = 64 * 1024;
const qint64 ScanReadBytes = 1024 * 1024;
// How often a scan tells how far it has read.
const qint64 ProgressMilliseconds = 100;

} // namespace

// The device of one step: the pager's own, or the file opened for this step.
// Only a regular file is opened, and without waiting; how the opening went
// is left in the pager's OpenOutcome.
class CResultPager::CDeviceUse
{
public:
    explicit CDeviceUse(const CResultPager &pager)
    {
        pager.OpenOutcome = PageUnreadable;
        if (pager.Device) {
            Device = pager.Device->isOpen() ? pager.Device : nullptr;
        } else if (!pager.NativePath.isEmpty()) {
            switch (OpenRegularFile(pager.NativePath, File)) {
            case FileOpened:
                Device = &File;
                break;
            case FileMissing:
                pager.OpenOutcome = PageGone;
                break;
            case FileNotRegular:
                pager.OpenOutcome = PageNotRegular;
                break;
            case FileUnreadable:
                break;
            }
        }
    }
    QIODevice *Get() const { return Device; }

private:
    QFile File;
    QIODevice *Device = nullptr;
};

// Reads a device forward in big pieces and hands out one block after the
// other, without copying them.
class CResultPager::CBlockScanner
{
public:
    CBlockScanner(QIODevice &device, qint64 offset, qint64 readBytes)
        : Device(device)
        , Offset(offset)
        , ReadBytes(readBytes)
    {
    }

    // The next block: its bytes stay valid until the next call.
    CBlockExtent Next(const CResultPager &pager, const char *&data)
    {
        for (;;) {
            const qint64 available = Buffer.size() - Begin;
            const CBlockExtent extent =
                FindBlockEnd(Buffer.constData() + Begin, available, Offset, pager.ByteLimit, pager.LineEnd,
                             pager.LineByteLimit, AtEnd);
            if (extent.End >= 0) {
                data = Buffer.constData() + Begin;
                Begin += int(extent.End);
                Offset += extent.End;
                return extent;
            }
            Fill();
        }
    }
    bool AtEndOfDevice() const { return AtEnd && Begin == Buffer.size(); }

private:
    void Fill()
    {
        if (Begin > 0) {
            Buffer.remove(0, Begin);
            Begin = 0;
        }
        const int used = Buffer.size();
        Buffer.resize(used + int(ReadBytes));
        const qint64 got = Device.read(Buffer.data() + used, ReadBytes);
        Buffer.resize(used + int(qMax<qint64>(got, 0)));
        // Nothing more to read, also after a read error: the file ends here.
        AtEnd = got <= 0;
    }

    QIODevice &Device;
    qint64 Offset;
    qint64 ReadBytes;
    QByteArray Buffer;
    int Begin = 0;
    bool AtEnd = false;
};

CResultPager::CResultPager()
{
    Starts.append(CBlockStart{0, 0});
}

CResultPager::CResultPager(const QString &path, qint64 byteLimit, const CUnmarkedTextCharset &charset,
                           qint64 maxLineBytes)
    : CResultPager(QFile::encodeName(path), byteLimit, charset, maxLineBytes)
{
}

CResultPager::CResultPager(const QByteArray &nativePath, qint64 byteLimit,
                           const CUnmarkedTextCharset &charset, qint64 maxLineBytes)
    : NativePath(nativePath)
    , ByteLimit(byteLimit)
    , LineByteLimit(maxLineBytes)
    , Charset(charset)
{
    Starts.append(CBlockStart{0, 0});
}

CResultPager::CResultPager(QIODevice *device, qint64 byteLimit, const CUnmarkedTextCharset &charset,
                           qint64 maxLineBytes)
    : Device(device)
    , ByteLimit(byteLimit)
    , LineByteLimit(maxLineBytes)
    , Charset(charset)
{
    Starts.append(CBlockStart{0, 0});
}

CResultPage CResultPager::First()
{
    Starts.clear();
    Starts.append(CBlockStart{0, 0});
    Matches.clear();
    CurrentIndex = 0;
    LastIndex = -1;
    Shown.clear();
    FirstBomLength = 0;
    FileEncoding = Local8Bit;
    const CDeviceUse use(*this);
    QIODevice *device = use.Get();
    if (!device || !device->seek(0)) {
        // Nothing readable: an empty block 0 that ends the file.
        Record(0, 0, 0, true);
        return Failed(device ? PageUnreadable : OpenOutcome);
    }
    FileSize = device->size();
    // Lines end on the code units of the encoding, which the block decides;
    // the start of the file tells where the block itself ends.
    const TEnumTextEncoding headEncoding = LineEndEncodingOf(*device, ByteLimit);
    LineEnd = LineEndOf(headEncoding);
    QByteArray bytes = ReadNewBlock(*device, 0);
    if (bytes.isEmpty())
        return Page(0, bytes, 0);
    CTextEncodingDetector detector;
    detector.Detect(bytes.constData(), quint32(bytes.size()));
    // In the rare case the whole block suggests other code units than its
    // start, it is read again with those.
    if (LineEndOf(detector.Encoding) != LineEnd && device->seek(0)) {
        LineEnd = LineEndOf(detector.Encoding);
        Starts.resize(1);
        LastIndex = -1;
        bytes = ReadNewBlock(*device, 0);
    }
    FirstBomLength = detector.BomLength;
    LocalCodec = LastIndex == 0 ? Charset.CodecFor(bytes) : WholeFileCodec(*device);
    // As the search reads it: a file is UTF-8 only where all of it is.
    FileEncoding = WholeFileEncoding(detector.Encoding, LocalCodec, Charset.LocalCodec());
    const CResultPage page = Page(0, bytes, FirstBomLength);
    Count(0, page.Text);
    return page;
}

CResultPage CResultPager::FirstWithKeyword()
{
    CResultPage first = First();
    // With no keyword to look for, the search would only run to the end of
    // the file and show nothing; the first block is what there is to see.
    if (first.Bytes.isEmpty() || !Search.CountMatches || Matches.at(0) > 0)
        return first;
    const CResultPage found = ScanNewBlocks();
    switch (found.Outcome) {
    case PageNoMatch:
        // Past the end without a keyword: nothing to show.
        CurrentIndex = KnownBlocks() - 1;
        Shown.clear();
        return Page(CurrentIndex, QByteArray(), 0);
    case PageShown:
        return found;
    default:
        first.Outcome = found.Outcome;
        return first;
    }
}

CResultPage CResultPager::NextWithKeyword()
{
    for (int block = CurrentIndex + 1; block < KnownBlocks(); ++block) {
        if (BlockMatches(block) > 0)
            return Block(block);
    }
    if (LastIndex >= 0)
        return Failed(PageNoMatch);
    return ScanNewBlocks();
}

CResultPage CResultPager::PreviousWithKeyword()
{
    for (int block = qMin(CurrentIndex, KnownBlocks()) - 1; block >= 0; --block) {
        if (BlockMatches(block) > 0)
            return Block(block);
    }
    return Failed(PageNoMatch);
}

CResultPage CResultPager::Block(int block)
{
    if (block < 0 || block >= KnownBlocks())
        return Failed(PageUnreadable);
    TEnumPageOutcome outcome;
    return ReadKnown(block, outcome);
}

// Reads the blocks after the known ones until one holds a keyword, which
// becomes the current block. Otherwise nothing moves: at the end of the file
// (PageNoMatch, with the empty block past the end recorded), on a failed read
// or when cancelled.
CResultPage CResultPager::ScanNewBlocks()
{
    const CDeviceUse use(*this);
    QIODevice *device = use.Get();
    const qint64 start = Starts.last().Offset;
    if (!device)
        return Failed(OpenOutcome);
    if (device->size() < start)
        return Failed(PageFileShrunk);
    if (!device->seek(start))
        return Failed(PageUnreadable);
    CBlockScanner scanner(*device, start, ScanReadBytes);
    QTextCodec *codec = DecodingCodec();
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    for (;;) {
        if (Cancelled())
            return Failed(PageCancelled);
        if (Search.Progress && sinceProgress.elapsed() >= ProgressMilliseconds) {
            Search.Progress(Starts.last().Offset, FileSize);
            sinceProgress.restart();
        }
        const int block = KnownBlocks();
        const char *data = nullptr;
        const CBlockExtent extent = scanner.Next(*this, data);
        Record(block, Starts.last().Offset + extent.End, extent.Lines, scanner.AtEndOfDevice());
        Matches[block] = 0;
        if (extent.End == 0)
            return Failed(PageNoMatch);
        // A block without the bytes of any keyword is not decoded at all.
        if (Search.MayMatch && !Search.MayMatch(QByteArray::fromRawData(data, int(extent.End)), codec))
            continue;
        const CResultPage page = Page(block, QByteArray(data, int(extent.End)), 0);
        Count(block, page.Text);
        if (Matches.at(block) > 0) {
            CurrentIndex = block;
            Shown = page.Bytes;
            return page;
        }
    }
}

CResultPage CResultPager::Next()
{
    CResultPage page;
    page.Block = CurrentIndex;
    page.Outcome = PageAtEnd;
    if (LastIndex >= 0 && CurrentIndex >= LastIndex)
        return page;
    const int next = CurrentIndex + 1;
    if (next < KnownBlocks()) {
        // The empty block after the end is where a scan without a keyword
        // stops; paging never goes there.
        if (Starts.at(next).Offset == Starts.at(next + 1).Offset)
            return page;
        return ReadKnown(next, page.Outcome);
    }
    const CDeviceUse use(*this);
    QIODevice *device = use.Get();
    const qint64 offset = Starts.last().Offset;
    if (device && device->size() < offset) {
        page.Outcome = PageFileShrunk;
        return page;
    }
    if (!device || !device->seek(offset)) {
        page.Outcome = device ? PageUnreadable : OpenOutcome;
        return page;
    }
    if (device->atEnd()) {
        // The block on show ends the file after all.
        LastIndex = CurrentIndex;
        return page;
    }
    const CResultPage read = Page(next, ReadNewBlock(*device, next), 0);
    Count(next, read.Text);
    return read;
}

CResultPage CResultPager::Previous()
{
    CResultPage page;
    page.Block = CurrentIndex;
    page.Outcome = PageAtBeginning;
    if (CurrentIndex <= 0)
        return page;
    return ReadKnown(CurrentIndex - 1, page.Outcome);
}

CResultPage CResultPager::Current() const
{
    CResultPage page;
    page.Outcome = PageShown;
    page.Block = CurrentIndex;
    page.Bytes = Shown;
    page.Text = Decode(Shown, CurrentIndex == 0 ? FirstBomLength : 0);
    return page;
}

// On failure `outcome` says why, and nothing moves.
CResultPage CResultPager::ReadKnown(int block, TEnumPageOutcome &outcome)
{
    CResultPage failed;
    failed.Block = CurrentIndex;
    const CDeviceUse use(*this);
    QIODevice *device = use.Get();
    const qint64 start = Starts.at(block).Offset;
    const qint64 length = Starts.at(block + 1).Offset - start;
    if (device && device->size() < start + length) {
        failed.Outcome = outcome = PageFileShrunk;
        return failed;
    }
    if (!device || !device->seek(start)) {
        failed.Outcome = outcome = device ? PageUnreadable : OpenOutcome;
        return failed;
    }
    QByteArray bytes(int(length), Qt::Uninitialized);
    qint64 got = 0;
    while (got < length) {
        const qint64 read = device->read(bytes.data() + got, length - got);
        if (read <= 0)
            break;
        got += read;
    }
    if (got < length) {
        failed.Outcome = outcome = PageFileShrunk;
        return failed;
    }
    CurrentIndex = block;
    Shown = bytes;
    // No mark is skipped here, even in block 0: the codec drops it.
    outcome = PageShown;
    return Page(block, bytes, 0);
}

// The codec of the file's text without a mark, which the whole file decides.
// The device is read through and left where it was.
QTextCodec *CResultPager::WholeFileCodec(QIODevice &device) const
{
    const qint64 position = device.pos();
    QTextCodec *codec = Charset.CodecForFile([&device](qint64 offset, char *data, qint64 size) {
        return device.seek(offset) ? device.read(data, size) : qint64(-1);
    });
    device.seek(position);
    return codec;
}

// Reads block `block`, not read before, from the device's position, which
// is where the known blocks end; it becomes the current block.
QByteArray CResultPager::ReadNewBlock(QIODevice &device, int block)
{
    CBlockScanner scanner(device, Starts.last().Offset, qMax(StepReadBytes, ByteLimit + 1));
    const char *data = nullptr;
    const CBlockExtent extent = scanner.Next(*this, data);
    Record(block, Starts.last().Offset + extent.End, extent.Lines, scanner.AtEndOfDevice());
    CurrentIndex = block;
    Shown = QByteArray(data, int(extent.End));
    return Shown;
}

void CResultPager::Record(int block, qint64 endOffset, qint64 lines, bool reachedEnd)
{
    Starts.resize(block + 1);
    Matches.resize(block);
    Matches.append(-1);
    Starts.append(CBlockStart{endOffset, Starts.at(block).FirstLine + lines});
    if (reachedEnd)
        LastIndex = block;
}

void CResultPager::Count(int block, const QString &text)
{
    if (Search.CountMatches && block < Matches.size())
        Matches[block] = Search.CountMatches(text);
}

int CResultPager::MatchesBefore(int block) const
{
    int count = 0;
    for (int b = 0; b < qMin(block, Matches.size()); ++b)
        count += qMax(0, Matches.at(b));
    return count;
}

// Nothing moved: the block on show stays, with the reason.
CResultPage CResultPager::Failed(TEnumPageOutcome outcome) const
{
    CResultPage page;
    page.Outcome = outcome;
    page.Block = CurrentIndex;
    return page;
}

CResultPage CResultPager::Page(int block, const QByteArray &bytes, int skip)
{
    CResultPage page;
    page.Outcome = PageShown;
    page.Block = block;
    page.Bytes = bytes;
    page.Text = Decode(bytes, skip);
    return page;
}

QTextCodec *CResultPager::DecodingCodec() const
{
    if (ChosenCodec)
        return ChosenCodec;
    if (QTextCodec *codec = CodecForEncoding(FileEncoding))
        return codec;
    return UnmarkedCodec();
}

// A chosen codec decodes every byte, as it does for a file loaded whole.
QString CResultPager::Decode(const QByteArray &bytes, int skip) const
{
    if (ChosenCodec)
        skip = 0;
    skip = qBound(0, skip, bytes.size());
    return DecodingCodec()->toUnicode(bytes.constData() + skip, bytes.size() - skip);
}

int CResultPager::BlockCount() const
{
    const int known = KnownBlocks();
    if (LastIndex >= 0) {
        const bool lastEmpty = Starts.at(LastIndex).Offset == Starts.at(LastIndex + 1).Offset;
        return lastEmpty ? LastIndex : LastIndex + 1;
    }
    // Blocks read so far, and as many again of their mean size as the rest
    // of the file holds.
    const qint64 read = Starts.last().Offset;
    const qint64 mean = known > 0 ? qMax<qint64>(1, read / known) : ByteLimit + 1;
    const qint64 rest = qMax<qint64>(0, FileSize - read);
    return int(qMin<qint64>(INT_MAX, known + qMax<qint64>(1, (rest + mean - 1) / mean)));
}

bool CResultPager::PastTheEnd() const
{
    return CurrentIndex == LastIndex && CurrentIndex + 1 < Starts.size() &&
           Starts.at(CurrentIndex).Offset == Starts.at(CurrentIndex + 1).Offset;
}

QPair<int, int> CResultPager::BlockLineRange(int block) const
{
    if (block < 0 || block + 1 >= Starts.size())
        return qMakePair(0, 0);
    return qMakePair(int(Starts.at(block).FirstLine), int(Starts.at(block + 1).FirstLine - 1));
}

qint64 CResultPager::BlockOffset(int block) const
{
    return block >= 0 && block < Starts.size() ? Starts.at(block).Offset : 0;
}

QList<QByteArray> CResultPager::CurrentLines() const
{
    return SplitBlockLines(Shown, BlockOffset(CurrentIndex), LineEnd, LineByteLimit);
}
