#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QSharedMemory>
#include <QSystemTrayIcon>
#include <QTranslator>

#include "app/clintra.h"
#include "app/compiledresources.h"
#include "app/core/commandline.h"
#include "app/core/sessionendsignals.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "update/core/updaterequest.h"

int main(int argc, char *argv[])
{
    InitCompiledResources();
    QApplication application(argc, argv);
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.norvane.Lintra"));

    QTranslator qtCatalogue;
    LoadQtCatalogue(qtCatalogue, QLocale::system().name());
    QCoreApplication::installTranslator(&qtCatalogue);

    QTranslator programCatalogue;
    LoadProgramCatalogue(programCatalogue, QLocale::system().name(),
                         TranslationDirectories(QCoreApplication::applicationDirPath()));
    QCoreApplication::installTranslator(&programCatalogue);

#ifdef Q_OS_WIN
    // Windows always has a tray; on Linux the window simply ends the program
    // when closed where the desktop has none.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        ShowMessageBox(QMessageBox::Warning, QObject::tr("System Tray"),
                       QObject::tr("No system tray is detected on this system."));
        return 1;
    }
#endif

    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins"));

    int status = 0;
    {
        // Claimed before the window is built, which would start the update
        // check; held for the whole run.
        CLintra::SetSettingsStoreNames();
        QSharedMemory segment(CLintra::LoadInstallationId());
        GuardSingleInstance(segment);

        CLintra window(MakerUpdateCheckConfig());
        CSessionEndSignals sessionEndSignals;
        SaveSettingsAtSessionEnd(application, sessionEndSignals, window);
        window.ShowStartDirectory(
            StartDirectoryFromArguments(QCoreApplication::arguments(), QDir::currentPath()));
        window.setVisible(true);
        status = QApplication::exec();
        // Released before the window goes: its tear-down may wait for the update check.
        segment.detach();
    }
    return status;
}
