#include "search/core/keywordprefilter.h"

#include "search/core/foldedforms.h"
#include "search/core/keywordquery.h"

#include <QIODevice>
#include <QMap>
#include <QTextCodec>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

const int Utf8Mib = 106;
const int Utf16BeMib = 1013;
const int Utf16LeMib = 1014;
const int Latin1Mib = 4;
// Stands for every code unit above ASCII that matches no ASCII character.
const char OtherUnit = char(0x80);

inline uchar ToLowerAscii(uchar c)
{
    return (c >= 'A' && c <= 'Z') ? uchar(c + ('a' - 'A')) : c;
}

bool IsAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

char ProjectedUnit(ushort unit)
{
    if (unit < 0x80)
        return char(unit);
    for (const CForeignLetterForm &form : ForeignLetterForms()) {
        if (form.Unicode == unit)
            return form.Ascii;
    }
    return OtherUnit;
}

// The form's bytes in UTF-8 and in each of the codecs that can hold it.
QVector<QByteArray> ForeignFormBytes(const CForeignLetterForm &form, const QList<QTextCodec *> &codecs)
{
    QVector<QByteArray> bytes{QByteArray(form.Utf8)};
    const QChar letter(form.Unicode);
    for (QTextCodec *codec : codecs) {
        if (!codec->canEncode(letter))
            continue;
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        const QByteArray encoded = codec->fromUnicode(&letter, 1, &state);
        if (!encoded.isEmpty() && !bytes.contains(encoded))
            bytes << encoded;
    }
    return bytes;
}

} // namespace

// In place: unit u is written at u, after its bytes at 2u were read; an odd last byte is left over.
int ProjectUtf16(uchar *bytes, int size, bool littleEndian)
{
    const int units = size / 2;
    const int high = littleEndian ? 1 : 0;
    const auto project = [bytes, high](int u) {
        bytes[u] = uchar(ProjectedUnit(ushort(bytes[2 * u + high] << 8 | bytes[2 * u + 1 - high])));
    };
    int u = 0;
#ifdef __SSE2__
    // Eight units at once where they are all ASCII, as most of a text is.
    const __m128i nonAscii = _mm_set1_epi16(short(0xFF80));
    for (; u + 8 <= units; u += 8) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 2 * u));
        if (!high)
            v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, nonAscii), _mm_setzero_si128())) == 0xFFFF) {
            _mm_storel_epi64(reinterpret_cast<__m128i *>(bytes + u), _mm_packus_epi16(v, v));
        } else {
            for (int k = 0; k < 8; ++k)
                project(u + k);
        }
    }
#endif
    for (; u < units; ++u)
        project(u);
    return units;
}

const QVector<CForeignLetterForm> &ForeignLetterForms()
{
    static const QVector<CForeignLetterForm> forms = {
        {'s', 0x017F, "\xC5\xBF"},     // LATIN SMALL LETTER LONG S
        {'k', 0x212A, "\xE2\x84\xAA"}, // KELVIN SIGN
    };
    return forms;
}

bool ContainsForeignLetterForm(const QChar *text, qint64 size)
{
    for (qint64 i = 0; i < size; ++i) {
        const ushort unit = text[i].unicode();
        if (unit >= 0x80 && ProjectedUnit(unit) != OtherUnit)
            return true;
    }
    return false;
}

CKeywordPreFilter::CKeywordPreFilter(const CKeywordQuery &query, const CUnmarkedTextCharset &charset,
                                     int chunkSize)
    : HasLegacyCharset(charset.HasLegacyCharset())
    , StreamCodec(charset.LocalCodec())
    , ChunkSize(qMax(2, chunkSize & ~1))
{
    int longest = 0;
    for (const QString &text : query.FoldedKeywords()) {
        if (text.isEmpty() || !IsAscii(text)) {
            AllKeywordsAscii = false;
            const QVector<QByteArray> forms =
                text.isEmpty() ? QVector<QByteArray>() : Utf8FoldedForms(text, MostForms);
            if (forms.isEmpty()) {
                AllKeywordsSought = false;
                continue;
            }
            Keywords << NonAsciiKeyword(text, forms, charset.LegacyCodecs());
            AnyNeedsUtf8 = AnyNeedsUtf8 || Keywords.last().NeedsUtf8;
            for (const QVector<QByteArray> &group : qAsConst(Keywords.last().Forms))
                longest = qMax(longest, group.first().size());
            continue;
        }
        CKeyword keyword;
        for (const QChar c : text)
            keyword.Bytes += char(ToLowerAscii(uchar(c.unicode())));
        for (const CForeignLetterForm &form : ForeignLetterForms()) {
            if (keyword.Bytes.contains(form.Ascii))
                keyword.ForeignForms << ForeignFormBytes(form, charset.LegacyCodecs());
        }
        longest = qMax(longest, keyword.Bytes.size());
        for (const QByteArray &form : qAsConst(keyword.ForeignForms))
            longest = qMax(longest, form.size());
        Keywords << keyword;
    }
    Overlap = longest - 1;
}

