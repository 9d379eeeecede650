// The full-text pre-filter over arbitrary file contents: it may only rule a
// file out where reading its lines finds no match, a big file is matched
// from the lines holding keyword bytes exactly as from all of its lines, and
// a viewer block is ruled out only where decoding it shows no keyword. The
// first input byte picks the keywords, the match mode, the read size and the
// line cut; the rest is the file.

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "search/core/keywordmatcher.h"
#include "search/core/keywordprefilter.h"
#include "search/core/keywordquery.h"
#include "search/core/textfilescan.h"
#include "viewer/core/keywordhighlights.h"

namespace {

// Asked whether to stop, it never says so.
CScanReport NoStop;

const char *const KeywordTexts[] = {"alpha",
                                    "kiss",
                                    "c++ a.b",
                                    "ss beta",
                                    "\xC3\xA9t\xC3\xA9 ki",
                                    "k",
                                    "(x s",
                                    "\xCE\x9B\xCE\x9F\xCE\x93\xCE\x9F\xCE\xA3",
                                    "\xC4\xB0stanbul",
                                    "\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB \xE6\x96\x87",
                                    "gr\xC3\xB6\xC3\x9F\x65"};
const int KeywordTextCount = int(sizeof(KeywordTexts) / sizeof(KeywordTexts[0]));

TEnumFileScanResult LineScan(const QByteArray &bytes, const CKeywordQuery &query, int maxLineLength = 64)
{
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(query, maxLineLength);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ScanTextLines(
        buffer, [&matcher](const QString &line) { return matcher.Feed(line); }, NoStop,
        QTextCodec::codecForName("UTF-8"), maxLineLength);
}

// The scan of a file behind the pre-filter, which decodes only the lines
// holding a keyword's bytes once the file spans more than one read.
TEnumFileScanResult FileScan(const QByteArray &bytes, const CKeywordQuery &query, int chunkSize,
                             int maxLineLength)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        abort();
    file.close();
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(query, maxLineLength);
    matcher.SkipSubjectsWithoutKeywordText();
    CKeywordPreFilter preFilter(query, QTextCodec::codecForName("UTF-8"), chunkSize);
    return ScanTextFile(
        path, preFilter, [&matcher](const QString &line) { return matcher.Feed(line); }, NoStop,
        QTextCodec::codecForName("UTF-8"), maxLineLength);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t choice = data[0];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const bool wholeWord = choice & 0x40;
    const CKeywordQuery query(QString::fromUtf8(KeywordTexts[choice % KeywordTextCount]), wholeWord, true);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CKeywordPreFilter preFilter(query, QTextCodec::codecForName("UTF-8"), 2 + (choice >> 3) % 8);
    if (preFilter.Check(buffer, NoStop) == PreFilterNoMatch)
        Check(LineScan(bytes, query) == FileScanNotMatched);
    const int maxLineLength = 3 + (choice >> 1) % 16;
    Check(FileScan(bytes, query, 2 + (choice >> 3) % 8, maxLineLength) ==
          LineScan(bytes, query, maxLineLength));

    // A viewer block, decoded whole.
    for (const char *name : {"UTF-8", "ISO-8859-1", "UTF-16LE", "UTF-16BE"}) {
        QTextCodec *codec = QTextCodec::codecForName(name);
        if (preFilter.MayContainAnyKeyword(bytes, codec))
            continue;
        const QString text = codec->toUnicode(bytes);
        Check(!TextContainsAnyKeyword(query, text));
    }

    // The viewer finds a keyword in a text exactly where the search does, and
    // colours only what folds to the keyword.
    const QString text = QString::fromUtf8(bytes);
    bool any = false;
    for (const QString &keyword : query.FoldedKeywords()) {
        const CKeywordQuery single(keyword, wholeWord, true);
        CKeywordMatcher matcher = CKeywordMatcher::ForFullText(single);
        const bool found = matcher.Feed(text);
        any = any || found;
        Check(TextContainsAnyKeyword(single, text) == found);
        const CHighlightPlan plan = PlanKeywordHighlights(text, single);
        Check(plan.Ranges.isEmpty() != found);
        for (const CHighlightRange &range : plan.Ranges)
            Check(FoldCase(text.mid(range.Start, range.Length)) == keyword);
    }
    Check(TextContainsAnyKeyword(query, text) == any);
    return 0;
}
