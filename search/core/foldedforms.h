#ifndef LINTRA_FOLDEDFORMS_H
#define LINTRA_FOLDEDFORMS_H

#include <QByteArray>
#include <QString>
#include <QVector>

class QTextCodec;

// The texts that a case-folded keyword matches, as the UTF-8 bytes a file
// holds them in: every combination of the characters that fold to each of
// its characters ("файл" has sixteen, "Größe" four with ẞ, "文件" one). A
// file without any of them cannot hold the keyword in UTF-8. ASCII letters
// stand for both of their cases (the byte search ignores them), while the
// characters outside ASCII that fold to one (the KELVIN SIGN to "k") are
// forms of their own. It knows nothing of files or codecs.

// The forms, or none where there are more than maxForms or where a character
// may come from bytes that are no UTF-8 at all (U+FFFD, an unpaired surrogate).
QVector<QByteArray> Utf8FoldedForms(const QString &foldedKeyword, int maxForms);

// The same in a charset of one byte per character (most legacy charsets),
// all of the keyword's length: none where no text in it can hold the
// keyword. False where codec is no such charset, or the forms are more than
// maxForms.
bool SingleByteFoldedForms(const QString &foldedKeyword, QTextCodec *codec, int maxForms,
                           QVector<QByteArray> *forms);

#endif
