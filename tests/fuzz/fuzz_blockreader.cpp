// The viewer's block reader over arbitrary file contents: reading every
// block forward, then backward, gives back exactly the file's bytes, and
// every block but the last ends on a line end of the file's code units.

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "viewer/core/blockreader.h"

namespace {

bool EndsOnLineEnd(const QByteArray &block, qint64 blockStart, const CLineEnd &lineEnd)
{
    const int unit = lineEnd.UnitSize;
    if (block.size() < unit || (blockStart + block.size()) % unit != 0)
        return false;
    const QByteArray last = block.right(unit);
    for (int k = 0; k < unit; ++k) {
        const bool lfByte = lineEnd.BigEndian ? k == unit - 1 : k == 0;
        if (last.at(k) != (lfByte ? '\n' : '\0'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte chooses the block limit and the code unit; the rest is the file.
    const qint64 limit = 1 + data[0] % 48;
    static const CLineEnd lineEnds[] = {{1, false}, {2, false}, {2, true}, {4, true}, {4, false}};
    const CLineEnd lineEnd = lineEnds[data[1] % 5];
    const qint64 maxLine = 4 * (1 + (data[1] / 5) % 16); // longer lines are cut into pieces
    QByteArray file(reinterpret_cast<const char *>(data + 2), int(size - 2));
    QBuffer device(&file);
    device.open(QIODevice::ReadOnly);

    TBlockLineRanges ranges;
    TLineOffsets offsets;
    CBlockReader reader(device, limit, lineEnd, ranges, offsets, maxLine);
    QList<QByteArray> blocks;
    int firstLine = 0;
    qint64 offset = 0;
    bool reachedEnd = false;
    while (!reachedEnd) {
        Check(blocks.size() <= file.size() + 1);
        const QByteArray block = reader.ReadNewBlock(blocks.size(), firstLine, offset, reachedEnd);
        if (!reachedEnd) {
            // A block stops only past the limit, after a whole line.
            Check(block.size() > limit);
            // ...on a line end of the file's code units, or where a line too long
            // to hold was cut into pieces.
            const int last = ranges.value(blocks.size()).second;
            Check(EndsOnLineEnd(block, offset, lineEnd) || offsets.value(last).second == maxLine);
        }
        Check(offset + block.size() <= file.size());
        blocks << block;
        reader.NextBlockStart(blocks.size() - 1, firstLine, offset);
        Check(offset == qint64(file.size()) || !reachedEnd);
    }
    QByteArray joined;
    for (const QByteArray &block : qAsConst(blocks))
        joined += block;
    Check(joined == file);
    for (int line = 0; line <= ranges.value(blocks.size() - 1).second; ++line)
        Check(offsets.value(line).second <= maxLine);

    // Backward, from the recorded offsets alone.
    for (int b = blocks.size() - 1; b >= 0; --b) {
        QByteArray again;
        Check(reader.ReadKnownBlock(b, again));
        Check(again == blocks.at(b));
    }
    return 0;
}
