#include "search/keywordmatcher.h"

#include "search/keywordquery.h"

CKeywordMatcher::CKeywordMatcher(const QStringList &patterns, bool fullText, bool matchWholeWord,
                                 bool wordSeparatedLanguage)
    : Patterns(patterns)
    , FullText(fullText)
    , MatchWholeWord(matchWholeWord)
    , WordSeparatedLanguage(wordSeparatedLanguage)
{
    BuildExpressions();
    Reset();
}

CKeywordMatcher CKeywordMatcher::ForFileNames(const QStringList &patterns)
{
    return CKeywordMatcher(patterns, false, false, false);
}

CKeywordMatcher CKeywordMatcher::ForFullText(const QStringList &patterns, bool matchWholeWord,
                                             bool wordSeparatedLanguage)
{
    return CKeywordMatcher(patterns, true, matchWholeWord, wordSeparatedLanguage);
}

void CKeywordMatcher::BuildExpressions()
{
    Expressions.clear();
    for (const QString &pattern : Patterns)
        Expressions << (FullText ? FullTextExpression(pattern, MatchWholeWord, WordSeparatedLanguage)
                                 : FileNameExpression(pattern));
}

void CKeywordMatcher::Reset()
{
    Found.fill(false, Expressions.size());
    MissingCount = Expressions.size();
}

bool CKeywordMatcher::Feed(const QString &subject)
{
    if (Expressions.isEmpty())
        return false;
    // A keyword found once stays found: testing it again could not change the outcome.
    for (int k = 0; k < Expressions.size(); ++k) {
        if (!Found.at(k) && Expressions[k].indexIn(subject) != -1) {
            Found[k] = true;
            --MissingCount;
        }
    }
    return MissingCount == 0;
}

void CKeywordMatcher::SetMatchWholeWord(bool matchWholeWord)
{
    if (!FullText || matchWholeWord == MatchWholeWord)
        return;
    MatchWholeWord = matchWholeWord;
    BuildExpressions();
}
