// Keyword parsing and the match expressions over arbitrary keyword texts.

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
        for (bool wholeWord : {false, true}) {
            const QRegExp expression = FullTextExpression(pattern, wholeWord, true);
            Check(expression.isValid());
        }
        Check(FileNameExpression(pattern).isValid());
    }

    // Every keyword, lower-cased, is found literally by its own pattern.
    for (const QString &keyword : query.KeywordList) {
        const QString pattern = QRegExp::escape(keyword).toLower();
        Check(query.KeywordPatterns.contains(pattern));
        Check(FileNameExpression(pattern).indexIn(keyword.toLower()) >= 0);
    }
    return 0;
}
