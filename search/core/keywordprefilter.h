#ifndef LINTRA_KEYWORDPREFILTER_H
#define LINTRA_KEYWORDPREFILTER_H

#include <QByteArray>
#include <QStringList>
#include <QVector>

#include <functional>

#include "search/core/asciisearch.h"
#include "search/core/scanreport.h"
#include "text/core/unmarkedtext.h"

class CKeywordQuery;
class QIODevice;
class QTextCodec;

// A character outside ASCII whose case folding is an ASCII letter, and which
// therefore matches that letter of a keyword: the KELVIN SIGN matches "k".
// Such characters put an ASCII keyword into a line without its bytes.
struct CForeignLetterForm
{
    char Ascii;       // lower case
    ushort Unicode;   // the UTF-16 code unit
    const char *Utf8; // its UTF-8 bytes
};

// Every such character, as enumerated with Qt 5.15 (the tests do it again).
const QVector<CForeignLetterForm> &ForeignLetterForms();
// Whether the text holds one of them.
bool ContainsForeignLetterForm(const QChar *text, qint64 size);

// Reduces UTF-16 to one byte per code unit, in place: ASCII units to their
// byte, the foreign letter forms to their ASCII letter, any other unit to a
// byte above ASCII. Returns the number of units.
int ProjectUtf16(uchar *bytes, int size, bool littleEndian);

enum TEnumPreFilterVerdict
{
    PreFilterNoMatch, // no line of the decoded text can match
    PreFilterMaybe,   // only decoding and matching the lines can tell
    PreFilterCancelled
};

enum TEnumLineSearch
{
    LinesNotMatched, // no line that holds a keyword's bytes matches
    LinesMatched,
    LinesCancelled,
    LinesGivenUp // a read failed, or the line test gave up: only reading every line can tell
};

// Rules a file out of a full-text search from its bytes, before anything is
// decoded: a line can only match when the text contains every keyword as a
// substring, so a file lacking the bytes of a pure-ASCII keyword cannot
// match. This holds only where each ASCII character of the decoded text comes
// from its own byte (UTF-8) or code unit (UTF-16), which is why it looks at
// the byte-order mark exactly as QTextStream does and answers "maybe" for any
// other codec. Text without a mark may also be in a legacy charset of the
// user's language (CUnmarkedTextCharset): those keep ASCII to its bytes, and
// the letters that fold to ASCII are looked for in their encoding too. A
// keyword outside ASCII rules out only text decoded as UTF-8, by the few
// UTF-8 forms that fold to it (Utf8FoldedForms). It never says a file
// matches: that is the line scan's job.
class CKeywordPreFilter
{
public:
    // Reads at most size bytes into data; 0 at the end, -1 on an error.
    using ReadFunction = std::function<qint64(char *data, qint64 size)>;
    // The same from the given byte offset of the file.
    using ReadAtFunction = std::function<qint64(qint64 offset, char *data, qint64 size)>;
    // Tests the line that begins at byte lineStart and holds a keyword's
    // bytes at byte keywordAt, and possibly the lines after it: returns the
    // byte offset after the last line tested (after its line feed, or the
    // file's end), or one of the codes below.
    using LineFunction = std::function<qint64(qint64 lineStart, qint64 keywordAt)>;
    static constexpr qint64 LineMatched = -1;
    static constexpr qint64 LineCancelled = -2;
    static constexpr qint64 LineGivenUp = -3;

    // query: the keywords of the search (only their text matters here);
    // charset: how the line scan decodes text without a byte-order mark;
    // chunkSize: bytes per read.
    explicit CKeywordPreFilter(const CKeywordQuery &query,
                               const CUnmarkedTextCharset &charset = CUnmarkedTextCharset(),
                               int chunkSize = 64 * 1024);

    // False when no keyword has forms to look for: then no file can be ruled out.
    bool IsActive() const { return !Keywords.isEmpty(); }

    // Reads the device from its current position to its end, or until a match
    // is possible. report.Cancelled() is asked between reads, not before the first.
    TEnumPreFilterVerdict Check(QIODevice &device, CScanReport &report);
    TEnumPreFilterVerdict Check(const ReadFunction &readBytes, CScanReport &report);
    // Bytes the last Check read (possibly not all of the device).
    qint64 LastBytesRead() const { return BytesRead; }
    // What the first read of the last Check returned, as read, when that
    // Check answered "maybe" right after it or after finding that read to
    // be the whole file; a null array otherwise. Valid until the next
    // Check: a short file need not be read twice.
    QByteArray FirstReadBytes() const;

