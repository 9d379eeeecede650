#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QMessageBox>
#include <QSharedMemory>
#include <QSystemTrayIcon>
#include <QTranslator>

#include "app/clintra.h"
#include "app/startup.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    QTranslator qtCatalogue;
    LoadQtCatalogue(qtCatalogue, QLocale::system().name());
    QCoreApplication::installTranslator(&qtCatalogue);

    QTranslator programCatalogue;
    LoadProgramCatalogue(programCatalogue, QLocale::system().name(),
                         TranslationDirectories(QCoreApplication::applicationDirPath()));
    QCoreApplication::installTranslator(&programCatalogue);

    QMessageBox messageBox;
    QFont messageFont(QStringLiteral("verdana"));
    messageBox.setFont(messageFont);
    PrepareStartUpMessageBox(messageBox);

    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        messageBox.setWindowTitle(QObject::tr("System Tray"));
        messageBox.setText(QObject::tr("No system tray is detected on this system."));
        messageBox.exec();
        return 1;
    }

    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins"));

    int status = 0;
    {
        CLintra window;
        {
            // Held for the whole run; released before the window goes.
            QSharedMemory segment(window.InstallationId);
            GuardSingleInstance(segment, messageBox, window);
            window.setVisible(true);
            status = QApplication::exec();
        }
    }
    return status;
}
