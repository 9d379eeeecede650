#include "search/core/matchinglines.h"

#include <QIODevice>

#include <algorithm>

#include "viewer/core/resultpager.h"

namespace {

// Every keyword's matches in the text from `from` on, by start; the text is
// folded once for all keywords. Rank is the keyword's place in the query.
QVector<CHighlightRange> KeywordRuns(const CKeywordQuery &query, const QString &text, int from = 0)
{
    QVector<CHighlightRange> runs;
    const QString folded = FoldCase(text);
    for (int k = 0; k < query.Count(); ++k) {
        const CKeywordExpression expression = query.Expression(k);
        for (int found = expression.IndexIn(text, folded, from); found >= 0 && expression.Length() > 0;
             found = expression.IndexIn(text, folded, found + expression.Length()))
            runs.append({found, expression.Length(), k});
    }
    std::sort(runs.begin(), runs.end(),
              [](const CHighlightRange &a, const CHighlightRange &b) { return a.Start < b.Start; });
    return runs;
}

} // namespace

CMatchingLineFinder::CMatchingLineFinder(const CKeywordQuery &query, const CUnmarkedTextCharset &charset,
                                         int maxLines, qint64 byteLimit)
    : Query(query)
    , Charset(charset)
    , MaxLines(maxLines)
    , ByteLimit(byteLimit)
{
    qRegisterMetaType<CMatchingLineList>();
}

CMatchingLines CMatchingLineFinder::Find(const QByteArray &nativePath, const std::function<bool()> &cancelled,
                                         const Batch &batch) const
{
    return FindIn(nativePath, cancelled, batch);
}

CMatchingLines CMatchingLineFinder::Find(QIODevice *device, const std::function<bool()> &cancelled,
                                         const Batch &batch) const
{
    return FindIn(device, cancelled, batch);
}

// Block after block: the pager numbers the lines, the block's text is
// searched once for every keyword, and only the lines that hold one are cut out.
template <class Source>
CMatchingLines CMatchingLineFinder::FindIn(const Source &source, const std::function<bool()> &cancelled,
                                           const Batch &batch) const
{
    CMatchingLines found;
    CResultPager pager(source, ByteLimit, Charset);
    CResultPage page = pager.First();
    if (page.Outcome != PageShown) {
        found.Unreadable = true;
        return found;
    }
    while (!page.Bytes.isEmpty()) {
        CMatchingLineList added;
        qint64 number = pager.BlockLineRange(page.Block).first + 1;
        int lineStart = 0;
        int lineEnd = -1; // the end of the line last listed or counted
        for (const CHighlightRange &run : KeywordRuns(Query, page.Text)) {
            const int start = run.Start;
            if (start < lineEnd)
                continue;
            for (int next = page.Text.indexOf(QLatin1Char('\n'), lineStart); next >= 0 && next < start;
                 next = page.Text.indexOf(QLatin1Char('\n'), lineStart)) {
                lineStart = next + 1;
                ++number;
            }
            lineEnd = page.Text.indexOf(QLatin1Char('\n'), start);
            if (lineEnd < 0)
                lineEnd = page.Text.size();
            if (found.Lines.size() + added.size() < MaxLines)
                added.append(LineEntry(number, page.Text.mid(lineStart, lineEnd - lineStart)));
            else
                ++found.More;
        }
        if (!added.isEmpty()) {
            found.Lines += added;
            if (batch)
                batch(added);
        }
        if (pager.LastBlock() == page.Block)
            break;
        if (cancelled && cancelled()) {
            found.Cancelled = true;
            break;
        }
        page = pager.Next();
        if (page.Outcome != PageShown)
            break;
    }
    return found;
}

CMatchingLine CMatchingLineFinder::LineEntry(qint64 number, const QString &line) const
{
    CMatchingLine entry;
    entry.Number = number;
    QString text = line;
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const QVector<CHighlightRange> runs = KeywordRuns(Query, text);
    if (runs.isEmpty())
        return entry;
    // The first keyword with a little of what leads to it, marked as cut.
    const int cut = qMax(0, runs.first().Start - LeadCharacters);
    const QString mark = cut > 0 ? QStringLiteral("…") : QString();
    entry.Text = mark + text.mid(cut, ShownCharacters);
    for (QChar &c : entry.Text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    for (CHighlightRange run : runs) {
        run.Start += mark.size() - cut;
        if (run.Start >= mark.size() && run.Start + run.Length <= entry.Text.size())
            entry.Keywords.append(run);
    }
    return entry;
}