CKeywordPreFilter::TEnumLayout CKeywordPreFilter::LayoutOf(const char *head, qint64 size) const
{
    // The decision QTextStream takes on its first read, which sees at least these bytes.
    const QByteArray bytes = QByteArray::fromRawData(head, int(qMin<qint64>(size, 4)));
    const QTextCodec *codec = QTextCodec::codecForUtfText(bytes, StreamCodec);
    switch (codec ? codec->mibEnum() : 0) {
    case Utf8Mib:
        return LayoutUtf8;
    case Utf16LeMib:
        return LayoutUtf16Le;
    case Utf16BeMib:
        return LayoutUtf16Be;
    }
    return LayoutUnknown;
}

// Reads land on a cache-line boundary, after the kept tail of the last one:
// the kernel copied a file into a buffer 8 to 24 bytes past one at up to a
// third of the speed.
void CKeywordPreFilter::PlaceData(int chunk)
{
    Buffer.resize(Overlap + 1 + chunk + ReadAlignment);
    const quintptr keptEnd = quintptr(Buffer.data() + Overlap);
    const quintptr aligned = (keptEnd + ReadAlignment - 1) / ReadAlignment * ReadAlignment;
    DataStart = int(aligned - keptEnd);
}

qint64 CKeywordPreFilter::ReadHead(const ReadFunction &readBytes)
{
    qint64 size = 0;
    while (size < 4) {
        const qint64 read = readBytes(Data() + size, qMax(ChunkSize, 4) - size);
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        size += read;
    }
    return size;
}

int CKeywordPreFilter::ProjectUnits(int offset, int size, TEnumLayout layout)
{
    PendingByte = size % 2 ? uchar(Data()[offset + size - 1]) : -1;
    return ProjectUtf16(reinterpret_cast<uchar *>(Data() + offset), size, layout == LayoutUtf16Le);
}

QByteArray CKeywordPreFilter::FirstReadBytes() const
{
    if (!WholeFile.isNull())
        return WholeFile;
    return FirstRead < 0 ? QByteArray() : QByteArray::fromRawData(Data(), int(FirstRead));
}

bool CKeywordPreFilter::MayContainAnyKeyword(const QByteArray &bytes, const QTextCodec *codec) const
{
    if (!IsActive() || !AllKeywordsAscii || !codec)
        return true;
    const int mib = codec->mibEnum();
    QByteArray units;
    const char *data = bytes.constData();
    int size = bytes.size();
    if (mib == Utf16LeMib || mib == Utf16BeMib) {
        units = bytes;
        size = ProjectUtf16(reinterpret_cast<uchar *>(units.data()), units.size(), mib == Utf16LeMib);
        data = units.constData();
    } else if (mib != Utf8Mib && mib != Latin1Mib) {
        return true;
    }
    for (const CKeyword &keyword : Keywords) {
        if (IsPresent(keyword, data, size, mib == Utf8Mib))
            return true;
    }
    return false;
}

bool CKeywordPreFilter::IsPresent(const CKeyword &keyword, const char *bytes, int size, bool utf8)
{
    return IndexOf(keyword, bytes, size, utf8, 0) >= 0;
}

// The forms in groups of one length, each group looked for in one pass: in
// UTF-8, then in each legacy charset of one byte per character. Only text
// in another legacy charset needs to be known to be UTF-8.
CKeywordPreFilter::CKeyword CKeywordPreFilter::NonAsciiKeyword(const QString &text,
                                                               const QVector<QByteArray> &utf8Forms,
                                                               const QList<QTextCodec *> &legacyCodecs)
{
    QMap<int, QVector<QByteArray>> byLength;
    for (const QByteArray &form : utf8Forms)
        byLength[form.size()] << form;
    CKeyword keyword;
    for (const QVector<QByteArray> &group : qAsConst(byLength))
        keyword.Forms << group;
    for (QTextCodec *codec : legacyCodecs) {
        QVector<QByteArray> forms;
        if (!SingleByteFoldedForms(text, codec, MostForms, &forms))
            keyword.NeedsUtf8 = true;
        else if (!forms.isEmpty())
            keyword.Forms << forms;
    }
    return keyword;
}

