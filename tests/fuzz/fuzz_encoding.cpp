// Encoding detection over arbitrary bytes: no read past the buffer, and the
// kinds it may give agree with the bytes.

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "text/core/istextunicode.h"
#include "text/core/textencodingdetector.h"

namespace {

bool SevenBitText(const uint8_t *data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 || data[i] > 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const quint32 length = quint32(size);
    CTextEncodingDetector detector;
    detector.Detect(bytes, length);
    Check(detector.Encoding != Utf16BeNoBom && detector.Encoding >= Local8Bit &&
          detector.Encoding <= Utf32LeWithBom);
    Check(quint32(detector.BomLength) <= length);
    Check((detector.Encoding == Ascii) ==
          (detector.BomLength == 0 && SevenBitText(data, size) && detector.Encoding != Utf16LeNoBom));
    const CTextEncodingDetector::TEnumUtf8Check utf8 = CTextEncodingDetector::CheckUtf8(bytes, length);
    Check((utf8 == CTextEncodingDetector::SevenBitOnly) == SevenBitText(data, size));
    if (size % 2 != 0)
        Check(!IsTextUnicode(bytes, length));
    return 0;
}
