#include "viewer/core/keywordhighlights.h"

#include <QMap>

#include "search/core/keywordquery.h"

namespace {

// Where each keyword first matches, to the keyword (its index in the query).
QMap<int, int> FirstOccurrences(const QString &text, const QString &foldedText, const CKeywordQuery &query)
{
    QMap<int, int> firsts;
    for (int k = 0; k < query.Count(); ++k) {
        const int start = query.Expression(k).IndexIn(text, foldedText);
        if (start >= 0)
            firsts.insert(start, k);
    }
    return firsts;
}

} // namespace

Qt::GlobalColor KeywordColour(int rank)
{
    static const Qt::GlobalColor colours[] = {Qt::blue, Qt::red, Qt::yellow};
    return colours[rank % 3];
}

QString DocumentPlainText(const QString &text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar &c : plain) {
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            c = QChar::ReplacementCharacter;
    }
    return plain;
}

CHighlightPlan PlanKeywordHighlights(const QString &documentText, const CKeywordQuery &query)
{
    CHighlightPlan plan;
    const QString folded = FoldCase(documentText);
    const QMap<int, int> firsts = FirstOccurrences(documentText, folded, query);
    int rank = 0;
    for (auto first = firsts.constBegin(); first != firsts.constEnd(); ++first, ++rank) {
        // What the search would find, and nothing else: whole words stay whole words.
        const CKeywordExpression expression = query.Expression(first.value());
        const int length = expression.Length();
        plan.CaretPosition = first.key();
        for (int found = first.key(); found >= 0 && length > 0;
             found = expression.IndexIn(documentText, folded, found + length))
            plan.Ranges.append({found, length, rank});
    }
    return plan;
}

bool TextContainsAnyKeyword(const CKeywordQuery &query, const QString &text)
{
    const QString folded = FoldCase(text);
    for (int k = 0; k < query.Count(); ++k) {
        if (query.Expression(k).IndexIn(text, folded) >= 0)
            return true;
    }
    return false;
}
