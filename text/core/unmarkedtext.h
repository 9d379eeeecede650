#ifndef LINTRA_UNMARKEDTEXT_H
#define LINTRA_UNMARKEDTEXT_H

#include <QByteArray>
#include <QList>
#include <QString>

class QTextCodec;

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points past U+10FFFF); a sequence cut by the end of the bytes passes.
bool IsValidUtf8(const char *data, qint64 size);

// How text without a byte-order mark is decoded, by the search and the
// viewer alike: as UTF-8 where its first bytes are valid UTF-8, otherwise in
// the charset that the user's language was stored in before UTF-8 (the
// language's charset of the "Default Local Charset" selector, GB18030 for
// Chinese, ISO-8859-1 for German; for Russian CP1251 or KOI8-R, whichever
// makes the text mostly lower case). Where the system's codec is not UTF-8,
// it decodes all such text, as it always did. It knows nothing of
// byte-order marks: the callers have looked for one first.
class CUnmarkedTextCharset
{
public:
    // localCodec null: the system's. Without a locale name there is no
    // legacy charset: the local codec decodes everything.
    CUnmarkedTextCharset(QTextCodec *localCodec = nullptr, const QString &localeName = QString());

    // The codec for the text that starts with these bytes; only the first
    // SniffBytes of them are looked at (a viewer's first block).
    QTextCodec *CodecFor(const char *data, qint64 size) const;
    QTextCodec *CodecFor(const QByteArray &bytes) const { return CodecFor(bytes.constData(), bytes.size()); }
    QTextCodec *LocalCodec() const { return Local; }
    // Whether CodecFor ever answers anything but the local codec.
    bool HasLegacyCharset() const { return !Legacy.isEmpty(); }
    // The codecs it may answer besides the local one.
    const QList<QTextCodec *> &LegacyCodecs() const { return Legacy; }

    static const int SniffBytes = 51200;

private:
    QTextCodec *Local = nullptr;
    QList<QTextCodec *> Legacy; // the first unless the bytes choose the second
};

#endif
