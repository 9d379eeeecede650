#ifndef LINTRA_KEYWORDQUERY_H
#define LINTRA_KEYWORDQUERY_H

#include <QString>
#include <QStringList>

// The keywords of one search: as typed, and as match patterns.
struct CKeywordQuery
{
    QStringList KeywordList;     // split on white space, exact duplicates removed, case kept
    QStringList KeywordPatterns; // each escaped for QRegExp and case-folded, duplicates removed
};

// Number of white-space separated words of the text, duplicates included.
int CountKeywords(const QString &text);

// The keywords and patterns of an already trimmed and simplified text.
CKeywordQuery ParseKeywords(const QString &text);

// Simple case folding, one code point to one: the result is as long as the
// text, so a position in either is a position in the other. Two texts are
// equal without regard to case when their foldings are equal.
QString FoldCase(const QString &text);

// A letter, digit, combining mark or underscore: what a whole word must not
// touch on either side.
bool IsWordCharacter(QChar c);

// The text a pattern stands for: the keyword, case-folded, without the
// escaping backslashes.
QString PatternText(const QString &pattern);

// One keyword as a full-text line, a file name or the viewer looks for it:
// its text, compared without regard to case (both sides case-folded), and
// for a whole word with no word character directly before its first
// character or after its last one.
class CKeywordExpression
{
public:
    CKeywordExpression() = default;
    CKeywordExpression(const QString &pattern, bool wholeWord);

    // The start of the first match at or after from, or -1. foldedText is
    // FoldCase(text), for callers that look for several keywords in one text.
    int IndexIn(const QString &text, int from = 0) const;
    int IndexIn(const QString &text, const QString &foldedText, int from = 0) const;
    // The length of every match.
    int Length() const { return FoldedKeyword.size(); }
    bool IsWholeWord() const { return WholeWord; }

private:
    QString FoldedKeyword;
    bool WholeWord = false;
};

// The expression a full-text line or the viewer tests for one pattern: whole
// words only when the language separates words with blanks.
CKeywordExpression FullTextExpression(const QString &pattern, bool matchWholeWord,
                                      bool wordSeparatedLanguage);

// The expression a file name is tested with: the keyword anywhere in it.
CKeywordExpression FileNameExpression(const QString &pattern);

#endif
