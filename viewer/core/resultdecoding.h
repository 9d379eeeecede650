#ifndef LINTRA_RESULTDECODING_H
#define LINTRA_RESULTDECODING_H

#include <QByteArray>
#include <QString>

#include "text/core/textencodingdetector.h"

class QTextCodec;

// The codec that decodes an encoding kind; null for the kinds read with the
// system's local codec (Local8Bit, Ascii and anything unknown).
QTextCodec *CodecForEncoding(TEnumTextEncoding encoding);

// The encoding kind of a file whose text without a mark is read with
// unmarkedCodec: a start that is UTF-8 does not make the file UTF-8 where the
// whole of it is read in a legacy charset (any codec but localCodec).
TEnumTextEncoding WholeFileEncoding(TEnumTextEncoding firstBytes, const QTextCodec *unmarkedCodec,
                                    const QTextCodec *localCodec);

// The bytes from `skip` on, decoded as the encoding kind says. The kinds
// without a codec of their own, and a codec the toolkit lacks, take the
// local codec the caller passes (the system's, in the window).
QString DecodeBytes(const QByteArray &bytes, TEnumTextEncoding encoding, int skip,
                    const QTextCodec *localCodec);

// The bytes decoded with the codec of a MIB number, or with the local codec
// when there is no such codec.
QString DecodeBytesWithMib(const QByteArray &bytes, int mib, const QTextCodec *localCodec);

// The charset-selector entry that names the codec which decodes the kind.
// The local codec is called "System" on Windows; elsewhere its own name is
// shown.
QString CharsetEntryForEncoding(TEnumTextEncoding encoding, const QTextCodec *localCodec);

#endif
