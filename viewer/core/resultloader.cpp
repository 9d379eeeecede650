#include "viewer/core/resultloader.h"

#include <QFile>
#include <QTextCodec>

#include <algorithm>
#include <memory>

#include "search/core/keywordprefilter.h"
#include "viewer/core/regularfile.h"
#include "viewer/core/resultdecoding.h"

namespace {

TEnumPageOutcome OutcomeOfOpening(TEnumFileOpening opening)
{
    switch (opening) {
    case FileOpened:
        return PageShown;
    case FileMissing:
        return PageGone;
    case FileNotRegular:
        return PageNotRegular;
    case FileUnreadable:
        break;
    }
    return PageUnreadable;
}

} // namespace

QVector<CHighlightRange> MatchesInOrder(const CHighlightPlan &plan)
{
    QVector<CHighlightRange> matches = plan.Ranges.toVector();
    std::sort(matches.begin(), matches.end(), [](const CHighlightRange &a, const CHighlightRange &b) {
        return a.Start != b.Start ? a.Start < b.Start : a.Length > b.Length;
    });
    const auto sameStart = [](const CHighlightRange &a, const CHighlightRange &b) {
        return a.Start == b.Start;
    };
    matches.erase(std::unique(matches.begin(), matches.end(), sameStart), matches.end());
    return matches;
}

CResultLoader::CResultLoader(qint64 byteLimit, const CUnmarkedTextCharset &charset, QObject *parent)
    : QObject(parent)
    , ByteLimit(byteLimit)
    , Charset(charset)
{
    qRegisterMetaType<CViewedText>();
}

void CResultLoader::Cancel(quint64 generation)
{
    quint64 now = CancelledUpTo.loadRelaxed();
    while (now < generation && !CancelledUpTo.testAndSetRelaxed(now, generation, now)) {
    }
}

bool CResultLoader::IsCancelled(quint64 generation) const
{
    return generation <= CancelledUpTo.loadRelaxed();
}

void CResultLoader::Load(quint64 generation, const QByteArray &nativePath, const CKeywordQuery &query,
                         qint64 line)
{
    Running = generation;
    Query = query;
    CViewedText answer;
    QFile file;
    const TEnumFileOpening opening = OpenRegularFile(nativePath, file);
    if (opening != FileOpened) {
        answer.Outcome = OutcomeOfOpening(opening);
    } else if (file.size() >= ByteLimit) {
        file.close();
        Pager = CResultPager(nativePath, ByteLimit, Charset);
        SetPagerSearch();
        answer = Answer(line > 0 ? PageWithLine(line) : Pager.FirstWithKeyword());
    } else {
        answer = LoadWhole(file);
    }
    answer.Generation = generation;
    answer.Step = ViewLoad;
    emit Done(answer);
}

void CResultLoader::Step(quint64 generation, TEnumViewStep step, int mib)
{
    Running = generation;
    CResultPage page;
    switch (step) {
    case ViewLoad:
        return;
    case ViewPreviousBlock:
        page = Pager.Previous();
        break;
    case ViewNextBlock:
        page = Pager.Next();
        break;
    case ViewPreviousMatch:
        page = Pager.PreviousWithKeyword();
        break;
    case ViewNextMatch:
        page = Pager.NextWithKeyword();
        break;
    case ViewDecodeAgain:
        Pager.SetCodec(QTextCodec::codecForMib(mib));
        page = Pager.Current();
        break;
    }
    CViewedText answer = Answer(page);
    answer.Generation = generation;
    answer.Step = step;
    emit Done(answer);
}

// The scans count what the highlighter colours, and skip the blocks whose
// bytes cannot hold any keyword. Without keywords nothing is looked for.
void CResultLoader::SetPagerSearch()
{
    CBlockSearch search;
    search.Cancelled = [this] { return IsCancelled(Running); };
    search.Progress = [this](qint64 offset, qint64 size) { emit Progress(Running, offset, size); };
    if (!Query.IsEmpty()) {
        const auto filter = std::make_shared<CKeywordPreFilter>(Query);
        search.MayMatch = [filter](const QByteArray &bytes, QTextCodec *codec) {
            return filter->MayContainAnyKeyword(bytes, codec);
        };
        search.CountMatches = [this](const QString &text) {
            return MatchesInOrder(Plan(DocumentPlainText(text))).size();
        };
    }
    Pager.SetSearch(search);
}

// Block after block from the first, until the one that holds the line (or the last).
CResultPage CResultLoader::PageWithLine(qint64 line)
{
    CResultPage page = Pager.First();
    while (page.Outcome == PageShown && Pager.BlockLineRange(page.Block).second < line - 1 &&
           Pager.LastBlock() != page.Block && !IsCancelled(Running)) {
        const CResultPage next = Pager.Next();
        if (next.Outcome != PageShown)
            break;
        page = next;
    }
    return page;
}

CViewedText CResultLoader::LoadWhole(QFile &file) const
{
    CViewedText answer;
    // The size was below the limit when opened; a file growing meanwhile is
    // cut there.
    const QByteArray bytes = file.read(ByteLimit);
    answer.Outcome = file.error() == QFileDevice::NoError ? PageShown : PageUnreadable;
    if (bytes.isEmpty())
        return answer;
    CTextEncodingDetector detector;
    detector.Detect(bytes.constData(), quint32(bytes.size()));
    answer.WholeBytes = bytes;
    answer.UnmarkedCodec = Charset.CodecFor(bytes);
    answer.Encoding = WholeFileEncoding(detector.Encoding, answer.UnmarkedCodec, Charset.LocalCodec());
    answer.EncodingKnown = true;
    answer.Text =
        DocumentPlainText(DecodeBytes(bytes, answer.Encoding, detector.BomLength, answer.UnmarkedCodec));
    answer.Plan = Plan(answer.Text);
    answer.MatchesCounted = MatchesInOrder(answer.Plan).size();
    answer.MatchesAllCounted = true;
    return answer;
}

CViewedText CResultLoader::Answer(const CResultPage &page) const
{
    CViewedText answer;
    answer.Outcome = page.Outcome;
    answer.Paged = true;
    answer.Text = DocumentPlainText(page.Text);
    if (!answer.Text.isEmpty())
        answer.Plan = Plan(answer.Text);
    answer.Encoding = Pager.Encoding();
    answer.UnmarkedCodec = Pager.UnmarkedCodec();
    // Block 0 was read: its encoding decodes every block.
    answer.EncodingKnown = Pager.BlockOffset(1) > 0;
    answer.Block = Pager.CurrentBlock();
    answer.BlockCount = Pager.BlockCount();
    answer.BlockCountKnown = Pager.BlockCountKnown();
    answer.PastTheEnd = Pager.PastTheEnd();
    answer.FirstLine = Pager.CurrentBlockFirstLine();
    answer.MatchesBefore = Pager.MatchesBefore(answer.Block);
    answer.MatchesCounted = Pager.MatchesCounted();
    answer.MatchesAllCounted = Pager.MatchesAllCounted();
    return answer;
}

CHighlightPlan CResultLoader::Plan(const QString &text) const
{
    return PlanKeywordHighlights(text, Query);
}
