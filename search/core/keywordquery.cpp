#include "search/core/keywordquery.h"

#include <QRegExp>

#include <unicode/uchar.h>

namespace {

QStringList SplitOnWhiteSpace(const QString &text)
{
    return text.split(QRegExp(QStringLiteral("\\s+"), Qt::CaseSensitive, QRegExp::RegExp),
                      Qt::SkipEmptyParts);
}

// Simple case folding with the system's Unicode data (ICU), which knows the
// letters added since Qt's own tables were made. A folding that would leave
// or enter the basic plane (none does) would change the length: such a code
// point is kept as it is.
inline uint FoldCodePoint(uint codePoint)
{
    const uint folded = uint(u_foldCase(UChar32(codePoint), U_FOLD_CASE_DEFAULT));
    return (folded > 0xFFFF) == (codePoint > 0xFFFF) ? folded : codePoint;
}

// True where folding leaves the code unit as it is, without looking it up for ASCII.
inline bool FoldsToItself(ushort unit)
{
    if (unit < 0x80)
        return unit < 'A' || unit > 'Z';
    return !QChar::isSurrogate(unit) && FoldCodePoint(unit) == unit;
}

// The code point that ends right before position at, and the one that starts at it.
uint CodePointBefore(const QString &text, int at)
{
    const QChar last = text.at(at - 1);
    if (last.isLowSurrogate() && at >= 2 && text.at(at - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(at - 2), last);
    return last.unicode();
}

uint CodePointAt(const QString &text, int at)
{
    const QChar first = text.at(at);
    if (first.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(at + 1));
    return first.unicode();
}

} // namespace

int CountKeywords(const QString &text)
{
    return SplitOnWhiteSpace(text.trimmed().simplified()).size();
}

CKeywordQuery::CKeywordQuery(const QString &text, bool matchWholeWord, bool wordSeparatedLanguage)
    : Typed(SplitOnWhiteSpace(text))
    , ChosenWholeWord(matchWholeWord)
    , WordSeparated(wordSeparatedLanguage)
{
    Typed.removeDuplicates();
    // Folded after the exact duplicates are gone: "Foo foo" leaves one keyword to look for.
    for (const QString &keyword : qAsConst(Typed))
        Folded << FoldCase(keyword);
    Folded.removeDuplicates();
}

CKeywordQuery CKeywordQuery::AsSubstrings() const
{
    CKeywordQuery query = *this;
    query.ChosenWholeWord = false;
    return query;
}

QString FoldCase(const QString &text)
{
    const int size = text.size();
    const ushort *units = text.utf16();
    int i = 0;
    while (i < size && FoldsToItself(units[i]))
        ++i;
    if (i == size)
        return text;
    QString folded = text;
    ushort *out = reinterpret_cast<ushort *>(folded.data());
    for (; i < size; ++i) {
        const ushort unit = units[i];
        if (unit < 0x80) {
            if (unit >= 'A' && unit <= 'Z')
                out[i] = ushort(unit + ('a' - 'A'));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
            // Folding never moves a character into or out of the basic plane.
            const uint folded = FoldCodePoint(QChar::surrogateToUcs4(unit, units[i + 1]));
            out[i] = QChar::highSurrogate(folded);
            out[i + 1] = QChar::lowSurrogate(folded);
            ++i;
        } else if (!QChar::isSurrogate(unit)) {
            out[i] = ushort(FoldCodePoint(unit));
        }
    }
    return folded;
}

bool IsWordCharacter(uint codePoint)
{
    if (codePoint < 0x80)
        return (codePoint | 0x20) - 'a' < 26 || codePoint - '0' < 10 || codePoint == '_';
    // The word characters of QRegExp's "\b", which whole words were matched
    // with before, by the same Unicode data as the folding.
    return (U_GET_GC_MASK(UChar32(codePoint)) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
}

CKeywordExpression::CKeywordExpression(const QString &foldedKeyword, bool wholeWord)
    : FoldedKeyword(foldedKeyword)
    , WholeWord(wholeWord)
{
}

int CKeywordExpression::IndexIn(const QString &text, int from) const
{
    return IndexIn(text, FoldCase(text), from);
}

int CKeywordExpression::IndexIn(const QString &text, const QString &foldedText, int from) const
{
    const int length = FoldedKeyword.size();
    for (int at = foldedText.indexOf(FoldedKeyword, from); at >= 0;
         at = foldedText.indexOf(FoldedKeyword, at + 1)) {
        if (!WholeWord)
            return at;
        const bool wordBefore = at > 0 && IsWordCharacter(CodePointBefore(text, at));
        const bool wordAfter = at + length < text.size() && IsWordCharacter(CodePointAt(text, at + length));
        if (!wordBefore && !wordAfter)
            return at;
    }
    return -1;
}
