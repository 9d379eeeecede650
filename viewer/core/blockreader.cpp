#include "viewer/core/blockreader.h"

#include <QIODevice>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Whether the 0x0A byte at data[i] is the LF unit of the encoding: at its
// place within a unit of the file, with the unit's other bytes zero. -1:
// the unit's last bytes are not read yet.
int IsLineFeedUnit(const char *data, qint64 size, qint64 i, qint64 dataOffset, CLineEnd lineEnd, bool atEnd)
{
    const int unit = lineEnd.UnitSize;
    if (unit == 1)
        return 1;
    const qint64 inUnit = (dataOffset + i) % unit;
    if (lineEnd.BigEndian) {
        if (inUnit != unit - 1 || i < unit - 1)
            return 0;
        for (int k = 1; k < unit; ++k) {
            if (data[i - k] != 0)
                return 0;
        }
        return 1;
    }
    if (inUnit != 0)
        return 0;
    if (i + unit > size)
        return atEnd ? 0 : -1;
    for (int k = 1; k < unit; ++k) {
        if (data[i + k] != 0)
            return 0;
    }
    return 1;
}

qint64 CountLineFeeds(const char *data, qint64 size)
{
    qint64 count = 0;
    qint64 i = 0;
#ifdef __SSE2__
    // A compare gives -1 per line feed, which is added into byte counters for
    // up to 255 rounds, and then summed: no bit count, which without the
    // processor's instruction is a call per 16 bytes.
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= size) {
        __m128i counters = zero;
        const qint64 rounds = qMin<qint64>(255, (size - i) / 16);
        for (qint64 round = 0; round < rounds; ++round, i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(chunk, lf));
        }
        const __m128i sums = _mm_sad_epu8(counters, zero);
        count += _mm_extract_epi16(sums, 0) + _mm_extract_epi16(sums, 4);
    }
#endif
    for (; i < size; ++i)
        count += data[i] == '\n';
    return count;
}

// One line at a time: any code unit and any line length.
CBlockExtent WalkBlockLines(const char *data, qint64 size, qint64 dataOffset, qint64 byteLimit,
                            CLineEnd lineEnd, qint64 maxLineBytes, bool atEnd)
{
    CBlockExtent extent;
    qint64 position = 0;
    while (position <= byteLimit && position < size) {
        bool lineFeed = false;
        const qint64 end =
            LineEndFrom(data, size, position, dataOffset, lineEnd, maxLineBytes, atEnd, &lineFeed);
        if (end < 0)
            return CBlockExtent();
        position = end;
        // A piece of a longer line is no line of its own: the line counts
        // where it ends, or where the file does.
        if (lineFeed || (end == size && atEnd))
            ++extent.Lines;
    }
    if (position <= byteLimit && !atEnd)
        return CBlockExtent();
    extent.End = position;
    return extent;
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
    case Utf32LeWithBom:
        lineEnd.UnitSize = 4;
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

qint64 LineEndFrom(const char *data, qint64 size, qint64 start, qint64 dataOffset, CLineEnd lineEnd,
                   qint64 maxLineBytes, bool atEnd, bool *lineFeed)
{
    const qint64 cap = start + maxLineBytes;
    qint64 position = start;
    for (;;) {
        const qint64 limit = qMin(size, cap);
        const void *found =
            position < limit ? memchr(data + position, '\n', size_t(limit - position)) : nullptr;
        if (!found) {
            if (cap <= size)
                return cap;
            return atEnd ? size : -1;
        }
        const qint64 i = static_cast<const char *>(found) - data;
        const int unit = IsLineFeedUnit(data, size, i, dataOffset, lineEnd, atEnd);
        if (unit < 0)
            return -1;
        if (unit > 0) {
            if (lineFeed)
                *lineFeed = true;
            return lineEnd.BigEndian ? i + 1 : i + lineEnd.UnitSize;
        }
        position = i + 1;
    }
}

CBlockExtent FindBlockEnd(const char *data, qint64 size, qint64 dataOffset, qint64 byteLimit,
                          CLineEnd lineEnd, qint64 maxLineBytes, bool atEnd)
{
    CBlockExtent extent;
    if (lineEnd.UnitSize != 1) {
        extent = WalkBlockLines(data, size, dataOffset, byteLimit, lineEnd, maxLineBytes, atEnd);
    } else if (byteLimit >= size) {
        // The rest of the bytes, if the file ends there.
        if (!atEnd)
            return CBlockExtent();
        extent = WalkBlockLines(data, size, dataOffset, byteLimit, lineEnd, maxLineBytes, atEnd);
    } else {
        // The block ends with the line that holds its byte number byteLimit:
        // that line starts after the last line feed before it, or a whole
        // number of cut pieces after that.
        const void *lastFeed = memrchr(data, '\n', size_t(byteLimit));
        const qint64 runStart = lastFeed ? static_cast<const char *>(lastFeed) - data + 1 : 0;
        const qint64 lineStart = runStart + (byteLimit - runStart) / maxLineBytes * maxLineBytes;
        extent.End = LineEndFrom(data, size, lineStart, dataOffset, lineEnd, maxLineBytes, atEnd);
        if (extent.End < 0)
            return CBlockExtent();
        // Pieces of a longer line count as one line, where it ends: the
        // lines that end in the block are its line feeds.
        const bool endsFile = extent.End == size && atEnd;
        extent.Lines = CountLineFeeds(data, extent.End) + (data[extent.End - 1] != '\n' && endsFile ? 1 : 0);
    }
    // Whether the file ends with this block is only known past its end.
    if (extent.End == size && !atEnd)
        return CBlockExtent();
    return extent;
}

QList<QByteArray> SplitBlockLines(const QByteArray &bytes, qint64 offset, CLineEnd lineEnd,
                                  qint64 maxLineBytes)
{
    QList<QByteArray> lines;
    qint64 position = 0;
    while (position < bytes.size()) {
        const qint64 end =
            LineEndFrom(bytes.constData(), bytes.size(), position, offset, lineEnd, maxLineBytes, true);
        lines.append(bytes.mid(int(position), int(end - position)));
        position = end;
    }
    return lines;
}
