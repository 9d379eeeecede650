#include "search/core/keywordmatcher.h"

#include "search/core/keywordprefilter.h"
#include "search/core/keywordquery.h"

CKeywordMatcher::CKeywordMatcher(const CKeywordQuery &query, bool fullText)
    : Query(fullText ? query : query.AsSubstrings())
    , FullText(fullText)
{
    BuildExpressions();
    Reset();
}

CKeywordMatcher CKeywordMatcher::ForFileNames(const CKeywordQuery &query)
{
    return CKeywordMatcher(query, false);
}

CKeywordMatcher CKeywordMatcher::ForFullText(const CKeywordQuery &query)
{
    return CKeywordMatcher(query, true);
}

void CKeywordMatcher::BuildExpressions()
{
    Expressions.clear();
    RequiredTexts.resize(Query.Count());
    for (int k = 0; k < Query.Count(); ++k)
        Expressions << Query.Expression(k);
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
    // Folded once for all keywords, and only when one of them needs it.
    QString folded;
    bool haveFolded = false;
    int foreignForms = -1;
    // A keyword found once stays found: testing it again could not change the outcome.
    for (int k = 0; k < Expressions.size(); ++k) {
        if (Found.at(k))
            continue;
        const QByteArray &required = RequiredTexts.at(k);
        if (!required.isEmpty() &&
            !ContainsAsciiCaseInsensitive(subject.constData(), subject.size(), required)) {
            if (foreignForms < 0)
                foreignForms = ContainsForeignLetterForm(subject.constData(), subject.size()) ? 1 : 0;
            if (foreignForms == 0)
                continue;
        }
        if (!haveFolded) {
            folded = FoldCase(subject);
            haveFolded = true;
        }
        if (Expressions.at(k).IndexIn(subject, folded) != -1) {
            Found[k] = true;
            --MissingCount;
        }
    }
    return MissingCount == 0;
}

void CKeywordMatcher::SkipSubjectsWithoutKeywordText()
{
    for (int k = 0; k < Query.Count(); ++k) {
        const QString &text = Query.FoldedKeywords().at(k);
        QByteArray required;
        for (const QChar c : text)
            required += c.unicode() < 0x80 ? char(c.toLower().unicode()) : '\0';
        const bool usable = FullText && !required.isEmpty() && !required.contains('\0');
        RequiredTexts[k] = usable ? required : QByteArray();
    }
}

void CKeywordMatcher::SetMatchWholeWord(bool matchWholeWord)
{
    if (!FullText || matchWholeWord == Query.MatchWholeWord())
        return;
    Query.SetMatchWholeWord(matchWholeWord);
    BuildExpressions();
}
