#ifndef LINTRA_CSETTINGSBINDING_H
#define LINTRA_CSETTINGSBINDING_H

#include <QObject>
#include <QString>

class QVariant;
class QWidget;
class CSearchDriver;
class CSysTray;
class CUpdateDialogs;
class Ui_CLintra;

// The window's settings: loaded once at construction, saved on hiding into
// the tray, on quitting and when the session ends. Each call opens the
// store for itself, so nothing is cached between calls; the keys, defaults
// and value rules are in app/core/settingstable, and what may be done with
// the file (read and write, only read, or nothing at all) in
// app/core/settingsstore. The values themselves belong to the window's
// controls and to the tray, the search and the update check.
class CSettingsBinding : public QObject
{
    Q_OBJECT

public:
    struct CBound
    {
        CSysTray *Tray;
        CSearchDriver *Search;
        CUpdateDialogs *Update;
    };

    CSettingsBinding(QWidget *window, Ui_CLintra *ui, const CBound &bound);

    // The store's names are set before anything reads it.
    static void SetSettingsStoreNames();
    // Read before the rest of the settings: the charset decides how the
    // window reads every file.
    static QString LoadLegacyCharsetName();
    void LoadSettings();
    // userPresent: a failure may be told in a box (not while the session ends).
    void SaveSettings(bool userPresent);
    QString SettingsNotice() const;

private:
    QWidget *Window;
    Ui_CLintra *ui;
    CBound Bound;
    bool SettingsNotSavedTold = false;

    static QString LoadInstallationId();
    void TellSettingsNotSaved(bool userPresent);
    void LoadResultColumnWidths(const QVariant &stored);
};

#endif
