#include "text/core/unmarkedtext.h"

#include <QTextCodec>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/core/localcharset.h"

namespace {

const int Utf8Mib = 106;
const int Windows1251Mib = 2251;
const int Koi8RMib = 2084;

inline bool IsContinuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence that starts at data[0] (a byte of
// 0x80 or above), 0 where it is malformed, or -1 where the bytes end inside it.
int SequenceLength(const uchar *data, qint64 size)
{
    const uchar lead = data[0];
    int length;
    uchar low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;  // overlong forms
        high = lead == 0xF4 ? 0x8F : 0xBF; // past U+10FFFF
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (i >= size)
            return -1;
        const uchar byte = data[i];
        if (i == 1 ? (byte < low || byte > high) : !IsContinuation(byte))
            return 0;
    }
    return length;
}

// A charset whose printable ASCII and line ends are ASCII, one character
// each: a line feed always ends a line, and an ASCII keyword has its own
// bytes. (Shift_JIS moves a few other control characters.)
bool IsAsciiCompatible(QTextCodec *codec)
{
    QByteArray ascii("\t\n\r");
    for (char c = ' '; c < 0x7F; ++c)
        ascii += c;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return codec->toUnicode(ascii.constData(), ascii.size(), &state) == QString::fromLatin1(ascii);
}

// The codecs of the names, where each is one that can stand for text that is
// not UTF-8; none if any is not.
QList<QTextCodec *> UsableCodecs(const QStringList &names)
{
    QList<QTextCodec *> codecs;
    for (const QString &name : names) {
        QTextCodec *codec = name.isEmpty() ? nullptr : QTextCodec::codecForName(name.toLatin1());
        if (!codec || codec->mibEnum() == Utf8Mib || !IsAsciiCompatible(codec))
            return QList<QTextCodec *>();
        codecs << codec;
    }
    return codecs;
}

// Where the run of ASCII bytes from i ends, looked at in steps of 64 bytes
// (the rest is left to the caller).
qint64 AsciiRunEnd(const uchar *bytes, qint64 i, qint64 size)
{
#ifdef __SSE2__
    for (; i + 64 <= size; i += 64) {
        const __m128i *block = reinterpret_cast<const __m128i *>(bytes + i);
        const __m128i any =
            _mm_or_si128(_mm_or_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1)),
                         _mm_or_si128(_mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)));
        if (_mm_movemask_epi8(any) != 0)
            break;
    }
#else
    Q_UNUSED(bytes);
    Q_UNUSED(size);
#endif
    return i;
}

// How far the bytes are well-formed UTF-8: -1 where they are not, else
// where a sequence that the end of the bytes cuts begins (size if none does).
qint64 Utf8CheckedLength(const char *data, qint64 size)
{
    const uchar *bytes = reinterpret_cast<const uchar *>(data);
    qint64 i = 0;
    while (i < size) {
        // Most text is ASCII: 64 bytes at a time, then eight.
        i = AsciiRunEnd(bytes, i, size);
        if (i + 8 <= size) {
            quint64 word;
            memcpy(&word, bytes + i, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = SequenceLength(bytes + i, size - i);
        if (length < 0)
            return i;
        if (length == 0)
            return -1;
        i += length;
    }
    return size;
}

// Hands the text to visit a read at a time, until visit answers false.
template <typename Visit> void ForEachRead(const ByteReadAt &readAt, Visit visit)
{
    QByteArray chunk(CUnmarkedTextCharset::ReadBytes, Qt::Uninitialized);
    qint64 offset = 0;
    for (;;) {
        const qint64 read = readAt(offset, chunk.data(), chunk.size());
        if (read <= 0 || !visit(chunk.constData(), read))
            return;
        offset += read;
    }
}

bool DecodesWithoutErrors(QTextCodec *codec, const ByteReadAt &readAt)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    bool clean = true;
    ForEachRead(readAt, [&](const char *data, qint64 size) {
        clean = !codec->toUnicode(data, int(size), &state).contains(QChar(QChar::ReplacementCharacter));
        return clean;
    });
    return clean;
}

// Russian text is mostly lower case: windows-1251 puts those letters at
// E0..FF, KOI8-R at C0..DF.
bool LooksLikeWindows1251(const ByteReadAt &readAt)
{
    qint64 high = 0, low = 0;
    ForEachRead(readAt, [&](const char *data, qint64 size) {
        for (qint64 i = 0; i < size; ++i) {
            const uchar byte = uchar(data[i]);
            high += byte >= 0xE0;
            low += byte >= 0xC0 && byte < 0xE0;
        }
        return true;
    });
    return high >= low;
}

} // namespace

