#include "viewer/core/resultdecoding.h"

#include <QTextCodec>

#include "text/core/localcharset.h"

namespace {

const char *CodecNameForEncoding(TEnumTextEncoding encoding)
{
    switch (encoding) {
    case Utf8WithBom:
    case Utf8NoBom:
        return "UTF-8";
    case Utf16BeWithBom:
    case Utf16BeNoBom:
        return "UTF-16BE";
    case Utf16LeWithBom:
    case Utf16LeNoBom:
        return "UTF-16LE";
    case Utf32BeWithBom:
        // Not "UTF-32": without its mark, which is skipped, and in every
        // block after the first, that codec reads the host's byte order.
        return "UTF-32BE";
    case Utf32LeWithBom:
        return "UTF-32LE";
    default:
        return nullptr;
    }
}

QString Decode(const QTextCodec *codec, const char *data, int size)
{
    return codec ? codec->toUnicode(data, size) : QString::fromLatin1(data, size);
}

} // namespace

QTextCodec *CodecForEncoding(TEnumTextEncoding encoding)
{
    const char *name = CodecNameForEncoding(encoding);
    return name ? QTextCodec::codecForName(name) : nullptr;
}

TEnumTextEncoding WholeFileEncoding(TEnumTextEncoding firstBytes, const QTextCodec *unmarkedCodec,
                                    const QTextCodec *localCodec)
{
    return firstBytes == Utf8NoBom && unmarkedCodec != localCodec ? Local8Bit : firstBytes;
}

QString DecodeBytes(const QByteArray &bytes, TEnumTextEncoding encoding, int skip,
                    const QTextCodec *localCodec)
{
    skip = qBound(0, skip, bytes.size());
    const QTextCodec *codec = CodecForEncoding(encoding);
    return Decode(codec ? codec : localCodec, bytes.constData() + skip, bytes.size() - skip);
}

QString DecodeBytesWithMib(const QByteArray &bytes, int mib, const QTextCodec *localCodec)
{
    const QTextCodec *codec = QTextCodec::codecForMib(mib);
    return Decode(codec ? codec : localCodec, bytes.constData(), bytes.size());
}

QString CharsetEntryForEncoding(TEnumTextEncoding encoding, const QTextCodec *localCodec)
{
    if (const char *name = CodecNameForEncoding(encoding))
        return QString::fromLatin1(name);
    return CodecEntryName(localCodec);
}
