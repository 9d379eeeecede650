#ifndef LINTRA_RESULTPAGER_H
#define LINTRA_RESULTPAGER_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

#include "text/core/textencodingdetector.h"
#include "text/core/unmarkedtext.h"
#include "viewer/core/blockreader.h"

class QIODevice;
class QTextCodec;

// What a paging step did.
enum TEnumPageOutcome
{
    PageShown,       // the block was read; it is the current block now
    PageAtBeginning, // Previous at the first block: nothing moved
    PageAtEnd,       // Next at the last block: nothing moved
    PageUnreadable,  // the file could not be opened or the seek failed: nothing moved
    PageFileShrunk,  // the file ends before a block found earlier: nothing moved
    PageGone,        // the file is no longer there: nothing moved
    PageNotRegular,  // the path names a FIFO, socket or device, which is never read
    PageCancelled,   // a scan for a keyword was stopped: nothing moved
    PageNoMatch      // no further (or earlier) block holds a keyword: nothing moved
};

// What a scan of blocks looks for, and how it is stopped and watched. Every
// block read while it is set has its matches counted, so that a match can
// be numbered in the whole file and the blocks without one are skipped when
// going back.
struct CBlockSearch
{
    // Whether a block's bytes may hold a keyword, before decoding; null:
    // every block is decoded.
    std::function<bool(const QByteArray &bytes, QTextCodec *codec)> MayMatch;
    // How many keywords a decoded block holds.
    std::function<int(const QString &text)> CountMatches;
    // Asked between blocks; true stops the scan.
    std::function<bool()> Cancelled;
    // Told, now and then during a scan, how far it has read.
    std::function<void(qint64 offset, qint64 size)> Progress;
};

// The result of a step: the block on show afterwards, its bytes and text.
struct CResultPage
{
    TEnumPageOutcome Outcome = PageUnreadable;
    int Block = 0;
    QByteArray Bytes;
    QString Text;
};

// Reads a big result file block by block and remembers where each block
// starts, so that any block found so far can be read again with one seek.
// A block is a run of whole lines that ends with the line taking it past the
// byte limit, or at the end of the file. The state is one entry per block,
// never per line: a file of gigabytes costs a few hundred kilobytes.
//
// It decodes what it reads: with the codec of the encoding found in the
// first block, the local codec for 8-bit text, or a codec the user chose.
// It shows nothing and says nothing: the window turns outcomes into texts.
class CResultPager
{
public:
    // Nothing to page through: every step reports the file unreadable.
    CResultPager();
    // A file, opened anew for every step (so that a file removed or changed
    // meanwhile is noticed); charset tells what decodes text without a
    // byte-order mark, from the first block's bytes.
    CResultPager(const QString &path, qint64 byteLimit, const CUnmarkedTextCharset &charset,
                 qint64 maxLineBytes = MaxLineBytes);
    // The same for a path as the file system spells it.
    CResultPager(const QByteArray &nativePath, qint64 byteLimit, const CUnmarkedTextCharset &charset,
                 qint64 maxLineBytes = MaxLineBytes);
    // Any device the caller keeps open for the pager's lifetime.
    CResultPager(QIODevice *device, qint64 byteLimit, const CUnmarkedTextCharset &charset,
                 qint64 maxLineBytes = MaxLineBytes);

    // Reads block 0 and decides the encoding from it; its text skips a
    // byte-order mark. An unreadable or empty file gives an empty block 0
    // that is also the last.
    CResultPage First();
    // What the scans look for; without CountMatches nothing is counted and
    // the scans stop at the first block they read.
    void SetSearch(const CBlockSearch &search) { Search = search; }
    // First, then block after block until one holds a keyword. Blocks that
    // the pre-filter rules out are not decoded. Without a matching block it
    // stops on the empty block past the end, with empty bytes. Cancelled,
    // it stays at block 0 (the page holds it, with the outcome
    // PageCancelled).
    CResultPage FirstWithKeyword();
    // The nearest block after (before) the current one that holds a keyword:
    // known blocks by their counts, then new ones scanned as above.
    // PageNoMatch when there is none.
    CResultPage NextWithKeyword();
    CResultPage PreviousWithKeyword();
    // A known block, read again.
    CResultPage Block(int block);
    CResultPage Next();
    CResultPage Previous();
    // The block on show decoded again, with the codec now chosen.
    CResultPage Current() const;

