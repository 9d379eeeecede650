#include "text/core/unmarkedtext.h"

#include <QTextCodec>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/core/localcharset.h"

namespace {

const int Utf8Mib = 106;

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

// Russian text is mostly lower case: CP1251 puts those letters at E0..FF,
// KOI8-R at C0..DF.
bool LooksLikeCp1251(const char *data, qint64 size)
{
    qint64 high = 0, low = 0;
    for (qint64 i = 0; i < size; ++i) {
        const uchar byte = uchar(data[i]);
        high += byte >= 0xE0;
        low += byte >= 0xC0 && byte < 0xE0;
    }
    return high >= low;
}

// A charset whose bytes below 0x80 are ASCII, one character each: a line
// feed always ends a line, and an ASCII keyword has its own bytes.
bool IsAsciiCompatible(QTextCodec *codec)
{
    char ascii[127];
    for (int i = 0; i < 127; ++i)
        ascii[i] = char(i + 1);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return codec->toUnicode(ascii, 127, &state) == QString::fromLatin1(ascii, 127);
}

QList<QTextCodec *> LegacyCodecsFor(const QString &localeName)
{
    QStringList names;
    if (localeName.left(2).toLower() == QLatin1String("ru"))
        names << QStringLiteral("windows-1251") << QStringLiteral("KOI8-R");
    else if (!localeName.isEmpty())
        names << CharsetForLocale(localeName);
    QList<QTextCodec *> codecs;
    for (const QString &name : qAsConst(names)) {
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

} // namespace

bool IsValidUtf8(const char *data, qint64 size)
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
            return true;
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

CUnmarkedTextCharset::CUnmarkedTextCharset(QTextCodec *localCodec, const QString &localeName)
    : Local(localCodec ? localCodec : QTextCodec::codecForLocale())
{
    // Only a UTF-8 system reads old files wrongly; any other decodes them as it did.
    if (Local && Local->mibEnum() == Utf8Mib)
        Legacy = LegacyCodecsFor(localeName);
}

QTextCodec *CUnmarkedTextCharset::CodecFor(const char *data, qint64 size) const
{
    size = qMin<qint64>(size, SniffBytes);
    if (Legacy.isEmpty() || IsValidUtf8(data, size))
        return Local;
    if (Legacy.size() > 1 && !LooksLikeCp1251(data, size))
        return Legacy.at(1);
    return Legacy.first();
}
