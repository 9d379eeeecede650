#include "search/keywordprefilter.h"

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
// Stands for every code unit above ASCII that matches no ASCII character.
const char OtherUnit = char(0x80);

inline uchar ToLowerAscii(uchar c)
{
    return (c >= 'A' && c <= 'Z') ? uchar(c + ('a' - 'A')) : c;
}

inline bool IsLowerAsciiLetter(uchar c)
{
    return c >= 'a' && c <= 'z';
}

inline bool EqualsAsciiCaseInsensitive(const uchar *bytes, const uchar *lowerNeedle, qint64 size)
{
    for (qint64 i = 0; i < size; ++i) {
        if (ToLowerAscii(bytes[i]) != lowerNeedle[i])
            return false;
    }
    return true;
}

// QRegExp::escape puts a backslash before each special character, nothing else.
QString Unescaped(const QString &pattern)
{
    QString text;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) == QLatin1Char('\\') && i + 1 < pattern.size())
            ++i;
        text += pattern.at(i);
    }
    return text;
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

bool ContainsAsciiCaseInsensitive(const char *bytes, qint64 size, const QByteArray &needle)
{
    const qint64 length = needle.size();
    if (length == 0)
        return true;
    const uchar *hay = reinterpret_cast<const uchar *>(bytes);
    const uchar *lower = reinterpret_cast<const uchar *>(needle.constData());
    qint64 i = 0;
#ifdef __SSE2__
    // Candidates are the positions whose first and last bytes fit; OR-ing 0x20
    // folds exactly the two cases of a letter and nothing else onto it.
    const uchar first = lower[0];
    const uchar last = lower[length - 1];
    const __m128i firstValue = _mm_set1_epi8(char(first));
    const __m128i lastValue = _mm_set1_epi8(char(last));
    const __m128i firstFold = _mm_set1_epi8(IsLowerAsciiLetter(first) ? 0x20 : 0);
    const __m128i lastFold = _mm_set1_epi8(IsLowerAsciiLetter(last) ? 0x20 : 0);
    for (; i + length - 1 + 16 <= size; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + i + length - 1));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstFold), firstValue),
                                           _mm_cmpeq_epi8(_mm_or_si128(b, lastFold), lastValue));
        unsigned mask = unsigned(_mm_movemask_epi8(both));
        while (mask) {
            if (EqualsAsciiCaseInsensitive(hay + i + __builtin_ctz(mask), lower, length))
                return true;
            mask &= mask - 1;
        }
    }
#endif
    for (; i + length <= size; ++i) {
        if (EqualsAsciiCaseInsensitive(hay + i, lower, length))
            return true;
    }
    return false;
}

CKeywordPreFilter::CKeywordPreFilter(const QStringList &patterns, QTextCodec *streamCodec, int chunkSize)
    : StreamCodec(streamCodec ? streamCodec : QTextCodec::codecForLocale())
    , ChunkSize(qMax(2, chunkSize & ~1))
{
    int longest = 0;
    for (const CForeignLetterForm &form : ForeignLetterForms())
        longest = qMax(longest, int(qstrlen(form.Utf8)));
    for (const QString &pattern : patterns) {
        const QString text = Unescaped(pattern);
        if (text.isEmpty() || !IsAscii(text))
            continue;
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

CKeywordPreFilter::TEnumLayout CKeywordPreFilter::LayoutOf(QIODevice &device) const
{
    // The same decision QTextStream takes on its first read.
    const QTextCodec *codec = QTextCodec::codecForUtfText(device.peek(4), StreamCodec);
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

int CKeywordPreFilter::AppendChunk(QIODevice &device, TEnumLayout layout, int kept)
{
    if (layout == LayoutUtf8) {
        Buffer.resize(kept + ChunkSize);
        return int(device.read(Buffer.data() + kept, ChunkSize));
    }
    // One byte per code unit; an odd byte waits for its partner in Raw.
    const int pending = Raw.size() % 2;
    const QByteArray odd = Raw.right(pending);
    Raw.resize(pending + ChunkSize);
    if (pending)
        Raw[0] = odd.at(0);
    const qint64 read = device.read(Raw.data() + pending, ChunkSize);
    if (read <= 0)
        return int(read);
    Raw.resize(pending + int(read));
    const int units = Raw.size() / 2;
    Buffer.resize(kept + units);
    const uchar *raw = reinterpret_cast<const uchar *>(Raw.constData());
    char *out = Buffer.data() + kept;
    const int high = layout == LayoutUtf16Le ? 1 : 0;
    for (int u = 0; u < units; ++u)
        out[u] = ProjectedUnit(ushort(raw[2 * u + high] << 8 | raw[2 * u + 1 - high]));
    Raw = Raw.right(Raw.size() % 2);
    return units;
}

bool CKeywordPreFilter::MarkFoundKeywords(const char *bytes, int size, bool utf8, QVector<bool> &found) const
{
    bool all = true;
    for (int k = 0; k < Keywords.size(); ++k) {
        if (found.at(k))
            continue;
        const CKeyword &keyword = Keywords.at(k);
        bool present = ContainsAsciiCaseInsensitive(bytes, size, keyword.Bytes);
        for (int f = 0; utf8 && !present && f < keyword.ForeignForms.size(); ++f) {
            const char *form = keyword.ForeignForms.at(f)->Utf8;
            present = memmem(bytes, size_t(size), form, qstrlen(form)) != nullptr;
        }
        found[k] = present;
        all = all && present;
    }
    return all;
}

TEnumPreFilterVerdict CKeywordPreFilter::Check(QIODevice &device, const CancelCheck &cancelled)
{
    const TEnumLayout layout = IsActive() ? LayoutOf(device) : LayoutUnknown;
    if (layout == LayoutUnknown)
        return PreFilterMaybe;
    QVector<bool> found(Keywords.size(), false);
    Raw.clear();
    int kept = 0;
    for (bool first = true;; first = false) {
        if (!first && cancelled && cancelled())
            return PreFilterCancelled;
        const int added = AppendChunk(device, layout, kept);
        if (added < 0)
            return PreFilterMaybe; // a read error: the line scan reads what it can
        if (added == 0)
            return PreFilterNoMatch;
        const int size = kept + added;
        if (MarkFoundKeywords(Buffer.constData(), size, layout == LayoutUtf8, found))
            return PreFilterMaybe;
        // A keyword may straddle two reads.
        kept = qMin(Overlap, size);
        memmove(Buffer.data(), Buffer.constData() + size - kept, size_t(kept));
    }
}
