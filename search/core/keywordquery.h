#ifndef LINTRA_KEYWORDQUERY_H
#define LINTRA_KEYWORDQUERY_H

#include <QRegExp>
#include <QString>
#include <QStringList>

// The keywords of one search: as typed, and as match patterns.
struct CKeywordQuery
{
    QStringList KeywordList;     // split on white space, exact duplicates removed, case kept
    QStringList KeywordPatterns; // each escaped for QRegExp and lower-cased, duplicates removed
};

// Number of white-space separated words of the text, duplicates included.
int CountKeywords(const QString &text);

// The keywords and patterns of an already trimmed and simplified text.
CKeywordQuery ParseKeywords(const QString &text);

// The expression a full-text line or the viewer tests for one pattern:
// "\b(p)\b" for whole words (only when the language separates words with
// blanks), "(p)" otherwise; case-insensitive.
QRegExp FullTextExpression(const QString &pattern, bool matchWholeWord, bool wordSeparatedLanguage);

// The text a pattern stands for: the keyword, lower-cased, without the
// escaping backslashes.
QString PatternText(const QString &pattern);

// The expression a file name is tested with: the pattern itself, case-insensitive.
QRegExp FileNameExpression(const QString &pattern);

#endif
