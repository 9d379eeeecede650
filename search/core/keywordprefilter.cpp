#include "search/core/keywordprefilter.h"

#include "search/core/keywordquery.h"

#include <QIODevice>
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
    // A bare QRegExp "s" also finds the LONG S (U+017F), but only through its
    // shortcut for plain strings; the full-text expressions are groups and
    // compare lower-case forms, which the LONG S does not have in ASCII.
    static const QVector<CForeignLetterForm> forms = {
        {'k', 0x212A, "\xE2\x84\xAA"}, // KELVIN SIGN
    };
    return forms;
}

CKeywordPreFilter::CKeywordPreFilter(const QStringList &patterns, QTextCodec *streamCodec, int chunkSize)
    : StreamCodec(streamCodec ? streamCodec : QTextCodec::codecForLocale())
    , ChunkSize(qMax(2, chunkSize & ~1))
{
    int longest = 0;
    for (const CForeignLetterForm &form : ForeignLetterForms())
        longest = qMax(longest, int(qstrlen(form.Utf8)));
    for (const QString &pattern : patterns) {
        const QString text = PatternText(pattern);
        if (text.isEmpty() || !IsAscii(text)) {
            AllKeywordsAscii = false;
            continue;
        }
        CKeyword keyword;
        for (const QChar c : text)
            keyword.Bytes += char(ToLowerAscii(uchar(c.unicode())));
        for (const CForeignLetterForm &form : ForeignLetterForms()) {
            if (keyword.Bytes.contains(form.Ascii))
                keyword.ForeignForms << &form;
        }
        longest = qMax(longest, keyword.Bytes.size());
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

qint64 CKeywordPreFilter::ReadHead(const ReadFunction &readBytes)
{
    qint64 size = 0;
    while (size < 4) {
        const qint64 read = readBytes(Buffer.data() + size, qMax(ChunkSize, 4) - size);
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
    PendingByte = size % 2 ? uchar(Buffer.at(offset + size - 1)) : -1;
    return ProjectUtf16(reinterpret_cast<uchar *>(Buffer.data() + offset), size, layout == LayoutUtf16Le);
}

QByteArray CKeywordPreFilter::FirstReadBytes() const
{
    return FirstRead < 0 ? QByteArray() : QByteArray::fromRawData(Buffer.constData(), int(FirstRead));
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
    if (ContainsAsciiCaseInsensitive(bytes, size, keyword.Bytes))
        return true;
    for (int f = 0; utf8 && f < keyword.ForeignForms.size(); ++f) {
        const char *form = keyword.ForeignForms.at(f)->Utf8;
        if (memmem(bytes, size_t(size), form, qstrlen(form)))
            return true;
    }
    return false;
}

bool CKeywordPreFilter::MarkFoundKeywords(const char *bytes, int size, bool utf8, QVector<bool> &found) const
{
    bool all = true;
    for (int k = 0; k < Keywords.size(); ++k) {
        if (!found.at(k))
            found[k] = IsPresent(Keywords.at(k), bytes, size, utf8);
        all = all && found.at(k);
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
    if (!IsActive())
        return PreFilterMaybe;
    Buffer.resize(Overlap + 1 + qMax(ChunkSize, 4));
    qint64 read = ReadHead(readBytes);
    FirstRead = read;
    const TEnumLayout layout = read < 0 ? LayoutUnknown : LayoutOf(Buffer.constData(), read);
    if (layout == LayoutUnknown)
        return PreFilterMaybe; // also after a read error: the line scan reads what it can
    if (layout != LayoutUtf8)
        FirstRead = -1; // reduced in place below
    Found.fill(false, Keywords.size());
    PendingByte = -1;
    int kept = 0;
    while (read > 0) {
        BytesRead += read;
        int size = kept + int(read);
        if (layout != LayoutUtf8)
            size = kept + ProjectUnits(kept, int(read), layout);
        if (MarkFoundKeywords(Buffer.constData(), size, layout == LayoutUtf8, Found))
            return PreFilterMaybe;
        // A keyword may straddle two reads.
        FirstRead = -1;
        kept = qMin(Overlap, size);
        memmove(Buffer.data(), Buffer.constData() + size - kept, size_t(kept));
        if (report.Cancelled())
            return PreFilterCancelled;
        // An odd byte of UTF-16 waits for its partner.
        const int pending = PendingByte >= 0 ? 1 : 0;
        if (pending)
            Buffer[kept] = char(PendingByte);
        read = readBytes(Buffer.data() + kept + pending, ChunkSize);
        if (read < 0)
            return PreFilterMaybe;
        read += read > 0 ? pending : 0;
    }
    return PreFilterNoMatch;
}
