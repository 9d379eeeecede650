#include "app/csystray.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

#include "app/compiledresources.h"
#include "app/messagebox.h"
#include "update/core/versionstamp.h"

CSysTray::CSysTray(QWidget *window, bool (*systemTrayAvailable)())
    : QObject(window)
    , Window(window)
    , SystemTrayAvailable(systemTrayAvailable)
{
    CreateSysTrayIconActions();
    CreateSysTrayIcon();
    SysTrayIcon->setIcon(ProgramIcon());
    VersionCaption =
        tr("Norvane") + QLatin1Char(' ') + tr("Lintra") + QLatin1Char(' ') + QLatin1String(ProgramVersion);
    SysTrayToolTip = VersionCaption;
    SysTrayIcon->setToolTip(SysTrayToolTip);
    connect(SysTrayIcon, &QSystemTrayIcon::activated, this, &CSysTray::Activated);
}

void CSysTray::SetSearchSummary(const QString &summary)
{
    SysTrayToolTip = summary.isEmpty() ? VersionCaption : VersionCaption + QLatin1Char('\n') + summary;
}

void CSysTray::CreateSysTrayIconActions()
{
    SysTrayIconRestore_Action = new QAction(tr("&Restore"), Window);
    SysTrayIconRestore_Action->setObjectName(QStringLiteral("SysTrayIconRestore_Action"));
    connect(SysTrayIconRestore_Action, &QAction::triggered, this, &CSysTray::HideAndRestoreProgramWindow);
    SysTrayIconQuit_Action = new QAction(tr("&Quit"), Window);
    SysTrayIconQuit_Action->setObjectName(QStringLiteral("SysTrayIconQuit_Action"));
    connect(SysTrayIconQuit_Action, &QAction::triggered, this, &CSysTray::ExitProgram);
}

void CSysTray::CreateSysTrayIcon()
{
    SysTrayIconMenu = new QMenu(Window);
    SysTrayIconMenu->addAction(SysTrayIconRestore_Action);
    SysTrayIconMenu->addAction(SysTrayIconQuit_Action);
    SysTrayIcon = new QSystemTrayIcon(Window);
    SysTrayIcon->setObjectName(QStringLiteral("SysTrayIcon"));
    SysTrayIcon->setContextMenu(SysTrayIconMenu);
}

void CSysTray::Close(QCloseEvent *event)
{
    // Saved before the notice, so the flag it sets is stored by the next save.
    emit SaveRequested();
    if (!SystemTrayAvailable()) {
        event->accept();
        emit QuitRequested();
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
    Window->setVisible(false);
    event->ignore();
    // The icon takes the tool-tip only here, so a search summary shows from
    // the next time the window is hidden.
    SysTrayIcon->setToolTip(SysTrayToolTip);
    SysTrayIcon->show();
}

void CSysTray::Activated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::MiddleClick:
        Window->showNormal();
        SysTrayIcon->hide();
        break;
    case QSystemTrayIcon::Context: // the icon opens its menu itself
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void CSysTray::HideAndRestoreProgramWindow()
{
    SysTrayIcon->hide();
    Window->showNormal();
}

void CSysTray::ExitProgram()
{
    SysTrayIconQuit_Action->setEnabled(false);
    SysTrayIconRestore_Action->setEnabled(false);
    emit SaveRequested();
    emit QuitRequested();
}

void CSysTray::BringWindowBack()
{
    // From the tray as from its "Restore"; a minimized window comes back too.
    SysTrayIcon->hide();
    Window->showNormal();
    Window->raise();
    Window->activateWindow();
}
