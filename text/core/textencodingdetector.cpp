#include "text/core/textencodingdetector.h"

#include "text/core/istextunicode.h"

namespace {

bool IsContinuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

void CTextEncodingDetector::Detect(const char *data, quint32 size)
{
    if (!data)
        return;
    const uchar *b = reinterpret_cast<const uchar *>(data);
    BomLength = 0;
    if (size >= 2) {
        if (b[0] == 0xFE && b[1] == 0xFF) {
            Encoding = Utf16BeWithBom;
            BomLength = 2;
            return;
        }
        // The UTF-32LE mark begins with the UTF-16LE one, so it goes first.
        if (size >= 4 && b[0] == 0xFF && b[1] == 0xFE && b[2] == 0 && b[3] == 0) {
            Encoding = Utf32LeWithBom;
            BomLength = 4;
            return;
        }
        if (b[0] == 0xFF && b[1] == 0xFE) {
            Encoding = Utf16LeWithBom;
            BomLength = 2;
            return;
        }
        if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
            Encoding = Utf8WithBom;
            BomLength = 3;
            return;
        }
        if (size >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF) {
            Encoding = Utf32BeWithBom;
            BomLength = 4;
            return;
        }
        // A leading zero byte never reaches the UTF-16 test, so big-endian
        // UTF-16 without a mark is not recognised.
        if (b[0] != 0 && b[1] == 0 && IsTextUnicode(data, size)) {
            Encoding = Utf16LeNoBom;
            return;
        }
    }
    switch (CheckUtf8(data, size)) {
    case MultiByteUtf8:
        Encoding = Utf8NoBom;
        break;
    case SevenBitOnly:
        Encoding = Ascii;
        break;
    case NotUtf8:
        Encoding = Local8Bit;
        break;
    }
}

// Deliberately strict on the lead bytes: 0xC0 and 0xE0 are refused outright
// and four-byte sequences are not taken, while a sequence that the end of
// the buffer cuts short counts as UTF-8 (a buffer may end mid-character).
CTextEncodingDetector::TEnumUtf8Check CTextEncodingDetector::CheckUtf8(const char *data, quint32 size)
{
    if (!data)
        return NotUtf8;
    const uchar *b = reinterpret_cast<const uchar *>(data);
    TEnumUtf8Check answer = SevenBitOnly;
    quint32 i = 0;
    while (i < size) {
        const uchar lead = b[i];
        const quint32 following = size - i - 1;
        if (lead == 0x00 || (lead >= 0x80 && lead <= 0xBF) || lead >= 0xF0)
            return NotUtf8;
        if (lead <= 0x7F) {
            ++i;
            continue;
        }
        const quint32 length = lead <= 0xDF ? 2 : 3;
        if (following < length - 1)
            return MultiByteUtf8;
        if (lead == 0xC0 || lead == 0xE0)
            return NotUtf8;
        for (quint32 k = 1; k < length; ++k) {
            if (!IsContinuation(b[i + k]))
                return NotUtf8;
        }
        i += length;
        answer = MultiByteUtf8;
    }
    return answer;
}
