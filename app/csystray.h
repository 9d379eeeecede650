#ifndef LINTRA_CSYSTRAY_H
#define LINTRA_CSYSTRAY_H

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QCloseEvent;
class QMenu;
class QWidget;

// The window's system tray. Closing the window hides it behind the tray
// icon instead of ending the program; the icon or its "Restore" entry brings
// the window back, and only "Quit" ends the program. The window and the icon
// take turns: one is shown while the other is hidden. Where the desktop
// offers no tray (GNOME without an extension, many Wayland sessions) nothing
// could bring a hidden window back, so closing it ends the program. Whether
// a tray is there is asked at every close: a panel started after the
// program still receives it. Saving and quitting are the window's.
class CSysTray : public QObject
{
    Q_OBJECT

public:
    CSysTray(QWidget *window, bool (*systemTrayAvailable)());

    // Whether the user has been told once that the program stays in the tray.
    bool InfoShown() const { return SysTrayInfoShown; }
    void SetInfoShown(bool shown) { SysTrayInfoShown = shown; }
    // The last search's summary for the icon's tool-tip; empty for none.
    void SetSearchSummary(const QString &summary);

    void Close(QCloseEvent *event);
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void HideAndRestoreProgramWindow();
    void ExitProgram();
    // The window comes up, also from the tray or minimized.
    void BringWindowBack();

signals:
    void SaveRequested();
    void QuitRequested();

private:
    QWidget *Window;
    QAction *SysTrayIconRestore_Action = nullptr;
    QAction *SysTrayIconQuit_Action = nullptr;
    QSystemTrayIcon *SysTrayIcon = nullptr;
    QMenu *SysTrayIconMenu = nullptr;
    bool SysTrayInfoShown = false;
    QString SysTrayToolTip;
    QString VersionCaption;
    bool (*SystemTrayAvailable)() = nullptr;

    void CreateSysTrayIconActions();
    void CreateSysTrayIcon();
};

#endif
