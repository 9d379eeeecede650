#ifndef LINTRA_KEYWORDMATCHER_H
#define LINTRA_KEYWORDMATCHER_H

#include <QRegExp>
#include <QString>
#include <QStringList>
#include <QVector>

// Decides whether one file qualifies for a search: every keyword must be found
// in at least one of the subjects fed to it since the last Reset (the lines of
// the file, or its name alone). Several keywords thus combine with AND and may
// be found in different lines. It reads no file and knows no window.
class CKeywordMatcher
{
public:
    // A case-insensitive substring test per pattern, for file names.
    static CKeywordMatcher ForFileNames(const QStringList &patterns);
    // Each pattern as a whole word or as a substring, for the lines of a file.
    static CKeywordMatcher ForFullText(const QStringList &patterns, bool matchWholeWord,
                                       bool wordSeparatedLanguage);

    // Forgets the keywords found so far: call it before each file.
    void Reset();
    // True once every keyword has been found; a matcher without keywords never matches.
    bool Feed(const QString &subject);
    // Rebuilds full-text expressions for a changed whole-word rule; the keywords
    // already found stay found.
    void SetMatchWholeWord(bool matchWholeWord);
    // From now on an expression runs only on subjects that contain its
    // keyword's text, with ASCII letters compared without case: where the
    // keyword is plain ASCII and has no letter that a character outside ASCII
    // matches too (no "k"), no match can lack that text, and the comparison
    // costs far less than the expression. Feed's answers stay the same.
    void SkipSubjectsWithoutKeywordText();

private:
    CKeywordMatcher(const QStringList &patterns, bool fullText, bool matchWholeWord,
                    bool wordSeparatedLanguage);
    void BuildExpressions();

    QStringList Patterns;
    bool FullText;
    bool MatchWholeWord;
    bool WordSeparatedLanguage;
    QVector<QRegExp> Expressions;
    QVector<QByteArray> RequiredTexts; // per pattern, lower case; empty where nothing is required
    QVector<bool> Found;
    int MissingCount = 0;
};

#endif
