#ifndef LINTRA_UNMARKEDTEXT_H
#define LINTRA_UNMARKEDTEXT_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QTextCodec;

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points past U+10FFFF); a sequence cut by the end of the bytes passes.
bool IsValidUtf8(const char *data, qint64 size);

// Reads up to size bytes at offset into data: the number read, 0 at the end,
// below 0 on an error.
using ByteReadAt = std::function<qint64(qint64 offset, char *data, qint64 size)>;

// Follows a text read from its start in pieces and tells whether it is
// UTF-8 so far, so that a reader who goes through a file anyway spares the
// charset a second read.
class CUtf8Scan
{
public:
    // The next bytes of the text, right after those given before.
    void Feed(const char *data, qint64 size);
    // How many bytes were given.
    qint64 Bytes() const { return Fed; }
    bool InvalidSoFar() const { return Invalid; }
    // Valid UTF-8 where the text ends here (no sequence cut short).
    bool ValidToHere() const { return !Invalid && Pending.isEmpty(); }

private:
    QByteArray Pending; // the start of a sequence cut by the end of the last piece
    qint64 Fed = 0;
    bool Invalid = false;
};

// How text without a byte-order mark is decoded, by the search and the
// viewer alike: as UTF-8 where the whole text is valid UTF-8, otherwise in
// the charset that the user's files were written in before UTF-8 (the
// LegacyCharset setting, or the charset of the user's language: GB18030 for
// Chinese, windows-1252 for German). Where a language has two, the first
// that decodes the whole text without errors; for Russian, of windows-1251
// and KOI8-R, the one that makes the text mostly lower case. Where the
// system's codec is not UTF-8 and no charset is set, the system's codec
// decodes all such text, as it always did. It knows nothing of byte-order
// marks: the callers have looked for one first.
class CUnmarkedTextCharset
{
public:
    // localCodec null: the system's. Without a locale name or a set charset
    // there is no legacy charset: the local codec decodes everything. A set
    // charset that names no codec, or one that is not ASCII below 0x80, is
    // not used.
    CUnmarkedTextCharset(QTextCodec *localCodec = nullptr, const QString &localeName = QString(),
                         const QString &setCharset = QString());

    // The codec for the text that is all of these bytes.
    QTextCodec *CodecFor(const char *data, qint64 size) const;
    QTextCodec *CodecFor(const QByteArray &bytes) const { return CodecFor(bytes.constData(), bytes.size()); }
    // The same for the whole file that readAt reads; a read error ends the
    // file there. read: the scan of its first bytes, where they were read.
    QTextCodec *CodecForFile(const ByteReadAt &readAt, const CUtf8Scan &read = CUtf8Scan()) const;
    QTextCodec *LocalCodec() const { return Local; }
    // The codec that text which is not UTF-8 is read in first: the legacy
    // charset, or the local codec where there is none.
    QTextCodec *LegacyOrLocalCodec() const { return Legacy.isEmpty() ? Local : Legacy.first(); }
    // Whether CodecFor ever answers anything but the local codec.
    bool HasLegacyCharset() const { return !Legacy.isEmpty(); }
    // The codecs it may answer besides the local one.
    const QList<QTextCodec *> &LegacyCodecs() const { return Legacy; }

    // How many bytes are read at a time to look at a file.
    static const int ReadBytes = 256 * 1024;

private:
    QTextCodec *ChosenLegacyCodec(const ByteReadAt &readAt) const;

    QTextCodec *Local = nullptr;
    QList<QTextCodec *> Legacy;     // the first unless it decodes with errors
    bool LetterCaseDecides = false; // between two that decode without errors
};

#endif
