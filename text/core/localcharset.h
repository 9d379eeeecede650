#ifndef LINTRA_LOCALCHARSET_H
#define LINTRA_LOCALCHARSET_H

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QTextCodec;

// Locale name -> charset name, for the locales whose language alone does not
// tell the charset. Built once, never changed.
const QMap<QString, QString> &LocaleCharsets();

// Language codes whose writing does not separate words with spaces (Chinese,
// Japanese, Thai, Lao, Khmer, Burmese, Tibetan); every other language does.
const QStringList &UnspacedLanguages();

// The charsets that files were written in under the given locale name before
// UTF-8: the Windows charset of its language, and where a second one is as
// common, that one after it. Empty when no rule covers the locale.
QStringList LegacyCharsetsForLocale(const QString &localeName);

// The first of LegacyCharsetsForLocale, or an empty string.
QString CharsetForLocale(const QString &localeName);

// Whether the language of the locale name (its first two characters, lower
// case) separates words with blanks.
bool IsWordSeparatedLanguage(const QString &localeName);

// Every codec of the toolkit, one per upper-cased name (a later MIB wins),
// ordered by that name.
QList<QTextCodec *> OrderedAvailableCodecs();

// The codec's name as an entry text: its bytes read as Latin-1 up to the
// first NUL.
QString CodecEntryName(const QTextCodec *codec);

#endif
