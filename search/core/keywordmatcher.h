#ifndef LINTRA_KEYWORDMATCHER_H
#define LINTRA_KEYWORDMATCHER_H

#include <QString>
#include <QStringList>
#include <QVector>

#include "search/core/keywordquery.h"

// Decides whether one file qualifies for a search: every keyword must be found
// in at least one of the subjects fed to it since the last Reset (the lines of
// the file, or its name alone). Several keywords thus combine with AND and may
// be found in different lines. It reads no file and knows no window.
class CKeywordMatcher
{
public:
    // A substring test per pattern, without regard to case, for file names.
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
    // keyword's text, with ASCII letters compared without case, or a
    // character outside ASCII that folds to an ASCII letter (the KELVIN SIGN
    // to "k"): where the keyword is plain ASCII, no match can lack both, and
    // the comparison costs far less than folding the subject. Feed's answers
    // stay the same.
    void SkipSubjectsWithoutKeywordText();

private:
    CKeywordMatcher(const QStringList &patterns, bool fullText, bool matchWholeWord,
                    bool wordSeparatedLanguage);
    void BuildExpressions();

    QStringList Patterns;
    bool FullText;
    bool MatchWholeWord;
    bool WordSeparatedLanguage;
    QVector<CKeywordExpression> Expressions;
    QVector<QByteArray> RequiredTexts; // per pattern, lower case; empty where nothing is required
    QVector<bool> Found;
    int MissingCount = 0;
};

#endif
