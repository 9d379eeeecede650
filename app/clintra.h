#ifndef LINTRA_CLINTRA_H
#define LINTRA_CLINTRA_H

#include <QList>
#include <QLocale>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPoint>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTextCharFormat>
#include <QWidget>

#include "search/core/searchwhat.h"
#include "text/core/unmarkedtext.h"
#include "update/core/cupdatecheck.h"

class QComboBox;
class QLabel;
class QModelIndex;
class QTextCodec;
class CResultViewer;
class CFilesTableActions;
class CSearchDriver;
class CSettingsBinding;
class CSysTray;
class CUpdateDialogs;
class Ui_CLintra;

// What the window takes from the desktop it runs on. Start-up passes the
// maker's update address and the real desktop; tests pass their own.
struct CLintraEnvironment
{
    // Without an address the update check asks nowhere and fails at once.
    CUpdateCheckConfig UpdateCheck;
    // The user's locale: it names the local charset and says whether words
    // are separated by spaces.
    QString LocaleName = QLocale::system().name();
    // Asked at every close: whether a tray can take the window.
    bool (*SystemTrayAvailable)() = &QSystemTrayIcon::isSystemTrayAvailable;
};

// The program's single window. It builds one controller per subsystem — the
// search driver (search/), the results table's actions (viewer/), the tray
// and the settings binding (app/) and the update dialogs (update/) — each
// owning its subsystem's state, and connects them; its slots hand over to them.
// It keeps only the form, the local charset and the result viewer's pane.
// Tests drive it through its controls (found by object name) and the
// interfaces below; the 27 slots are reached through signals or the
// meta-object, in the order below.
class CLintra : public QWidget
{
    Q_OBJECT

public:
    explicit CLintra(QWidget *parent = nullptr);
    explicit CLintra(const CUpdateCheckConfig &updateCheck, QWidget *parent = nullptr);
    explicit CLintra(const CLintraEnvironment &environment, QWidget *parent = nullptr);
    ~CLintra() override;

    // What start-up and the session ask of the window.
    // userPresent: a failure may be told in a box (not while the session ends).
    void SaveSettings(bool userPresent = true);
    // What the user must be told once when the settings cannot be kept
    // (what is lost, and where the file is); empty when they are kept.
    QString SettingsNotice() const;
    // The directory given on the command line, shown in the directory box.
    void ShowStartDirectory(const QString &directory);
    // A later start handed a directory over: it is shown in the directory
    // box, and the window comes up, also from the tray.
    void ShowHandedOverDirectory(const QString &directory);
    // The session ends (log-out, shut-down, the terminal gone): the running
    // search stops, the settings are saved and the event loop ends.
    void EndSession();
    void ShowMessage(QMessageBox::Icon icon, const QString &title, const QString &text);

    // Whether a search has started and not yet shown its summary.
    bool SearchRunning() const;
    // Rows that no search found, as a search of the given kind lists them
    // (their size and time are read now).
    void AddResultRows(const QStringList &paths, TEnumSearchWhat what);

    // The update check: its schedule and whether one runs.
    void StartUpdateCheck(bool manual);
    CUpdateCheck &UpdateCheck();
    const CUpdateCheck &UpdateCheck() const;
    void ShowUpdateOutcome(const CUpdateOutcome &outcome);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui_CLintra *ui = nullptr;
    QString WindowTitle;
    // The status line's text before any search, in the current language.
    QString ReadyText;
    QLabel *ResultContentHeader_Label = nullptr;
    QComboBox *ResultContentCharset_ComboBox = nullptr;

    // Result viewer: the row and file on show, whole or paged, and the
    // keywords it was shown with (viewer/).
    CResultViewer *ResultViewer = nullptr;
    QTextCharFormat DefaultCharFormat;

    // Local charset (text/).
    QList<QTextCodec *> AvailableCodecs;
    QString SystemLocaleName;
    // How the search and the pane read text without a byte-order mark.
    CUnmarkedTextCharset UnmarkedCharset;

    // The controllers, each owning its subsystem's state.
    CSearchDriver *SearchDriver = nullptr;
    CFilesTableActions *FilesTableActions = nullptr;
    CSysTray *SysTray = nullptr;
    CUpdateDialogs *UpdateDialogs = nullptr;
    CSettingsBinding *Settings = nullptr;

    // The construction steps, in their order (app/clintra.cpp).
    void SetTitleAndNotice();
    void SetToolTips();
    void DetectLocale(const QString &localeName);
    void CreateResultContentHeading();
    void CreateResultViewer();
    void CreateControllers(const CLintraEnvironment &environment);
    void ConnectResultsTable();
    void PopulateResultContentCharsets();

    // Local charset (app/clintra_charset.cpp).
    void BuildAvailableCodecs();
    void DetectLocalCharset();

    // Ends the program; the settings are saved by then (app/clintra_tray.cpp).
    void Quit();

    // Result viewer (app/clintra_viewer.cpp).
    // line: from 1, the line of a full-text result to show; 0: its first match.
    void ShowResultRow(int row, qint64 line = 0);
    QString ResultRowPath(int row) const;

private slots:
    void on_DoFullTextSearch_PushButton_clicked();
    void on_BrowseDir_ToolButton_clicked();
    void on_CancelSearch_PushButton_clicked();
    void on_CheckUpdates_PushButton_clicked();
    void on_About_PushButton_clicked();
    void on_ExitProgram_PushButton_clicked();
    void on_DoFilenameSearch_PushButton_clicked();
    void on_MatchWholeWord_RadioButton_clicked();
    void on_MatchSubstring_RadioButton_clicked();
    void UpdateSelectedCharsetMib();
    void OnPathComboBoxCarriageReturn(QString s);
    void OnKeywordsComboBoxCarriageReturn(QString s, TEnumSearchWhat e);
    void OnItemSelectionChanged();
    void OnItemClicked(const QModelIndex &index);
    void CopyFilePath();
    void OpenContainingFolder();
    void ShowFilesTableContextMenu(QPoint point);
    void UpdateResultFileContent();
    void ClearResult();
    void GotoContentEditPreviousBlock();
    void GotoContentEditNextBlock();
    void SysTrayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void SysTrayIconHideAndRestoreProgramWindow();
    void SysTrayIconExitProgram();
    void CheckUpdateAvailability(QNetworkReply *reply);
    void NetworkReplyErrorOccurs(QNetworkReply::NetworkError ne);
    void CheckUpdateThreadFinished();
};

#endif
