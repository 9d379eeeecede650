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
