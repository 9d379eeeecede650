#ifndef LINTRA_TEXTENCODINGDETECTOR_H
#define LINTRA_TEXTENCODINGDETECTOR_H

#include <QtGlobal>

// Encoding kinds of a byte buffer, as the viewer decodes them.
enum TEnumTextEncoding : qint32
{
    Local8Bit = 0,
    Utf8WithBom = 1,
    Utf16BeWithBom = 2,
    Utf16LeWithBom = 3,
    Utf32BeWithBom = 4,
    Ascii = 5,
    Utf16BeNoBom = 6,
    Utf16LeNoBom = 7,
    Utf8NoBom = 8,
    Utf32LeWithBom = 9
};

// Classifies a byte buffer by its byte-order mark, a UTF-16LE test and a
// UTF-8 well-formedness check, and tells how many BOM bytes to skip. It keeps
// no pointer to the buffer and allocates nothing.
class CTextEncodingDetector
{
public:
    enum TEnumUtf8Check
    {
        NotUtf8,
        SevenBitOnly,
        MultiByteUtf8
    };

    CTextEncodingDetector() {}
    ~CTextEncodingDetector() {}

    void Detect(const char *data, quint32 size);
    static TEnumUtf8Check CheckUtf8(const char *data, quint32 size);

    TEnumTextEncoding Encoding = Local8Bit;
    qint32 BomLength = 0;
};

#endif
