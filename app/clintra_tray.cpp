// The main window's system tray. Closing the window hides it behind the tray
// icon instead of ending the program; the icon or its "Restore" entry brings
// the window back, and only "Quit" or the Exit button end the program. The
// window and the icon take turns: one is shown while the other is hidden.
// Where the desktop offers no tray (GNOME without an extension, many Wayland
// sessions) nothing could bring a hidden window back, so closing it ends the
// program. Whether a tray is there is asked at every close: a panel started
// after the program still receives it.

#include "app/clintra.h"
#include "app/messagebox.h"
#include "app/ui_clintra.h"
#include "search/csearchdriver.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>

void CLintra::CreateSysTrayIconActions()
{
    SysTrayIconRestore_Action = new QAction(tr("&Restore"), this);
    SysTrayIconRestore_Action->setObjectName(QStringLiteral("SysTrayIconRestore_Action"));
    connect(SysTrayIconRestore_Action, &QAction::triggered, this,
            &CLintra::SysTrayIconHideAndRestoreProgramWindow);
    SysTrayIconQuit_Action = new QAction(tr("&Quit"), this);
    SysTrayIconQuit_Action->setObjectName(QStringLiteral("SysTrayIconQuit_Action"));
    connect(SysTrayIconQuit_Action, &QAction::triggered, this, &CLintra::SysTrayIconExitProgram);
}

void CLintra::CreateSysTrayIcon()
{
    SysTrayIconMenu = new QMenu(this);
    SysTrayIconMenu->addAction(SysTrayIconRestore_Action);
    SysTrayIconMenu->addAction(SysTrayIconQuit_Action);
    SysTrayIcon = new QSystemTrayIcon(this);
    SysTrayIcon->setObjectName(QStringLiteral("SysTrayIcon"));
    SysTrayIcon->setContextMenu(SysTrayIconMenu);
}

void CLintra::closeEvent(QCloseEvent *event)
{
    // Saved before the notice, so the flag it sets is stored by the next save.
    SaveSettings();
    if (!SystemTrayAvailable()) {
        event->accept();
        SearchDriver->EndSearchForQuit();
        QCoreApplication::quit();
        return;
    }
    if (!SysTrayInfoShown) {
        ShowMessageBox(
            QMessageBox::Information, tr("FYI"),
            tr("The program will keep running in the system tray. To terminate the program, choose "
               "<b>Quit</b> in the context menu of the system tray entry."),
            QMessageBox::Ok, Qt::RichText);
        SysTrayInfoShown = true;
    }
    setVisible(false);
    event->ignore();
    // The icon takes the tool-tip only here, so a search summary shows from
    // the next time the window is hidden.
    SysTrayIcon->setToolTip(SysTrayToolTip);
    SysTrayIcon->show();
}

void CLintra::SysTrayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::MiddleClick:
        showNormal();
        SysTrayIcon->hide();
        break;
    case QSystemTrayIcon::Context: // the icon opens its menu itself
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void CLintra::SysTrayIconHideAndRestoreProgramWindow()
{
    SysTrayIcon->hide();
    showNormal();
}

void CLintra::SysTrayIconExitProgram()
{
    SysTrayIconQuit_Action->setEnabled(false);
    SysTrayIconRestore_Action->setEnabled(false);
    SaveSettings();
    SearchDriver->EndSearchForQuit();
    QCoreApplication::quit();
}

void CLintra::on_ExitProgram_PushButton_clicked()
{
    SaveSettings();
    SearchDriver->EndSearchForQuit();
    QCoreApplication::quit();
}

void CLintra::EndSession()
{
    SaveSettings(false);
    SearchDriver->EndSearchForQuit();
    QCoreApplication::quit();
}

void CLintra::ShowHandedOverDirectory(const QString &directory)
{
    ShowStartDirectory(directory);
    // From the tray as from its "Restore"; a minimized window comes back too.
    SysTrayIcon->hide();
    showNormal();
    raise();
    activateWindow();
}
