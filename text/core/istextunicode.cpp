#include "text/core/istextunicode.h"

namespace {

quint16 UnitAt(const uchar *bytes, quint32 index)
{
    return quint16(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

// Units that never occur in little-endian UTF-16 text: NUL; the
// noncharacter U+FFFF; a byte-reversed BOM (the bytes are big-endian); CR LF
// of 8-bit text packed into one unit; LF and CR byte-reversed (big-endian
// line ends, or text read one byte out of step).
bool IsIllegalUnit(quint16 unit)
{
    switch (unit) {
    case 0x0000:
    case 0xFFFF:
    case 0xFFFE:
    case 0x0A0D:
    case 0x0A00:
    case 0x0D00:
        return true;
    default:
        return false;
    }
}

// What separates words and lines: tab, LF, CR, space, and the ideographic
// space, comma and full stop of CJK text, which often has no blanks at all.
bool IsSeparatorUnit(quint16 unit)
{
    switch (unit) {
    case 0x0009:
    case 0x000A:
    case 0x000D:
    case 0x0020:
    case 0x3000:
    case 0x3001:
    case 0x3002:
        return true;
    default:
        return false;
    }
}

struct UnitCounts
{
    quint32 separators = 0;
    bool onlyAscii = true;
    int distinctLow = 0;
    int distinctHigh = 0;
};

// One pass over the units; false as soon as an illegal unit shows up.
bool CountUnits(const uchar *bytes, quint32 units, UnitCounts &counts)
{
    bool lowSeen[256] = {};
    bool highSeen[256] = {};
    for (quint32 i = 0; i < units; ++i) {
        const quint16 unit = UnitAt(bytes, i);
        if (IsIllegalUnit(unit))
            return false;
        if (IsSeparatorUnit(unit))
            ++counts.separators;
        if (unit > 0x7F)
            counts.onlyAscii = false;
        const uchar low = uchar(unit & 0xFF);
        const uchar high = uchar(unit >> 8);
        counts.distinctLow += lowSeen[low] ? 0 : 1;
        counts.distinctHigh += highSeen[high] ? 0 : 1;
        lowSeen[low] = highSeen[high] = true;
    }
    return true;
}

} // namespace

// The rules, modelled on the checks the Windows function documents:
//  1. Fewer than 2 bytes, or an odd number of bytes: not UTF-16 (the text is
//     made of whole 16-bit units).
//  2. Any illegal unit (IsIllegalUnit): not UTF-16.
//  3. Otherwise UTF-16 when one of these holds, else not:
//     a. every unit is zero-extended ASCII (U+0001..U+007F);
//     b. separators (IsSeparatorUnit) make up at least one unit in 128:
//        prose and code in any script have blanks, punctuation or line
//        ends that often, random data has them far less often, and 8-bit
//        text holds none of these units (each has a zero or control byte);
//     c. from 64 units on, the high bytes take at most half as many
//        distinct values as the low bytes: text stays within a few
//        256-character blocks of its script while its low bytes spread,
//        where 8-bit text and binary data spread both bytes alike.
bool Utf16LeTextRules(const char *data, quint32 size)
{
    if (!data || size < 2 || size % 2 != 0)
        return false;
    const quint32 units = size / 2;
    UnitCounts counts;
    if (!CountUnits(reinterpret_cast<const uchar *>(data), units, counts))
        return false;
    if (counts.onlyAscii)
        return true;
    if (quint64(counts.separators) * 128 >= units)
        return true;
    return units >= 64 && counts.distinctHigh * 2 <= counts.distinctLow;
}

bool IsTextUnicode(const char *data, quint32 size)
{
    return Utf16LeTextRules(data, size);
}
