// Keyword parsing and the match expressions over arbitrary keyword texts.

#include <QRegExp>
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "search/core/keywordquery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString text = typed.trimmed().simplified();
    const CKeywordQuery query = ParseKeywords(text);

    // As many words as counted, and no pattern left for a blank text.
    Check(CountKeywords(typed) >= query.KeywordList.size());
    Check(text.isEmpty() == query.KeywordPatterns.isEmpty());
    Check(query.KeywordPatterns.size() <= query.KeywordList.size());
    QStringList unique = query.KeywordPatterns;
    Check(unique.removeDuplicates() == 0);

    for (const QString &pattern : query.KeywordPatterns) {
        Check(!pattern.isEmpty());
        Check(FoldCase(pattern) == pattern);
        Check(FullTextExpression(pattern, true, true).Length() == PatternText(pattern).size());
    }

    // Every keyword finds itself, folded or not, alone as a whole word and inside a name.
    for (const QString &keyword : query.KeywordList) {
        const QString pattern = FoldCase(QRegExp::escape(keyword));
        Check(query.KeywordPatterns.contains(pattern));
        Check(FoldCase(keyword).size() == keyword.size());
        Check(FullTextExpression(pattern, true, true).IndexIn(keyword) == 0);
        // Keywords hold no white space: a match can only start at the keyword.
        const QString padded = QStringLiteral(" ") + keyword + QStringLiteral(" ");
        Check(FileNameExpression(pattern).IndexIn(padded) == 1);
        Check(FullTextExpression(pattern, true, true).IndexIn(padded) == 1);
        Check(FileNameExpression(pattern).IndexIn(FoldCase(keyword)) == 0);
    }
    return 0;
}
