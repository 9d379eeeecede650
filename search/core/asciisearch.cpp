#include "search/core/asciisearch.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

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

// The positions whose anchor and last bytes fit are candidates for a whole
// comparison; OR-ing 0x20 folds exactly the two cases of a letter, and
// nothing else, onto the lower case. Several needles of one length share
// the test: their bytes at those places differ in the bits OR-ed in, which
// lets a few more through to the comparison. One kernel per vector width;
// both return the first position from `from` at which a needle starts, or
// -1, and leave the last positions that fill no whole vector to the caller.
struct CNeedle
{
    const uchar *Lower;
    qint64 Length;
    char First;
    char Last;
    char FirstFold;
    char LastFold;
    qint64 FirstAt;                    // where the anchor byte is in the needle
    const QVector<QByteArray> *Others; // needles of the same length, or null
};

bool EqualsAnyOther(const uchar *bytes, const CNeedle &n)
{
    for (const QByteArray &other : *n.Others) {
        if (EqualsAsciiCaseInsensitive(bytes, reinterpret_cast<const uchar *>(other.constData()), n.Length))
            return true;
    }
    return false;
}

inline bool MatchesAt(const uchar *bytes, const CNeedle &n)
{
    return EqualsAsciiCaseInsensitive(bytes, n.Lower, n.Length) || (n.Others && EqualsAnyOther(bytes, n));
}

// The kernels start on a cache line of their own. Where a loop falls depends
// on what the linker puts before it: a loop across two lines ran a quarter
// slower, which was a tenth of a search of one big file.
#if defined(__GNUC__)
#define KERNEL_ALIGNED __attribute__((aligned(64)))
#else
#define KERNEL_ALIGNED
#endif

#ifdef __SSE2__
KERNEL_ALIGNED qint64 FindWith16(const uchar *hay, qint64 from, qint64 size, const CNeedle &n, qint64 &next)
{
    const __m128i first = _mm_set1_epi8(n.First), last = _mm_set1_epi8(n.Last);
    const __m128i firstFold = _mm_set1_epi8(n.FirstFold), lastFold = _mm_set1_epi8(n.LastFold);
    qint64 i = from;
    for (; i + n.Length - 1 + 16 <= size; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + i + n.FirstAt));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + i + n.Length - 1));
        unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstFold), first),
                                                     _mm_cmpeq_epi8(_mm_or_si128(b, lastFold), last))));
        for (; mask; mask &= mask - 1) {
            if (MatchesAt(hay + i + __builtin_ctz(mask), n))
                return i + __builtin_ctz(mask);
        }
    }
    next = i;
    return -1;
}
#endif

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx2"))) KERNEL_ALIGNED qint64 FindWith32(const uchar *hay, qint64 from, qint64 size,
                                                                 const CNeedle &n, qint64 &next)
{
    const __m256i first = _mm256_set1_epi8(n.First), last = _mm256_set1_epi8(n.Last);
    const __m256i firstFold = _mm256_set1_epi8(n.FirstFold), lastFold = _mm256_set1_epi8(n.LastFold);
    qint64 i = from;
    for (; i + n.Length - 1 + 32 <= size; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(hay + i + n.FirstAt));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(hay + i + n.Length - 1));
        unsigned mask = unsigned(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a, firstFold), first),
                                                  _mm256_cmpeq_epi8(_mm256_or_si256(b, lastFold), last))));
        for (; mask; mask &= mask - 1) {
            if (MatchesAt(hay + i + __builtin_ctz(mask), n))
                return i + __builtin_ctz(mask);
        }
    }
    next = i;
    return -1;
}
#endif

using TFindFunction = qint64 (*)(const uchar *, qint64, qint64, const CNeedle &, qint64 &);

qint64 FindWithout(const uchar *, qint64 from, qint64, const CNeedle &, qint64 &next)
{
    next = from;
    return -1;
}

bool RunsAvx2()
{
#if defined(__GNUC__) && defined(__x86_64__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

// The kernel for a vector width, or the widest the processor runs for 0.
TFindFunction FindFunction(int vectorBytes)
{
    static const bool avx2 = RunsAvx2();
#if defined(__GNUC__) && defined(__x86_64__)
    if (avx2 && (vectorBytes == 0 || vectorBytes == 32))
        return FindWith32;
#endif
#ifdef __SSE2__
    if (vectorBytes == 0 || vectorBytes == 16)
        return FindWith16;
#endif
    return FindWithout;
}

} // namespace

int WidestSearchVector()
{
    return FindFunction(0) == FindWithout ? 1 : (RunsAvx2() ? 32 : 16);
}

