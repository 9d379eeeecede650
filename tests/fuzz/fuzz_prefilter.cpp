// The full-text pre-filter over arbitrary file contents: it may only rule a
// file out where reading its lines finds no match, and a viewer block only
// where decoding it shows no keyword. The first input byte picks the
// keywords, the match mode and the read size; the rest is the file.

#include <QBuffer>
#include <QTextCodec>

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "search/core/keywordmatcher.h"
#include "search/core/keywordprefilter.h"
#include "search/core/keywordquery.h"
#include "search/core/textfilescan.h"

namespace {

// Asked whether to stop, it never says so.
CScanReport NoStop;

const char *const KeywordTexts[] = {"alpha", "kiss", "c++ a.b", "ss beta", "\xC3\xA9t\xC3\xA9 ki", "k"};
const int KeywordTextCount = int(sizeof(KeywordTexts) / sizeof(KeywordTexts[0]));

TEnumFileScanResult LineScan(const QByteArray &bytes, const QStringList &patterns, bool wholeWord)
{
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(patterns, wholeWord, true);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ScanTextLines(
        buffer, [&matcher](const QString &line) { return matcher.Feed(line); }, NoStop,
        QTextCodec::codecForName("UTF-8"), 64);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t choice = data[0];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const QStringList patterns =
        ParseKeywords(QString::fromUtf8(KeywordTexts[choice % KeywordTextCount])).KeywordPatterns;
    const bool wholeWord = choice & 0x40;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CKeywordPreFilter preFilter(patterns, QTextCodec::codecForName("UTF-8"), 2 + (choice >> 3) % 8);
    if (preFilter.Check(buffer, NoStop) == PreFilterNoMatch)
        Check(LineScan(bytes, patterns, wholeWord) == FileScanNotMatched);

    // A viewer block, decoded whole.
    for (const char *name : {"UTF-8", "ISO-8859-1", "UTF-16LE", "UTF-16BE"}) {
        QTextCodec *codec = QTextCodec::codecForName(name);
        if (preFilter.MayContainAnyKeyword(bytes, codec))
            continue;
        const QString text = codec->toUnicode(bytes);
        for (const QString &pattern : patterns)
            Check(FullTextExpression(pattern, wholeWord, true).indexIn(text) == -1);
    }
    return 0;
}
