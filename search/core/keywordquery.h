#ifndef LINTRA_KEYWORDQUERY_H
#define LINTRA_KEYWORDQUERY_H

#include <QString>
#include <QStringList>

// Number of white-space separated words of the text, duplicates included.
int CountKeywords(const QString &text);

// Simple case folding, one code point to one: the result is as long as the
// text, so a position in either is a position in the other. Two texts are
// equal without regard to case when their foldings are equal.
QString FoldCase(const QString &text);

// A letter, digit, combining mark or underscore: what a whole word must not
// touch on either side. It is a code point: letters outside the basic plane
// count as letters.
bool IsWordCharacter(uint codePoint);

// One keyword as a full-text line, a file name or the viewer looks for it:
// its text, compared without regard to case (both sides case-folded), and
// for a whole word with no word character directly before its first
// character or after its last one.
class CKeywordExpression
{
public:
    CKeywordExpression() = default;
    CKeywordExpression(const QString &foldedKeyword, bool wholeWord);

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

// The keywords of one search, built once from the typed text and handed by
// const reference to everything that looks for them: the scans, the
// pre-filter, the viewer's block search and the highlighter. It holds the
// keywords as typed and as they are compared (case-folded), and how they
// match: as whole words or as substrings. It reads no widget; the window
// builds a new one when the user types or chooses anew.
class CKeywordQuery
{
public:
    CKeywordQuery() = default;
    // text: the keyword box's text, split on white space. Whole words are
    // matched only when the user chose them and the language separates its
    // words with blanks; elsewhere a keyword is matched as a substring.
    CKeywordQuery(const QString &text, bool matchWholeWord, bool wordSeparatedLanguage);

    // As typed: exact duplicates removed, case and order of first occurrence kept.
    const QStringList &Keywords() const { return Typed; }
    // Case-folded, duplicates after folding removed: "Foo foo" is one keyword here.
    const QStringList &FoldedKeywords() const { return Folded; }
    int Count() const { return Folded.size(); }
    bool IsEmpty() const { return Folded.isEmpty(); }

    bool MatchWholeWord() const { return ChosenWholeWord; }
    bool WordSeparatedLanguage() const { return WordSeparated; }
    // Whether the keywords match as whole words: the choice where the language allows it.
    bool WholeWords() const { return ChosenWholeWord && WordSeparated; }
    // The user's choice changed while the query is in use.
    void SetMatchWholeWord(bool matchWholeWord) { ChosenWholeWord = matchWholeWord; }
    // The same keywords as substrings: how file names are tested.
    CKeywordQuery AsSubstrings() const;

    // Keyword k (of FoldedKeywords) as this query matches it.
    CKeywordExpression Expression(int k) const { return CKeywordExpression(Folded.at(k), WholeWords()); }

private:
    QStringList Typed;
    QStringList Folded;
    bool ChosenWholeWord = false;
    bool WordSeparated = false;
};

#endif
