#include "app/core/translationdirectories.h"

#include <QDir>

// The build sets it from its install directories.
#ifndef LINTRA_TRANSLATIONS_RELATIVE_DIR
#define LINTRA_TRANSLATIONS_RELATIVE_DIR "../share/lintra/translations"
#endif

QStringList TranslationDirectories(const QString &applicationDir)
{
    return {applicationDir, QDir::cleanPath(applicationDir + QLatin1Char('/') +
                                            QLatin1String(LINTRA_TRANSLATIONS_RELATIVE_DIR))};
}

QString CatalogueLocaleName(const QString &localeName)
{
    static const struct
    {
        const char *Locale;
        const char *Catalogue;
    } sharedCatalogues[] = {
        {"de_AT", "de_DE"}, {"de_CH", "de_DE"}, {"de_BE", "de_DE"},
        {"de_LU", "de_DE"}, {"de_LI", "de_DE"}, {"zh_SG", "zh_CN"},
    };
    for (const auto &entry : sharedCatalogues) {
        if (localeName == QLatin1String(entry.Locale))
            return QLatin1String(entry.Catalogue);
    }
    return localeName;
}
