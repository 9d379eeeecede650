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
    const CKeywordQuery query(text, true, true);

    // As many words as counted, and no keyword left for a blank text.
    Check(CountKeywords(typed) >= query.Keywords().size());
    Check(text.isEmpty() == query.IsEmpty());
    Check(query.Count() <= query.Keywords().size());
    QStringList unique = query.FoldedKeywords();
    Check(unique.removeDuplicates() == 0);

    for (int k = 0; k < query.Count(); ++k) {
        const QString &folded = query.FoldedKeywords().at(k);
        Check(!folded.isEmpty());
        Check(FoldCase(folded) == folded);
        Check(query.Expression(k).Length() == folded.size());
    }

    // Every keyword finds itself, folded or not, alone as a whole word and inside a name.
    const CKeywordQuery substrings = query.AsSubstrings();
    for (const QString &keyword : query.Keywords()) {
        const int k = query.FoldedKeywords().indexOf(FoldCase(keyword));
        Check(k >= 0);
        Check(FoldCase(keyword).size() == keyword.size());
        Check(query.Expression(k).IndexIn(keyword) == 0);
        // Keywords hold no white space: a match can only start at the keyword.
        const QString padded = QStringLiteral(" ") + keyword + QStringLiteral(" ");
        Check(substrings.Expression(k).IndexIn(padded) == 1);
        Check(query.Expression(k).IndexIn(padded) == 1);
        Check(substrings.Expression(k).IndexIn(FoldCase(keyword)) == 0);
    }
    return 0;
}
