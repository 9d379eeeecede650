#ifndef LINTRA_TRANSLATIONDIRECTORIES_H
#define LINTRA_TRANSLATIONDIRECTORIES_H

#include <QString>
#include <QStringList>

// Where the program looks for its translation catalogue, in order: its own
// directory, then the data directory of an installed program seen from its
// binary (share/lintra/translations beside the bin directory, as the build
// installs it), so that a moved or packaged tree still finds it.
QStringList TranslationDirectories(const QString &applicationDir);

#endif
