// The main window's tray and exit: the tray's slots are handed over to it;
// every way out saves the settings first, then the search stops and the
// event loop ends.

#include "app/clintra.h"

#include <QCoreApplication>

#include "app/csystray.h"
#include "search/csearchdriver.h"

void CLintra::closeEvent(QCloseEvent *event)
{
    SysTray->Close(event);
}

void CLintra::SysTrayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    SysTray->Activated(reason);
}

void CLintra::SysTrayIconHideAndRestoreProgramWindow()
{
    SysTray->HideAndRestoreProgramWindow();
}

void CLintra::SysTrayIconExitProgram()
{
    SysTray->ExitProgram();
}

void CLintra::on_ExitProgram_PushButton_clicked()
{
    SaveSettings();
    Quit();
}

void CLintra::EndSession()
{
    SaveSettings(false);
    Quit();
}

void CLintra::Quit()
{
    SearchDriver->EndSearchForQuit();
    QCoreApplication::quit();
}

void CLintra::ShowHandedOverDirectory(const QString &directory)
{
    ShowStartDirectory(directory);
    SysTray->BringWindowBack();
}