bool ContainsAsciiCaseInsensitive(const QChar *text, qint64 size, const QByteArray &needle)
{
    const qint64 length = needle.size();
    if (length == 0)
        return true;
    const ushort *units = reinterpret_cast<const ushort *>(text);
    const uchar *lower = reinterpret_cast<const uchar *>(needle.constData());
    const auto equalsAt = [units, lower, length](qint64 at) {
        for (qint64 j = 0; j < length; ++j) {
            const ushort unit = units[at + j];
            if (unit >= 0x80 || ToLowerAscii(uchar(unit)) != lower[j])
                return false;
        }
        return true;
    };
    qint64 i = 0;
#ifdef __SSE2__
    // As for bytes, eight code units at once.
    const __m128i first = _mm_set1_epi16(short(lower[0])), last = _mm_set1_epi16(short(lower[length - 1]));
    const __m128i firstFold = _mm_set1_epi16(IsLowerAsciiLetter(lower[0]) ? 0x20 : 0);
    const __m128i lastFold = _mm_set1_epi16(IsLowerAsciiLetter(lower[length - 1]) ? 0x20 : 0);
    for (; i + length - 1 + 8 <= size; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i + length - 1));
        unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(_mm_or_si128(a, firstFold), first),
                                                     _mm_cmpeq_epi16(_mm_or_si128(b, lastFold), last))));
        for (; mask; mask &= mask - 1) {
            // Two mask bits per unit: look at the even one only.
            const int bit = __builtin_ctz(mask);
            if (bit % 2 == 0 && equalsAt(i + bit / 2))
                return true;
        }
    }
#endif
    for (; i + length <= size; ++i) {
        if (equalsAt(i))
            return true;
    }
    return false;
}

bool ContainsAsciiCaseInsensitive(const char *bytes, qint64 size, const QByteArray &needle, int vectorBytes)
{
    return IndexOfAsciiCaseInsensitive(bytes, size, needle, 0, vectorBytes) >= 0;
}

namespace {

// The bits in which the needles' bytes at `at` differ, and those that tell
// the cases of a letter apart.
char FoldAt(const QVector<QByteArray> &needles, qint64 at)
{
    const uchar first = uchar(needles.first().at(int(at)));
    uchar fold = IsLowerAsciiLetter(first) ? 0x20 : 0;
    for (const QByteArray &needle : needles) {
        const uchar c = uchar(needle.at(int(at)));
        fold |= uchar((c ^ first) | (IsLowerAsciiLetter(c) ? 0x20 : 0));
    }
    return char(fold);
}

// The first byte that is no lead byte of a UTF-8 sequence: in text of one
// script the lead bytes are nearly all alike.
qint64 AnchorOf(const QByteArray &needle)
{
    for (int at = 0; at + 1 < needle.size(); ++at) {
        if (uchar(needle.at(at)) < 0xC0)
            return at;
    }
    return 0;
}

qint64 IndexOf(const char *bytes, qint64 size, const CNeedle &n, qint64 from, int vectorBytes)
{
    static const TFindFunction widest = FindFunction(0);
    const TFindFunction find = vectorBytes == 0 ? widest : FindFunction(vectorBytes);
    const uchar *hay = reinterpret_cast<const uchar *>(bytes);
    qint64 i = from;
    const qint64 found = find(hay, from, size, n, i);
    if (found >= 0)
        return found;
    for (; i + n.Length <= size; ++i) {
        if (MatchesAt(hay + i, n))
            return i;
    }
    return -1;
}

} // namespace

qint64 IndexOfAnyAsciiCaseInsensitive(const char *bytes, qint64 size, const QVector<QByteArray> &needles,
                                      qint64 from, int vectorBytes)
{
    const QByteArray &needle = needles.first();
    const qint64 length = needle.size();
    if (length == 0)
        return from <= size ? from : -1;
    const QVector<QByteArray> others = needles.mid(1);
    const qint64 anchor = AnchorOf(needle);
    const char firstFold = FoldAt(needles, anchor);
    const char lastFold = FoldAt(needles, length - 1);
    const CNeedle n = {reinterpret_cast<const uchar *>(needle.constData()),
                       length,
                       char(needle.at(int(anchor)) | firstFold),
                       char(needle.at(int(length - 1)) | lastFold),
                       firstFold,
                       lastFold,
                       anchor,
                       others.isEmpty() ? nullptr : &others};
    return IndexOf(bytes, size, n, from, vectorBytes);
}

qint64 IndexOfAsciiCaseInsensitive(const char *bytes, qint64 size, const QByteArray &needle, qint64 from,
                                   int vectorBytes)
{
    const qint64 length = needle.size();
    if (length == 0)
        return from <= size ? from : -1;
    const uchar *lower = reinterpret_cast<const uchar *>(needle.constData());
    const CNeedle n = {lower,
                       length,
                       char(lower[0]),
                       char(lower[length - 1]),
                       char(IsLowerAsciiLetter(lower[0]) ? 0x20 : 0),
                       char(IsLowerAsciiLetter(lower[length - 1]) ? 0x20 : 0),
                       0,
                       nullptr};
    return IndexOf(bytes, size, n, from, vectorBytes);
}
