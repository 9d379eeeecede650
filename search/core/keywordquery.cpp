#include "search/core/keywordquery.h"

namespace {

QStringList SplitOnWhiteSpace(const QString &text)
{
    return text.split(QRegExp(QStringLiteral("\\s+"), Qt::CaseSensitive, QRegExp::RegExp),
                      Qt::SkipEmptyParts);
}

QRegExp CaseInsensitive(const QString &expression)
{
    QRegExp rx(expression, Qt::CaseSensitive, QRegExp::RegExp);
    rx.setCaseSensitivity(Qt::CaseInsensitive);
    return rx;
}

} // namespace

int CountKeywords(const QString &text)
{
    return SplitOnWhiteSpace(text.trimmed().simplified()).size();
}

CKeywordQuery ParseKeywords(const QString &text)
{
    CKeywordQuery query;
    query.KeywordList = SplitOnWhiteSpace(text);
    query.KeywordList.removeDuplicates();

    // Escaping first and lowering after: "Foo foo" leaves one pattern.
    const QStringList escaped = SplitOnWhiteSpace(QRegExp::escape(text));
    for (const QString &part : escaped)
        query.KeywordPatterns << part.toLower();
    query.KeywordPatterns.removeDuplicates();
    return query;
}

QRegExp FullTextExpression(const QString &pattern, bool matchWholeWord, bool wordSeparatedLanguage)
{
    if (matchWholeWord && wordSeparatedLanguage)
        return CaseInsensitive(QStringLiteral("\\b(") + pattern + QStringLiteral(")\\b"));
    return CaseInsensitive(QStringLiteral("(") + pattern + QStringLiteral(")"));
}

QRegExp FileNameExpression(const QString &pattern)
{
    return CaseInsensitive(pattern);
}

QString PatternText(const QString &pattern)
{
    // QRegExp::escape puts a backslash before each special character, nothing else.
    QString text;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) == QLatin1Char('\\') && i + 1 < pattern.size())
            ++i;
        text += pattern.at(i);
    }
    return text;
}
