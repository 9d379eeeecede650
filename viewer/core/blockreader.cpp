#include "viewer/core/blockreader.h"

#include <QIODevice>

namespace {

// Appends bytes up to and including the next 0x0A, or to the end of the
// device, or until `limit` bytes were appended, straight into `bytes`;
// returns how many were appended.
qint64 AppendRawLine(QIODevice &device, QByteArray &bytes, qint64 limit)
{
    const int start = bytes.size();
    for (;;) {
        const int used = bytes.size();
        if (bytes.capacity() - used < 4096)
            bytes.reserve(used + qMax(used, 65536));
        const int room = int(qMin<qint64>(bytes.capacity() - used, limit - (used - start) + 1));
        bytes.resize(used + room);
        const qint64 got = device.readLine(bytes.data() + used, room);
        bytes.resize(used + int(qMax<qint64>(got, 0)));
        // readLine fills at most room - 1 bytes; fewer means the line or the data ended.
        if (got < room - 1 || bytes.endsWith('\n') || bytes.size() - start >= limit)
            break;
    }
    return bytes.size() - start;
}

} // namespace

CLineEnd LineEndOf(TEnumTextEncoding encoding)
{
    CLineEnd lineEnd;
    switch (encoding) {
    case Utf16BeWithBom:
    case Utf16BeNoBom:
        lineEnd.UnitSize = 2;
        lineEnd.BigEndian = true;
        break;
    case Utf16LeWithBom:
    case Utf16LeNoBom:
        lineEnd.UnitSize = 2;
        break;
    case Utf32BeWithBom:
        lineEnd.UnitSize = 4;
        lineEnd.BigEndian = true;
        break;
    default:
        break;
    }
    return lineEnd;
}

TEnumTextEncoding LineEndEncodingOf(QIODevice &device, qint64 byteLimit)
{
    if (!device.isOpen())
        return Local8Bit;
    // A multiple of four bytes, so that the UTF-16 test sees whole units.
    const QByteArray head = device.peek(qMax<qint64>(4, byteLimit & ~qint64(3)));
    CTextEncodingDetector detector;
    detector.Detect(head.constData(), quint32(head.size()));
    return detector.Encoding;
}

CBlockReader::CBlockReader(QIODevice &device, qint64 byteLimit, CLineEnd lineEnd,
                           TBlockLineRanges &blockLineRanges, TLineOffsets &lineOffsets, qint64 maxLineBytes)
    : Device(device)
    , ByteLimit(byteLimit)
    , LineByteLimit(maxLineBytes)
    , LineEnd(lineEnd)
    , BlockLineRanges(blockLineRanges)
    , LineOffsets(lineOffsets)
{
}

QByteArray CBlockReader::ReadNewBlock(int block, int firstLine, qint64 offset, bool &reachedEnd)
{
    QByteArray bytes;
    qint64 running = offset;
    int line = firstLine;
    reachedEnd = false;
    while (running - offset <= ByteLimit && !reachedEnd) {
        const qint64 length = Device.atEnd() ? 0 : AppendLine(bytes, running);
        // Nothing more to read, also after a read error: the file ends here.
        reachedEnd = length == 0;
        if (length > 0) {
            LineOffsets.insert(line, qMakePair(running, length));
            running += length;
            ++line;
        }
    }
    reachedEnd = reachedEnd || Device.atEnd();
    BlockLineRanges.insert(block, qMakePair(firstLine, line - 1));
    return bytes;
}

// One line: raw pieces up to a 0x0A byte, joined until that byte is the LF
// code unit of the encoding at a code-unit boundary of the file.
qint64 CBlockReader::AppendLine(QByteArray &bytes, qint64 offset)
{
    const int start = bytes.size();
    while (AppendRawLine(Device, bytes, LineByteLimit - (bytes.size() - start)) > 0 && bytes.endsWith('\n')) {
        if (EndsLine(bytes, offset + (bytes.size() - start) - 1) || bytes.size() - start >= LineByteLimit)
            break;
    }
    return bytes.size() - start;
}

// Whether the 0x0A byte at the end of `bytes`, at file offset `position`,
// is the LF unit. For little-endian units the rest of the unit follows it
// and is read here; when that is not all zero it simply belongs to the line.
bool CBlockReader::EndsLine(QByteArray &bytes, qint64 position)
{
    const int unit = LineEnd.UnitSize;
    if (unit == 1)
        return true;
    if (LineEnd.BigEndian) {
        if (position % unit != unit - 1 || bytes.size() < unit)
            return false;
        for (int k = 2; k <= unit; ++k) {
            if (bytes.at(bytes.size() - k) != 0)
                return false;
        }
        return true;
    }
    if (position % unit != 0)
        return false;
    const QByteArray rest = Device.read(unit - 1);
    bytes.append(rest);
    return rest.size() == unit - 1 && rest.count('\0') == unit - 1;
}

bool CBlockReader::ReadKnownBlock(int block, QByteArray &bytes)
{
    const QPair<int, int> range = BlockLineRanges.value(block, qMakePair(0, 0));
    const qint64 start = LineOffsets.value(range.first).first;
    bytes.clear();
    if (!Device.seek(start))
        return false;
    if (range.second < range.first)
        return true;
    const QPair<qint64, qint64> last = LineOffsets.value(range.second);
    const qint64 length = last.first + last.second - start;
    if (length > 0)
        bytes = Device.read(length);
    return true;
}

void CBlockReader::NextBlockStart(int block, int &firstLine, qint64 &offset) const
{
    const int last = BlockLineRanges.value(block, qMakePair(0, 0)).second;
    const CLineOffsets::TEntry line = LineOffsets.value(last);
    firstLine = last + 1;
    offset = line.first + line.second;
}

QList<QByteArray> CBlockReader::SplitLines(int block, const QByteArray &bytes) const
{
    QList<QByteArray> lines;
    const QPair<int, int> range = BlockLineRanges.value(block, qMakePair(0, -1));
    int position = 0;
    for (int line = range.first; line <= range.second && position < bytes.size(); ++line) {
        const int length = int(LineOffsets.value(line).second);
        lines.append(bytes.mid(position, length));
        position += length;
    }
    return lines;
}
