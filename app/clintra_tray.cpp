// The main window's system tray: hiding into it, restoring and quitting.
// (Filled in with the tray work.)

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>

void CLintra::CreateSysTrayIconActions()
{
    SysTrayIconRestore_Action = new QAction(tr("&Restore"), this);
    SysTrayIconQuit_Action = new QAction(tr("&Quit"), this);
}

void CLintra::CreateSysTrayIcon()
{
    SysTrayIconMenu = new QMenu(this);
    SysTrayIconMenu->addAction(SysTrayIconRestore_Action);
    SysTrayIconMenu->addAction(SysTrayIconQuit_Action);
    SysTrayIcon = new QSystemTrayIcon(this);
    SysTrayIcon->setContextMenu(SysTrayIconMenu);
}

void CLintra::closeEvent(QCloseEvent *event) { QWidget::closeEvent(event); }
void CLintra::SysTrayIconActivated(QSystemTrayIcon::ActivationReason) {}
void CLintra::SysTrayIconHideAndRestoreProgramWindow() {}
void CLintra::SysTrayIconExitProgram() { QCoreApplication::quit(); }
void CLintra::on_ExitProgram_PushButton_clicked() { QCoreApplication::quit(); }