    // Decodes with this codec from now on (null: the encoding's own codec).
    void SetCodec(QTextCodec *codec) { ChosenCodec = codec; }
    QTextCodec *Codec() const { return ChosenCodec; }

    TEnumTextEncoding Encoding() const { return FileEncoding; }
    // What decodes the file where its encoding has no codec of its own
    // (Local8Bit, Ascii), as the first block decided.
    QTextCodec *UnmarkedCodec() const { return LocalCodec ? LocalCodec : Charset.LocalCodec(); }
    int BomLength() const { return FirstBomLength; }
    int CurrentBlock() const { return CurrentIndex; }
    // The block that reached the end of the file; -1 while not yet read.
    int LastBlock() const { return LastIndex; }
    // Blocks whose start is known (read at least once).
    int KnownBlocks() const { return Starts.size() - 1; }
    // How many blocks hold bytes: exact once the end was read, else an
    // estimate from the file's size.
    int BlockCount() const;
    bool BlockCountKnown() const { return LastIndex >= 0; }
    // The block on show is the empty one after the end of the file.
    bool PastTheEnd() const;

    // Keywords in a block, -1 when not counted.
    int BlockMatches(int block) const
    {
        return block >= 0 && block < Matches.size() ? Matches.at(block) : -1;
    }
    // Keywords in the blocks before this one (as far as they are counted).
    int MatchesBefore(int block) const;
    // Keywords counted in all blocks read so far; all of the file's once
    // the end has been read.
    int MatchesCounted() const { return MatchesBefore(Matches.size()); }
    bool MatchesAllCounted() const { return LastIndex >= 0 && !Matches.contains(-1); }

    // Inclusive line range and first byte of a known block ((0, 0) and 0
    // for others); first = last + 1 for an empty block.
    QPair<int, int> BlockLineRange(int block) const;
    qint64 BlockOffset(int block) const;
    int CurrentBlockFirstLine() const { return BlockLineRange(CurrentIndex).first; }
    int CurrentBlockLastLine() const { return BlockLineRange(CurrentIndex).second; }
    // The raw lines of the block on show, each as read (with its line end).
    QList<QByteArray> CurrentLines() const;
    const QByteArray &CurrentBytes() const { return Shown; }
    // Bytes the paging state holds besides the block on show.
    qint64 StateBytes() const { return qint64(Starts.capacity()) * qint64(sizeof(CBlockStart)); }

private:
    struct CBlockStart
    {
        qint64 Offset;
        qint64 FirstLine;
    };
    class CDeviceUse;
    class CBlockScanner;

    CResultPage ReadKnown(int block, TEnumPageOutcome &outcome);
    QByteArray ReadNewBlock(QIODevice &device, int block);
    QTextCodec *WholeFileCodec(QIODevice &device) const;
    CResultPage ScanNewBlocks();
    void Record(int block, qint64 endOffset, qint64 lines, bool reachedEnd);
    void Count(int block, const QString &text);
    bool Cancelled() const { return Search.Cancelled && Search.Cancelled(); }
    CResultPage Failed(TEnumPageOutcome outcome) const;
    CResultPage Page(int block, const QByteArray &bytes, int skip);
    QTextCodec *DecodingCodec() const;
    QString Decode(const QByteArray &bytes, int skip) const;

    QByteArray NativePath;
    QIODevice *Device = nullptr;
    qint64 ByteLimit = BlockByteLimit;
    qint64 LineByteLimit = MaxLineBytes;
    CUnmarkedTextCharset Charset;
    QTextCodec *LocalCodec = nullptr;
    QTextCodec *ChosenCodec = nullptr;
    TEnumTextEncoding FileEncoding = Local8Bit;
    CLineEnd LineEnd;
    int FirstBomLength = 0;
    qint64 FileSize = 0;
    // Starts[b] for every block read, then where the block after them starts.
    QVector<CBlockStart> Starts;
    // Matches[b]: keywords in block b, -1 where not counted.
    QVector<int> Matches;
    CBlockSearch Search;
    // How the last opening of the file went.
    mutable TEnumPageOutcome OpenOutcome = PageShown;
    int CurrentIndex = 0;
    int LastIndex = -1;
    QByteArray Shown;
};

#endif