qint64 CKeywordPreFilter::IndexOf(const CKeyword &keyword, const char *bytes, int size, bool utf8,
                                  qint64 from)
{
    if (keyword.NonAscii()) {
        qint64 first = -1;
        for (int g = 0; utf8 && g < keyword.Forms.size(); ++g) {
            const qint64 end = first >= 0 ? first : size;
            const qint64 at = IndexOfAnyAsciiCaseInsensitive(bytes, end, keyword.Forms.at(g), from);
            if (at >= 0)
                first = at;
        }
        return first;
    }
    qint64 first = IndexOfAsciiCaseInsensitive(bytes, size, keyword.Bytes, from);
    for (int f = 0; utf8 && f < keyword.ForeignForms.size(); ++f) {
        // Only where the keyword is not found earlier.
        const qint64 end = first >= 0 ? first : size;
        if (from >= end)
            break;
        // ASCII letters in a form stand for both cases; any other byte only for itself.
        const qint64 at = IndexOfAsciiCaseInsensitive(bytes, end, keyword.ForeignForms.at(f), from);
        if (at >= 0)
            first = at;
    }
    return first;
}

// Whether CUnmarkedTextCharset leaves the text to UTF-8 for sure: a mark
// says so, or no legacy charset competes. Otherwise text that is valid
// UTF-8 from its first byte to its last is UTF-8 to it, which CheckUtf8
// follows read by read.
bool CKeywordPreFilter::DecodedAsUtf8(const char *head, qint64 size)
{
    CheckingUtf8 = false;
    if (!AnyNeedsUtf8 || !HasLegacyCharset || (size >= 3 && memcmp(head, "\xEF\xBB\xBF", 3) == 0))
        return true;
    CheckingUtf8 = true;
    Utf8Check = CUtf8Scan();
    return false;
}

// The bytes of one more read: a sequence that a read cuts is carried over
// and checked whole with the first bytes of the next.
void CKeywordPreFilter::CheckUtf8(const char *bytes, qint64 size)
{
    if (CheckingUtf8)
        Utf8Check.Feed(bytes, size);
}

// The bytes of a keyword outside ASCII are known in UTF-8 only: elsewhere it
// counts as found, and only the line scan can tell.
void CKeywordPreFilter::FindKeywordsNotSought()
{
    for (int k = 0; k < Keywords.size(); ++k)
        Found[k] = Keywords.at(k).NonAscii() && Layout != LayoutUtf8;
}

bool CKeywordPreFilter::AnyKeywordSurelyMissing() const
{
    for (int k = 0; k < Keywords.size(); ++k) {
        if (!Found.at(k) && (!Keywords.at(k).NeedsUtf8 || Utf8Decoded))
            return true;
    }
    return false;
}

// Where the line holding bytes[index] starts, counted from the file's start;
// lineStartOfBase is where the line holding bytes[0] (at base) starts.
qint64 CKeywordPreFilter::LineStartBefore(const char *bytes, qint64 index, qint64 base,
                                          qint64 lineStartOfBase)
{
    const void *feed = index > 0 ? memrchr(bytes, '\n', size_t(index)) : nullptr;
    return feed ? base + (static_cast<const char *>(feed) - bytes) + 1 : lineStartOfBase;
}

bool CKeywordPreFilter::MarkFoundKeywords(const char *bytes, int size, bool utf8, qint64 base,
                                          qint64 lineStartOfBase)
{
    bool all = true;
    for (int k = 0; k < Keywords.size(); ++k) {
        if (!Found.at(k)) {
            const qint64 at = IndexOf(Keywords.at(k), bytes, size, utf8, 0);
            Found[k] = at >= 0;
            if (at >= 0) {
                const qint64 lineStart = LineStartBefore(bytes, at, base, lineStartOfBase);
                FirstLineStart = FirstLineStart < 0 ? lineStart : qMin(FirstLineStart, lineStart);
            }
        }
        all = all && Found.at(k);
    }
    return all;
}

TEnumPreFilterVerdict CKeywordPreFilter::Check(QIODevice &device, CScanReport &report)
{
    return Check([&device](char *data, qint64 size) { return device.read(data, size); }, report);
}

