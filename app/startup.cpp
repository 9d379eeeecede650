#include "app/startup.h"

#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSharedMemory>
#include <QTranslator>

#include <cstdlib>

#include "app/clintra.h"
#include "app/core/singleinstance.h"

// Where an installed program keeps its catalogues, seen from its binary; the
// build sets it from the install directories.
#ifndef LINTRA_TRANSLATIONS_RELATIVE_DIR
#define LINTRA_TRANSLATIONS_RELATIVE_DIR "../share/lintra/translations"
#endif

bool LoadQtCatalogue(QTranslator &translator, const QString &localeName)
{
    return translator.load(QStringLiteral("qt_") + localeName,
                           QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QString &directory)
{
    // Empty but not null delimiters: Qt then never strips "_CN" to try "libtxt_zh".
    const QString noDelimiters = QStringLiteral("");
    return translator.load(QStringLiteral("libtxt_") + localeName, directory, noDelimiters,
                           QStringLiteral(".dat"));
}

QStringList ProgramCatalogueDirectories(const QString &applicationDir)
{
    return {applicationDir, QDir::cleanPath(applicationDir + QLatin1Char('/') +
                                            QLatin1String(LINTRA_TRANSLATIONS_RELATIVE_DIR))};
}

bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QStringList &directories)
{
    for (const QString &directory : directories) {
        if (LoadProgramCatalogue(translator, localeName, directory))
            return true;
    }
    return false;
}

void PrepareStartUpMessageBox(QMessageBox &box)
{
    box.setIcon(QMessageBox::Warning);
    box.setWindowIcon(QIcon(QStringLiteral(":/images/norvane.ico")));
}

void GuardSingleInstance(QSharedMemory &segment, QMessageBox &box, CLintra &window)
{
    if (ClaimSingleInstance(segment))
        return;
    box.setWindowTitle(QObject::tr("Warning"));
    box.setText(
        QObject::tr("An instance of this application is already running, exiting this newly started one."));
    box.exec();
    window.AbortUpdateCheck();
    std::exit(0);
}
