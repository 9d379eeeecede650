#include "search/core/keywordquery.h"

#include <QRegExp>

namespace {

QStringList SplitOnWhiteSpace(const QString &text)
{
    return text.split(QRegExp(QStringLiteral("\\s+"), Qt::CaseSensitive, QRegExp::RegExp),
                      Qt::SkipEmptyParts);
}

// True where folding leaves the code unit as it is, without looking it up for ASCII.
inline bool FoldsToItself(ushort unit)
{
    if (unit < 0x80)
        return unit < 'A' || unit > 'Z';
    return !QChar::isSurrogate(unit) && QChar::toCaseFolded(unit) == unit;
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
            const uint folded = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, units[i + 1]));
            out[i] = QChar::highSurrogate(folded);
            out[i + 1] = QChar::lowSurrogate(folded);
            ++i;
        } else if (!QChar::isSurrogate(unit)) {
            out[i] = QChar::toCaseFolded(unit);
        }
    }
    return folded;
}

bool IsWordCharacter(uint codePoint)
{
    // The word characters of QRegExp's "\b", which whole words were matched
    // with before, but for whole code points.
    return QChar::isLetterOrNumber(codePoint) || QChar::isMark(codePoint) || codePoint == '_';
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
