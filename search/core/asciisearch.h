#ifndef LINTRA_ASCIISEARCH_H
#define LINTRA_ASCIISEARCH_H

#include <QByteArray>
#include <QChar>
#include <QVector>

// The vector kernels that look for a keyword's ASCII bytes in a file's bytes
// or in decoded text, ignoring the case of ASCII letters. They know nothing
// of keywords, codecs or files.

// True when needle, lower-case ASCII, occurs in bytes with ASCII letters compared
// without regard to case; any other byte must be equal. vectorBytes chooses
// the search kernel (32, 16, or 1 for none); 0 takes the widest the
// processor runs, which WidestSearchVector() tells.
bool ContainsAsciiCaseInsensitive(const char *bytes, qint64 size, const QByteArray &needle,
                                  int vectorBytes = 0);
// The same, telling where: the first position at or after from, or -1.
qint64 IndexOfAsciiCaseInsensitive(const char *bytes, qint64 size, const QByteArray &needle, qint64 from = 0,
                                   int vectorBytes = 0);
int WidestSearchVector();
// The first position at or after from where any of the needles starts (all
// of one length, in the same form as above), or -1: the forms of a keyword
// are looked for in one pass.
qint64 IndexOfAnyAsciiCaseInsensitive(const char *bytes, qint64 size, const QVector<QByteArray> &needles,
                                      qint64 from = 0, int vectorBytes = 0);
// The same over UTF-16 text: every code unit above ASCII differs from every needle byte.
bool ContainsAsciiCaseInsensitive(const QChar *text, qint64 size, const QByteArray &needle);

#endif
