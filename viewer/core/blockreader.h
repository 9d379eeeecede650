#ifndef LINTRA_BLOCKREADER_H
#define LINTRA_BLOCKREADER_H

#include <QByteArray>
#include <QList>

#include "text/core/textencodingdetector.h"

class QIODevice;

// Files of this many bytes or more are shown block by block, and a block
// ends with the line that takes it past this many bytes.
const qint64 BlockByteLimit = 51200;

// A longer line is taken in pieces of this many bytes (a multiple of
// every code unit, so the pieces stay aligned): a file with a line of
// gigabytes, such as one full of zero bytes, must not be read into one block.
// Small beside the block limit, so that no block is much longer than that:
// the pane lays out a block shown at once, and a megabyte on one line (a run
// of zero bytes) held the window for seconds.
const qint64 MaxLineBytes = 8192;

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

// Where the block that starts at data[0] (file offset `dataOffset`, a line
// start) ends: after the line that takes it past `byteLimit` bytes, or at the
// end of the file. End is -1 when the bytes run out before that can be
// told and atEnd says more may follow; a block ending exactly where the
// bytes end is only told once atEnd says whether the file ends there.
// Lines: those that end in the block, as grep numbers them: a line cut into
// pieces counts once, where it ends; the file's last line without a line
// end counts too.
struct CBlockExtent
{
    qint64 End = -1;
    qint64 Lines = 0;
};
CBlockExtent FindBlockEnd(const char *data, qint64 size, qint64 dataOffset, qint64 byteLimit,
                          CLineEnd lineEnd, qint64 maxLineBytes, bool atEnd);

// The end of the line that starts at data[start]: after the first LF unit,
// or `maxLineBytes` on, or at the end of the bytes when atEnd; -1 when the
// bytes run out first. lineFeed, where given, is set when an LF unit ends it.
qint64 LineEndFrom(const char *data, qint64 size, qint64 start, qint64 dataOffset, CLineEnd lineEnd,
                   qint64 maxLineBytes, bool atEnd, bool *lineFeed = nullptr);

// A whole block's bytes cut into its lines, each with its line end.
QList<QByteArray> SplitBlockLines(const QByteArray &bytes, qint64 offset, CLineEnd lineEnd,
                                  qint64 maxLineBytes = MaxLineBytes);

#endif
