#ifndef LINTRA_KEYWORDPREFILTER_H
#define LINTRA_KEYWORDPREFILTER_H

#include <QByteArray>
#include <QStringList>
#include <QVector>

#include <functional>

#include "search/core/asciisearch.h"
#include "search/core/scanreport.h"

class QIODevice;
class QTextCodec;

// A character outside ASCII that a full-text expression (a case-insensitive
// QRegExp) matches with an ASCII pattern character: the KELVIN SIGN matches
// "k". Such characters put an ASCII keyword into a line without its bytes.
struct CForeignLetterForm
{
    char Ascii;       // lower case
    ushort Unicode;   // the UTF-16 code unit
    const char *Utf8; // its UTF-8 bytes
};

// Every such character of the BMP, as enumerated with Qt 5.15 (the tests do it again).
const QVector<CForeignLetterForm> &ForeignLetterForms();

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

// Rules a file out of a full-text search from its bytes, before anything is
// decoded: a line can only match when the text contains every keyword as a
// substring, so a file lacking the bytes of a pure-ASCII keyword cannot
// match. This holds only where each ASCII character of the decoded text comes
// from its own byte (UTF-8) or code unit (UTF-16), which is why it looks at
// the byte-order mark exactly as QTextStream does and answers "maybe" for any
// other codec. It never says a file matches: that is the line scan's job.
class CKeywordPreFilter
{
public:
    // Reads at most size bytes into data; 0 at the end, -1 on an error.
    using ReadFunction = std::function<qint64(char *data, qint64 size)>;

    // patterns: the escaped, lower-cased keyword patterns of the search;
    // streamCodec: the codec the line scan falls back to without a
    // byte-order mark (null: the local codec); chunkSize: bytes per read.
    explicit CKeywordPreFilter(const QStringList &patterns, QTextCodec *streamCodec = nullptr,
                               int chunkSize = 64 * 1024);

    // False when no keyword is pure ASCII: then no file can be ruled out.
    bool IsActive() const { return !Keywords.isEmpty(); }

    // Reads the device from its current position to its end, or until a match
    // is possible. report.Cancelled() is asked between reads, not before the first.
    TEnumPreFilterVerdict Check(QIODevice &device, CScanReport &report);
    TEnumPreFilterVerdict Check(const ReadFunction &readBytes, CScanReport &report);
    // Bytes the last Check read (possibly not all of the device).
    qint64 LastBytesRead() const { return BytesRead; }
    // What the first read of the last Check returned, as read, when that
    // Check answered "maybe" right after it; a null array otherwise. Valid
    // until the next Check: a short file need not be read twice.
    QByteArray FirstReadBytes() const;

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
        QByteArray Bytes;
        QVector<const CForeignLetterForm *> ForeignForms;
    };

    TEnumLayout LayoutOf(const char *head, qint64 size) const;
    qint64 ReadHead(const ReadFunction &readBytes);
    int ProjectUnits(int offset, int size, TEnumLayout layout);
    static bool IsPresent(const CKeyword &keyword, const char *bytes, int size, bool utf8);
    bool MarkFoundKeywords(const char *bytes, int size, bool utf8, QVector<bool> &found) const;

    QVector<CKeyword> Keywords;
    QVector<bool> Found; // per keyword, in the file being checked
    bool AllKeywordsAscii = true;
    QTextCodec *StreamCodec = nullptr;
    int ChunkSize;
    int Overlap = 0;
    // The kept tail of the last read, then the new one; UTF-16 is reduced to
    // one byte per code unit in place.
    QByteArray Buffer;
    int PendingByte = -1; // the odd last byte of a UTF-16 read
    qint64 BytesRead = 0;
    qint64 FirstRead = -1; // the bytes of the first read, while Buffer holds them as read
};

#endif
