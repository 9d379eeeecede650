#include "app/startup.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSharedMemory>
#include <QTranslator>

#include <cstdlib>

#include "app/clintra.h"
#include "app/core/singleinstance.h"

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
