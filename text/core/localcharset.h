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

// Language codes whose words are separated by blanks; only membership is
// tested. Built once, never changed.
const QStringList &WordSeparatedLanguages();

// The charset the system most likely uses for non-ASCII text under the given
// locale name, or an empty string when no rule covers it.
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
