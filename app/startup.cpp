#include "app/startup.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSessionManager>
#include <QSharedMemory>
#include <QTranslator>

#include <cstdlib>

#include "app/clintra.h"
#include "app/core/sessionendsignals.h"
#include "app/core/singleinstance.h"
#include "app/messagebox.h"

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

void GuardSingleInstance(QSharedMemory &segment)
{
    if (ClaimSingleInstance(segment))
        return;
    ShowMessageBox(
        QMessageBox::Warning, QObject::tr("Warning"),
        QObject::tr("An instance of this application is already running, exiting this newly started one."));
    std::exit(0);
}

void SaveSettingsAtSessionEnd(QGuiApplication &application, CSessionEndSignals &endSignals, CLintra &window)
{
    // Qt's fallback would close the window, which hides it into the tray and
    // refuses the close: the session manager would take that as a veto
    // against the log-out.
    QGuiApplication::setFallbackSessionManagementEnabled(false);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.SaveSettings(); });
    QObject::connect(&endSignals, &CSessionEndSignals::SessionEnding, &window,
                     [&window] { window.EndSession(); });
}
