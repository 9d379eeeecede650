#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTranslator>

#include "app/clintra.h"
#include "app/compiledresources.h"
#include "app/core/commandline.h"
#include "app/core/instancechannel.h"
#include "app/core/platform.h"
#include "app/core/sessionendsignals.h"
#include "app/core/singleinstance.h"
#include "app/formstyle.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "update/core/updaterequest.h"

int main(int argc, char *argv[])
{
    InitCompiledResources();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Answered on the terminal before any window system is touched; so is a
    // start without a graphical session to show the window in.
    const CCommandLine commandLine = ParseCommandLine(arguments);
    if (commandLine.Action != RunProgramAction || !GraphicalSessionFound(argv[0]))
        return AnswerCommandLine(argc, argv, commandLine);

    QApplication application(argc, argv);
    GraphicalSessionOpened();
    InstallFormStyle();
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.norvane.Lintra"));

    QTranslator qtCatalogue;
    QTranslator programCatalogue;
    InstallCatalogues(qtCatalogue, programCatalogue);

    // Where closing the window cannot hide it into a tray, the window simply
    // ends the program when closed; only some platforms refuse to start.
    if (StartNeedsSystemTray() && !QSystemTrayIcon::isSystemTrayAvailable()) {
        ShowMessageBox(QMessageBox::Warning, QObject::tr("System Tray"),
                       QObject::tr("No system tray is detected on this system."));
        return 1;
    }

    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins"));

    int status = 0;
    {
        // Claimed before the window is built, which would start the update
        // check; held for the whole run.
        const QString startDirectory =
            StartDirectoryFromArguments(QCoreApplication::arguments(), QDir::currentPath());
        QString runtimeProblem;
        const QString runtimeDirectory = PrivateRuntimeDirectory(&runtimeProblem);
        CInstanceLock instanceLock;
        GuardSingleInstance(instanceLock, runtimeDirectory, startDirectory);
        CInstanceChannel channel;
        channel.Listen(runtimeDirectory);

        CLintra window(MakerUpdateCheckConfig());
        CSessionEndSignals sessionEndSignals;
        SaveSettingsAtSessionEnd(application, sessionEndSignals, window);
        QObject::connect(&channel, &CInstanceChannel::DirectoryHandedOver, &window,
                         &CLintra::ShowHandedOverDirectory);
        window.ShowStartDirectory(startDirectory);
        window.setVisible(true);
        TellWhenSettingsAreNotKept(window);
        TellWhenInstancesAreNotGuarded(window, runtimeDirectory, runtimeProblem);
        status = QApplication::exec();
        // Released before the window goes: its tear-down may wait for the update check.
        instanceLock.Release();
    }
    return status;
}
