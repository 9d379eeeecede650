#include "search/core/keywordmatcher.h"

#include "search/core/asciisearch.h"
#include "search/core/keywordprefilter.h"
#include "search/core/keywordquery.h"

namespace {

// Code units a whole word looks at beside a match: one code point.
const int ContextUnits = 2;

bool IsAsciiText(const QString &text)
{
    const ushort *units = text.utf16();
    for (int i = 0, size = text.size(); i < size; ++i) {
        if (units[i] >= 0x80)
            return false;
    }
    return true;
}

} // namespace

CKeywordMatcher::CKeywordMatcher(const CKeywordQuery &query, bool fullText, int linePieceLength)
    : Query(fullText ? query : query.AsSubstrings())
    , FullText(fullText)
    , LinePieceLength(linePieceLength)
{
    for (const QString &keyword : Query.FoldedKeywords())
        LongestKeyword = qMax(LongestKeyword, keyword.size());
    BuildExpressions();
    if (!fullText) {
        for (const QString &keyword : Query.FoldedKeywords()) {
            if (!IsAsciiText(keyword)) {
                AsciiKeywords.clear();
                break;
            }
            AsciiKeywords << keyword.toLatin1();
        }
    }
    Reset();
}

CKeywordMatcher CKeywordMatcher::ForFileNames(const CKeywordQuery &query)
{
    return CKeywordMatcher(query, false, 0);
}

CKeywordMatcher CKeywordMatcher::ForFullText(const CKeywordQuery &query, int linePieceLength)
{
    return CKeywordMatcher(query, true, linePieceLength);
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
    Carry.clear();
    CarryFromLineStart = true;
}

bool CKeywordMatcher::Feed(const QString &subject)
{
    if (Expressions.isEmpty())
        return false;
    if (!AsciiKeywords.isEmpty() && IsAsciiText(subject))
        return FeedAsciiName(subject.constData(), subject.size());
    const bool continued = LinePieceLength > 0 && subject.size() == LinePieceLength;
    if (Carry.isEmpty() && !continued)
        return FeedPiece(subject, 0, false);
    // The piece goes on from the end of the one before, so that a keyword
    // across the cut is found: what was found before the end of that piece
    // was found there, what may have reached past it is looked for here.
    const QString joined = Carry + subject;
    const bool matched = FeedPiece(joined, CarryFromLineStart ? 0 : ContextUnits, continued);
    if (!continued) {
        Carry.clear();
        CarryFromLineStart = true;
    } else {
        const int keep = LongestKeyword + 1 + ContextUnits;
        CarryFromLineStart = CarryFromLineStart && joined.size() <= keep;
        Carry = joined.right(keep);
    }
    return matched;
}

bool CKeywordMatcher::FeedPiece(const QString &subject, int from, bool continued)
{
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
        const CKeywordExpression &expression = Expressions.at(k);
        const int at = expression.IndexIn(subject, folded, from);
        if (at != -1 && (!continued || at + expression.Length() + ContextUnits <= subject.size())) {
            Found[k] = true;
            --MissingCount;
        }
    }
    return MissingCount == 0;
}

bool CKeywordMatcher::FeedAscii(const QByteArray &subject)
{
    if (Expressions.isEmpty() || AsciiKeywords.isEmpty())
        return Feed(QString::fromLatin1(subject));
    return FeedAsciiName(subject.constData(), subject.size());
}

// Most names and keywords are ASCII: folding them is ASCII's lower case, and
// a substring compared without case needs no folded copy of the name, be it
// bytes or UTF-16 code units.
template <typename Unit> bool CKeywordMatcher::FeedAsciiName(const Unit *name, int size)
{
    for (int k = 0; k < AsciiKeywords.size(); ++k) {
        if (!Found.at(k) && ContainsAsciiCaseInsensitive(name, size, AsciiKeywords.at(k))) {
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
