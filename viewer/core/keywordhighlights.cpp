#include "viewer/core/keywordhighlights.h"

#include <QMap>
#include <QRegExp>

#include "search/core/keywordquery.h"

namespace {

// The keyword as typed whose pattern this is; empty if none is.
QString KeywordOfPattern(const QString &pattern, const QStringList &keywords)
{
    for (const QString &keyword : keywords) {
        if (FoldCase(QRegExp::escape(keyword)) == pattern)
            return keyword;
    }
    return QString();
}

struct FirstOccurrence
{
    QString keyword;
    int length = 0;
};

QMap<int, FirstOccurrence> FirstOccurrences(const QString &text, const QString &foldedText,
                                            const QStringList &patterns, const QStringList &keywords,
                                            bool matchWholeWord, bool wordSeparatedLanguage)
{
    QMap<int, FirstOccurrence> firsts;
    for (const QString &pattern : patterns) {
        const CKeywordExpression expression =
            FullTextExpression(pattern, matchWholeWord, wordSeparatedLanguage);
        const int start = expression.IndexIn(text, foldedText);
        if (start < 0)
            continue;
        FirstOccurrence first;
        first.keyword = KeywordOfPattern(pattern, keywords);
        // Folding keeps the length: the keyword is as long as what its pattern matches.
        first.length = expression.Length();
        firsts.insert(start, first);
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
    return plain;
}

CHighlightPlan PlanKeywordHighlights(const QString &documentText, const QStringList &patterns,
                                     const QStringList &keywords, bool matchWholeWord,
                                     bool wordSeparatedLanguage)
{
    CHighlightPlan plan;
    const QString folded = FoldCase(documentText);
    const QMap<int, FirstOccurrence> firsts =
        FirstOccurrences(documentText, folded, patterns, keywords, matchWholeWord, wordSeparatedLanguage);
    int rank = 0;
    for (auto first = firsts.constBegin(); first != firsts.constEnd(); ++first, ++rank) {
        const int length = first->length;
        plan.CaretPosition = first.key();
        plan.Ranges.append({first.key(), length, rank});
        if (first->keyword.isEmpty() || length == 0)
            continue;
        const QString foldedKeyword = FoldCase(first->keyword);
        int from = first.key() + length;
        int found;
        while ((found = folded.indexOf(foldedKeyword, from)) >= 0) {
            plan.Ranges.append({found, length, rank});
            from = found + length;
        }
    }
    return plan;
}

bool TextContainsAnyKeyword(const QStringList &patterns, const QString &text, bool matchWholeWord,
                            bool wordSeparatedLanguage)
{
    const QString folded = FoldCase(text);
    for (const QString &pattern : patterns) {
        if (FullTextExpression(pattern, matchWholeWord, wordSeparatedLanguage).IndexIn(text, folded) >= 0)
            return true;
    }
    return false;
}
