#ifndef LINTRA_BLOCKREADER_H
#define LINTRA_BLOCKREADER_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>

#include "text/core/textencodingdetector.h"
#include "viewer/core/lineoffsets.h"

class QIODevice;

// Files of this many bytes or more are shown block by block, and a block
// ends with the line that takes it past this many bytes.
const qint64 BlockByteLimit = 51200;

// A longer line is taken as several lines of this many bytes (a multiple of
// every code unit, so the pieces stay aligned): a file with a line of
// gigabytes, such as one full of zero bytes, must not be read into one block.
const qint64 MaxLineBytes = 1 << 20;

// Block index -> (first line, last line), inclusive; first = last + 1 is the
// empty block after a block that ended exactly at the end of the file.
typedef QMap<int, QPair<int, int>> TBlockLineRanges;
typedef CLineOffsets TLineOffsets;

// What ends a line in a file: the code unit LF of its encoding. Lines of
// UTF-16 and UTF-32 files end only on whole code units, so that a block
// never starts in the middle of one.
struct CLineEnd
{
    int UnitSize = 1;
    bool BigEndian = false;

    bool operator==(const CLineEnd &other) const
    {
        return UnitSize == other.UnitSize && BigEndian == other.BigEndian;
    }
    bool operator!=(const CLineEnd &other) const { return !(*this == other); }
};

CLineEnd LineEndOf(TEnumTextEncoding encoding);

// The encoding that decides where the lines of a file end, from the bytes
// at its start: enough to see a byte-order mark or UTF-16 text.
TEnumTextEncoding LineEndEncodingOf(QIODevice &device, qint64 byteLimit);

// Reads a file in blocks of whole lines and records, in maps the caller
// owns, where every line and block read so far lies, so that any block can
// be read again with one seek. It keeps no state between calls besides the
// device position, and it does not decode anything.
class CBlockReader
{
public:
    CBlockReader(QIODevice &device, qint64 byteLimit, CLineEnd lineEnd, TBlockLineRanges &blockLineRanges,
                 TLineOffsets &lineOffsets, qint64 maxLineBytes = MaxLineBytes);

    // Reads the lines of a block not read before, from the device's current
    // position, which must be `offset`: until the block holds more than the
    // byte limit, or to the end of the file. Records the lines and the
    // block's range; returns the block's bytes. `reachedEnd` tells whether
    // the file ended with this block.
    QByteArray ReadNewBlock(int block, int firstLine, qint64 offset, bool &reachedEnd);

    // Reads a recorded block again; false when the seek to it fails.
    bool ReadKnownBlock(int block, QByteArray &bytes);

    // Where the block after a recorded one starts: its first line and byte.
    void NextBlockStart(int block, int &firstLine, qint64 &offset) const;

    // The block's bytes cut into its recorded lines.
    QList<QByteArray> SplitLines(int block, const QByteArray &bytes) const;

private:
    qint64 AppendLine(QByteArray &bytes, qint64 offset);
    bool EndsLine(QByteArray &bytes, qint64 position);

    QIODevice &Device;
    qint64 ByteLimit;
    qint64 LineByteLimit;
    CLineEnd LineEnd;
    TBlockLineRanges &BlockLineRanges;
    TLineOffsets &LineOffsets;
};

#endif