bool IsValidUtf8(const char *data, qint64 size)
{
    return Utf8CheckedLength(data, size) >= 0;
}

void CUtf8Scan::Feed(const char *data, qint64 size)
{
    if (Invalid || size <= 0)
        return;
    Fed += size;
    qint64 start = 0;
    if (!Pending.isEmpty()) {
        // The cut sequence with what follows it, as far as it can reach.
        const qint64 pending = Pending.size();
        Pending.append(data, int(qMin<qint64>(4, size)));
        const qint64 checked = Utf8CheckedLength(Pending.constData(), Pending.size());
        Invalid = checked < 0;
        if (Invalid || checked == 0) {
            Pending.truncate(int(pending + size)); // a piece of one or two bytes: still cut
            return;
        }
        start = checked - pending;
        Pending.clear();
    }
    const qint64 checked = Utf8CheckedLength(data + start, size - start);
    Invalid = checked < 0;
    if (!Invalid)
        Pending = QByteArray(data + start + checked, int(size - start - checked));
}

CUnmarkedTextCharset::CUnmarkedTextCharset(QTextCodec *localCodec, const QString &localeName,
                                           const QString &setCharset)
    : Local(localCodec ? localCodec : QTextCodec::codecForLocale())
{
    if (!setCharset.isEmpty())
        Legacy = UsableCodecs(QStringList{setCharset});
    // Otherwise only a UTF-8 system reads old files wrongly; any other decodes them as it did.
    if (Legacy.isEmpty() && Local && Local->mibEnum() == Utf8Mib)
        Legacy = UsableCodecs(LegacyCharsetsForLocale(localeName));
    LetterCaseDecides = Legacy.size() == 2 && Legacy.at(0)->mibEnum() == Windows1251Mib &&
                        Legacy.at(1)->mibEnum() == Koi8RMib;
}

QTextCodec *CUnmarkedTextCharset::CodecFor(const char *data, qint64 size) const
{
    if (Legacy.isEmpty())
        return Local;
    CUtf8Scan utf8;
    utf8.Feed(data, size);
    if (utf8.ValidToHere())
        return Local;
    return ChosenLegacyCodec([data, size](qint64 offset, char *into, qint64 most) {
        const qint64 count = qBound<qint64>(0, size - offset, most);
        if (count > 0)
            memcpy(into, data + offset, size_t(count));
        return count;
    });
}

QTextCodec *CUnmarkedTextCharset::CodecForFile(const ByteReadAt &readAt, const CUtf8Scan &read) const
{
    if (Legacy.isEmpty())
        return Local;
    CUtf8Scan utf8 = read;
    // Mostly the end of the file is reached at once: a small first read.
    QByteArray chunk(4096, Qt::Uninitialized);
    for (qint64 got = 1; got > 0 && !utf8.InvalidSoFar(); chunk.resize(ReadBytes)) {
        got = readAt(utf8.Bytes(), chunk.data(), chunk.size());
        utf8.Feed(chunk.constData(), got);
    }
    return utf8.ValidToHere() ? Local : ChosenLegacyCodec(readAt);
}

QTextCodec *CUnmarkedTextCharset::ChosenLegacyCodec(const ByteReadAt &readAt) const
{
    if (Legacy.size() == 1)
        return Legacy.first();
    // Both decode every byte: only the letters tell them apart.
    if (LetterCaseDecides)
        return LooksLikeWindows1251(readAt) ? Legacy.at(0) : Legacy.at(1);
    for (QTextCodec *codec : Legacy) {
        if (DecodesWithoutErrors(codec, readAt))
            return codec;
    }
    return Legacy.first();
}