TEnumPreFilterVerdict CKeywordPreFilter::Check(const ReadFunction &readBytes, CScanReport &report)
{
    BytesRead = 0;
    FirstRead = -1;
    Layout = LayoutUnknown;
    FirstLineStart = -1;
    LinesLocated = false;
    CheckingUtf8 = false;
    WholeFile = QByteArray();
    if (!IsActive())
        return PreFilterMaybe;
    PlaceData(qMax(ChunkSize, 4));
    qint64 read = ReadHead(readBytes);
    FirstRead = read;
    const TEnumLayout layout = read < 0 ? LayoutUnknown : LayoutOf(Data(), read);
    Layout = layout;
    if (layout == LayoutUnknown)
        return PreFilterMaybe; // also after a read error: the line scan reads what it can
    if (layout != LayoutUtf8)
        FirstRead = -1; // reduced in place below
    Utf8Decoded = layout == LayoutUtf8 && DecodedAsUtf8(Data(), read);
    CheckUtf8(Data(), read);
    // Where the charset of a short file is chosen by its bytes, it is not read twice.
    if (layout == LayoutUtf8 && HasLegacyCharset && read < ChunkSize)
        WholeFile = QByteArray(Data(), int(read));
    Found.resize(Keywords.size());
    FindKeywordsNotSought();
    PendingByte = -1;
    int kept = 0;
    qint64 base = 0;            // the code unit Data()[0] stands for
    qint64 lineStartOfBase = 0; // where the line holding it starts
    while (read > 0) {
        BytesRead += read;
        int size = kept + int(read);
        if (layout != LayoutUtf8)
            size = kept + ProjectUnits(kept, int(read), layout);
        if (MarkFoundKeywords(Data(), size, layout == LayoutUtf8, base, lineStartOfBase)) {
            // Bytes outside ASCII are kept as stored only where they are bytes.
            LinesLocated = AllKeywordsSought &&
                           (AllKeywordsAscii || (layout == LayoutUtf8 && (!AnyNeedsUtf8 || Utf8Decoded)));
            return PreFilterMaybe;
        }
        // A keyword may straddle two reads.
        FirstRead = -1;
        kept = qMin(Overlap, size);
        lineStartOfBase = LineStartBefore(Data(), size - kept, base, lineStartOfBase);
        base += size - kept;
        memmove(Data(), Data() + size - kept, size_t(kept));
        if (report.Cancelled())
            return PreFilterCancelled;
        // An odd byte of UTF-16 waits for its partner.
        const int pending = PendingByte >= 0 ? 1 : 0;
        if (pending)
            Data()[kept] = char(PendingByte);
        read = readBytes(Data() + kept + pending, ChunkSize);
        if (read != 0)
            WholeFile = QByteArray(); // the first read was not all, or where the file ends is unknown
        if (read < 0)
            return PreFilterMaybe;
        CheckUtf8(Data() + kept, read);
        read += read > 0 ? pending : 0;
    }
    Utf8Decoded = Utf8Decoded || (CheckingUtf8 && Utf8Check.ValidToHere());
    return AnyKeywordSurelyMissing() ? PreFilterNoMatch : PreFilterMaybe;
}

TEnumLineSearch CKeywordPreFilter::FindLines(const ReadAtFunction &readAt, CScanReport &report,
                                             const LineFunction &testLine)
{
    if (!LinesLocated)
        return LinesGivenUp;
    // The buffer is read into again: the first read's bytes are gone.
    FirstRead = -1;
    const bool utf8 = Layout == LayoutUtf8;
    const qint64 unitBytes = UnitBytes();
    PlaceData(ChunkSize);
    QVector<qint64> next(Keywords.size());
    qint64 base = FirstLineStart; // in code units, as below
    qint64 lineStartOfBase = base;
    qint64 tested = base; // every line before this has been tested
    int kept = 0;
    for (;;) {
        qint64 read = readAt((base + kept) * unitBytes, Data() + kept, ChunkSize);
        if (read < 0)
            return LinesGivenUp;
        read -= read % unitBytes; // an odd last byte is no code unit
        if (read == 0)
            return LinesNotMatched;
        const int size = kept + (utf8 ? int(read)
                                      : ProjectUtf16(reinterpret_cast<uchar *>(Data() + kept), int(read),
                                                     Layout == LayoutUtf16Le));
        // Each keyword's next occurrence at or after `from`; -2 not looked for yet.
        next.fill(-2);
        qint64 from = qMax<qint64>(0, tested - base);
        while (from < size) {
            qint64 at = -1;
            for (int k = 0; k < Keywords.size(); ++k) {
                if (next.at(k) == -2 || (next.at(k) >= 0 && next.at(k) < from))
                    next[k] = IndexOf(Keywords.at(k), Data(), size, utf8, from);
                if (next.at(k) >= 0 && (at < 0 || next.at(k) < at))
                    at = next.at(k);
            }
            if (at < 0)
                break;
            if (report.Cancelled())
                return LinesCancelled;
            const qint64 lineStart = LineStartBefore(Data(), at, base, lineStartOfBase);
            const qint64 lineEnd = testLine(lineStart * unitBytes, (base + at) * unitBytes);
            if (lineEnd == LineMatched)
                return LinesMatched;
            if (lineEnd == LineCancelled)
                return LinesCancelled;
            if (lineEnd < 0)
                return LinesGivenUp;
            tested = lineEnd / unitBytes;
            from = tested - base;
        }
        if (tested >= base + size) {
            // The last line tested ends beyond these bytes: go on after it.
            base = tested;
            lineStartOfBase = tested;
            kept = 0;
            continue;
        }
        // A keyword may straddle two reads.
        const int keep = qMin(Overlap, size);
        lineStartOfBase = LineStartBefore(Data(), size - keep, base, lineStartOfBase);
        base += size - keep;
        memmove(Data(), Data() + size - keep, size_t(keep));
        kept = keep;
    }
}
