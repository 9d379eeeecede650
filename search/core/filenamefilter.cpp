#include "search/core/filenamefilter.h"

namespace {

bool IsPlainAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The extension of a "*.ext" filter, or an empty string for any other filter.
QString ExtensionOf(const QString &wildcard)
{
    if (!wildcard.startsWith(QLatin1String("*.")))
        return QString();
    const QString extension = wildcard.mid(2);
    static const QString special = QStringLiteral("*?[]\\./");
    for (const QChar c : extension) {
        if (special.contains(c))
            return QString();
    }
    return IsPlainAscii(extension) ? extension.toLower() : QString();
}

// A filter without wildcards in plain ASCII, lower-cased; otherwise empty.
QString WholeNameOf(const QString &wildcard)
{
    static const QString special = QStringLiteral("*?[]\\/");
    for (const QChar c : wildcard) {
        if (special.contains(c))
            return QString();
    }
    return IsPlainAscii(wildcard) ? wildcard.toLower() : QString();
}

// Compiled on first use: most searches never need one.
QRegularExpression WildcardExpression(const QString &wildcard)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(wildcard),
                              QRegularExpression::CaseInsensitiveOption);
}

} // namespace

CFileNameFilter::CFileNameFilter(const QStringList &wildcards)
{
    for (const QString &wildcard : wildcards) {
        MatchesAll = MatchesAll || wildcard == QLatin1String("*");
        const QString extension = ExtensionOf(wildcard);
        const QString name = WholeNameOf(wildcard);
        if (!extension.isEmpty())
            Extensions.insert(extension);
        else if (!name.isEmpty())
            Names.insert(name);
        else
            OtherExpressions << WildcardExpression(wildcard);
        AllExpressions << WildcardExpression(wildcard);
    }
}

bool CFileNameFilter::MatchesExpressions(const QString &name,
                                         const QVector<QRegularExpression> &expressions) const
{
    for (const QRegularExpression &expression : expressions) {
        if (expression.match(name).hasMatch())
            return true;
    }
    return false;
}

bool CFileNameFilter::Matches(const QString &name) const
{
    if (MatchesAll)
        return true;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    // Outside ASCII a letter may have case forms in ASCII (the KELVIN SIGN is a "k").
    if (!IsPlainAscii(extension))
        return MatchesExpressions(name, AllExpressions);
    if (dot >= 0 && Extensions.contains(extension.toLower()))
        return true;
    // Lower-casing maps the few non-ASCII letters that match an ASCII one
    // case-insensitively (the KELVIN SIGN) as the expressions would.
    if (!Names.isEmpty() && Names.contains(name.toLower()))
        return true;
    return MatchesExpressions(name, OtherExpressions);
}
