#include "search/core/walkentryfilter.h"

CWalkEntryFilter::CWalkEntryFilter(bool includeHidden, const QStringList &skippedFolders)
    : Hidden(includeHidden)
{
    for (const QString &pattern : skippedFolders) {
        if (!pattern.isEmpty())
            Skipped << QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern));
    }
}

QStringList CWalkEntryFilter::ParseFolderPatterns(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
}

bool CWalkEntryFilter::EntersFolder(const QString &name) const
{
    if (!Hidden && name.startsWith(QLatin1Char('.')))
        return false;
    for (const QRegularExpression &pattern : Skipped) {
        if (pattern.match(name).hasMatch())
            return false;
    }
    return true;
}