    // Whether FindLines can go on from the last Check: it answered "maybe"
    // after finding every keyword, all keywords have forms to look for and
    // the text is UTF-8 (or a legacy charset) or UTF-16, where a line feed
    // byte or code unit always ends a line; keywords outside ASCII need text
    // decoded as UTF-8.
    bool CanFindLines() const { return LinesLocated; }
    // Where the first line that can hold a match starts, in bytes (valid when CanFindLines()).
    qint64 FirstCandidateLine() const { return FirstLineStart * UnitBytes(); }
    // Bytes as stored, one per ASCII character: UTF-8 or a legacy charset.
    bool IsUtf8() const { return Layout == LayoutUtf8; }
    bool IsUtf16LittleEndian() const { return Layout == LayoutUtf16Le; }
    // Hands every line from FirstCandidateLine() on that holds a keyword's
    // bytes, or a character that folds to one of its letters, to testLine,
    // each once and in file order, until one matches. A line that matches
    // holds such bytes, so no other line needs decoding. report.Cancelled()
    // is asked before each line.
    TEnumLineSearch FindLines(const ReadAtFunction &readAt, CScanReport &report,
                              const LineFunction &testLine);

    // For text already in memory that codec decodes as a whole (a block the
    // viewer shows): false when the decoded text cannot contain any one of
    // the keywords.
    bool MayContainAnyKeyword(const QByteArray &bytes, const QTextCodec *codec) const;

private:
    enum TEnumLayout
    {
        LayoutUtf8,
        LayoutUtf16Le,
        LayoutUtf16Be,
        LayoutUnknown
    };
    struct CKeyword
    {
        QByteArray Bytes; // an ASCII keyword, lower case
        // The letters that fold to one of its letters, in UTF-8 and in each legacy charset.
        QVector<QByteArray> ForeignForms;
        // A keyword outside ASCII: its forms in UTF-8 and in the legacy
        // charsets of one byte per character, in groups of one length,
        // looked for in bytes as stored; where another legacy charset may
        // decode the text, only text known to be UTF-8 is ruled out.
        QVector<QVector<QByteArray>> Forms;
        bool NeedsUtf8 = false;
        bool NonAscii() const { return !Forms.isEmpty(); }
    };
    // A place where the bytes may hold a form is compared with each of them:
    // past this many, decoding costs less ("λόγος" has 48 forms).
    static constexpr int MostForms = 64;
    static CKeyword NonAsciiKeyword(const QString &text, const QVector<QByteArray> &utf8Forms,
                                    const QList<QTextCodec *> &legacyCodecs);

    TEnumLayout LayoutOf(const char *head, qint64 size) const;
    void PlaceData(int chunk);
    qint64 ReadHead(const ReadFunction &readBytes);
    int ProjectUnits(int offset, int size, TEnumLayout layout);
    static bool IsPresent(const CKeyword &keyword, const char *bytes, int size, bool utf8);
    static qint64 IndexOf(const CKeyword &keyword, const char *bytes, int size, bool utf8, qint64 from);
    static qint64 LineStartBefore(const char *bytes, qint64 index, qint64 base, qint64 lineStartOfBase);
    bool MarkFoundKeywords(const char *bytes, int size, bool utf8, qint64 base, qint64 lineStartOfBase);
    bool DecodedAsUtf8(const char *head, qint64 size);
    void CheckUtf8(const char *bytes, qint64 size);
    void FindKeywordsNotSought();
    bool AnyKeywordSurelyMissing() const;
    qint64 UnitBytes() const { return Layout == LayoutUtf8 ? 1 : 2; }

    QVector<CKeyword> Keywords;
    QVector<bool> Found; // per keyword, in the file being checked
    bool AllKeywordsAscii = true;
    bool AllKeywordsSought = true; // no keyword is left to the line scan alone
    bool AnyNeedsUtf8 = false;
    bool HasLegacyCharset = false;
    QTextCodec *StreamCodec = nullptr;
    int ChunkSize;
    int Overlap = 0;
    // The kept tail of the last read, then the new one, from DataStart on;
    // UTF-16 is reduced to one byte per code unit in place.
    QByteArray Buffer;
    int DataStart = 0;
    static constexpr int ReadAlignment = 64;
    char *Data() { return Buffer.data() + DataStart; }
    const char *Data() const { return Buffer.constData() + DataStart; }
    int PendingByte = -1; // the odd last byte of a UTF-16 read
    qint64 BytesRead = 0;
    qint64 FirstRead = -1; // the bytes of the first read, while Buffer holds them as read
    QByteArray WholeFile;  // a copy of them, where they were all of the file
    // Of the last Check, in code units from the file's start (bytes for UTF-8).
    TEnumLayout Layout = LayoutUnknown;
    qint64 FirstLineStart = -1; // the earliest line holding a keyword's first occurrence
    bool LinesLocated = false;
    // Whether the last Check's text is decoded as UTF-8 for sure; while
    // unsure, whether the bytes read so far are valid UTF-8, with the start
    // of a sequence that the last read cut.
    bool Utf8Decoded = false;
    bool CheckingUtf8 = false;
    CUtf8Scan Utf8Check;
};

#endif
