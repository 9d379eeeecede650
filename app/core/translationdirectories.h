#ifndef LINTRA_TRANSLATIONDIRECTORIES_H
#define LINTRA_TRANSLATIONDIRECTORIES_H

#include <QString>
#include <QStringList>

// Where the program looks for its translation catalogue, in order: its own
// directory, then the data directory of an installed program seen from its
// binary (share/lintra/translations beside the bin directory, as the build
// installs it), so that a moved or packaged tree still finds it.
QStringList TranslationDirectories(const QString &applicationDir);

// The locale whose catalogue serves the given one: the regional variants
// that write as the catalogue does (German in Austria, Switzerland, Belgium,
// Luxembourg and Liechtenstein; Chinese in Singapore) share it, by an
// explicit table. Any other name is its own; a bare language ("de", "zh")
// is never mapped, so it stays in English as before.
QString CatalogueLocaleName(const QString &localeName);

#endif
