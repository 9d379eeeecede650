// The viewer's paging over arbitrary file contents: reading every block
// forward, then backward, gives back exactly the file's bytes, and every
// block but the last ends on a line end of the file's code units, or where
// a line too long to hold was cut.

#include <QBuffer>
#include <QTextCodec>

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "viewer/core/resultpager.h"

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
    // The first byte chooses the block limit, the second the cut length; the
    // rest is the file, whose start decides its code units.
    const qint64 limit = 1 + data[0] % 48;
    const qint64 maxLine = 4 * (1 + data[1] % 16);
    QByteArray file(reinterpret_cast<const char *>(data + 2), int(size - 2));
    QBuffer device(&file);
    device.open(QIODevice::ReadOnly);
    CResultPager pager(&device, limit, QTextCodec::codecForName("ISO-8859-1"), maxLine);

    QList<QByteArray> blocks;
    CResultPage page = pager.First();
    const CLineEnd lineEnd = LineEndOf(pager.Encoding());
    while (page.Outcome == PageShown) {
        Check(page.Block == blocks.size() && blocks.size() <= file.size() + 1);
        blocks << page.Bytes;
        const qint64 offset = pager.BlockOffset(page.Block);
        Check(offset + page.Bytes.size() <= file.size());
        Check(pager.CurrentLines().join() == page.Bytes);
        page = pager.Next();
        if (page.Outcome == PageShown) {
            const QByteArray &block = blocks.last();
            // A block stops only past the limit, after a whole line...
            Check(block.size() > limit);
            // ...on a line end of the file's code units, or where a line too
            // long to hold was cut into pieces.
            const QList<QByteArray> lines = SplitBlockLines(block, offset, lineEnd, maxLine);
            Check(EndsOnLineEnd(block, offset, lineEnd) || lines.last().size() == maxLine);
        }
    }
    Check(page.Outcome == PageAtEnd);
    QByteArray joined;
    for (const QByteArray &block : qAsConst(blocks))
        joined += block;
    Check(joined == file);

    // Backward, from the recorded block starts alone.
    for (int b = blocks.size() - 2; b >= 0; --b) {
        const CResultPage back = pager.Previous();
        Check(back.Outcome == PageShown && back.Block == b && back.Bytes == blocks.at(b));
    }
    Check(pager.Previous().Outcome == PageAtBeginning);
    return 0;
}
