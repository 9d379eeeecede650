#ifndef LINTRA_CLINTRA_H
#define LINTRA_CLINTRA_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPair>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTextCharFormat>
#include <QUrl>
#include <QWidget>

#include "search/core/keywordquery.h"
#include "search/core/searchwhat.h"
#include "text/core/textencodingdetector.h"
#include "text/core/unmarkedtext.h"
#include "update/core/cupdatecheck.h"
#include "update/core/updaterequest.h"

class QAction;
class QComboBox;
class QDir;
class QFile;
class QLabel;
class QMenu;
class QModelIndex;
class QTextCodec;
class QTextDocument;
class CResultViewer;
class CSearchDriver;
class CSettingsBinding;
class CSysTray;
class CUpdateDialogs;
class CFileExistenceCheck;
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

// The program's single window. It owns one object per subsystem and joins
// them in its constructor; the members that join each subsystem are defined
// in app/clintra_<subsystem>.cpp, which delegates the work to that
// subsystem's objects and to the small classes of lintra_core. Its state is
// private: tests drive it through its controls (found by object name) and
// its subsystems' interfaces; the 27 slots are reached through signals or
// the meta-object, in the order below.
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
    // --- Members, in declaration order ----------------------------------

    Ui_CLintra *ui = nullptr;
    QString WindowTitle;
    // The status line's text before any search, in the current language.
    QString ReadyText;
    QLabel *ResultContentHeader_Label = nullptr;
    QComboBox *ResultContentCharset_ComboBox = nullptr;

    // Result viewer: the row and file on show, whole or paged, and the
    // keywords it was shown with (viewer/).
    CResultViewer *ResultViewer = nullptr;

    // Local charset (text/).
    QList<QTextCodec *> AvailableCodecs;
    int SelectedCharsetMib = 0;

    // Files table actions (viewer/).
    QAction *OpenFile_Action = nullptr;
    QAction *CopyFilePath_Action = nullptr;
    QAction *OpenContainingFolder_Action = nullptr;
    QList<QAction *> FilesTableContextMenu_Actions;

    QTextCharFormat DefaultCharFormat;
    QString SystemLocaleName;
    // How the search and the pane read text without a byte-order mark.
    CUnmarkedTextCharset UnmarkedCharset;

    // System tray (app/).
    CSysTray *SysTray = nullptr;
    // Loading and saving the settings (app/).
    CSettingsBinding *Settings = nullptr;

    QProcess FileExplorer_Process;

    // The search: histories, match mode, heading and summary (search/).
    CSearchDriver *SearchDriver = nullptr;
    // Whether a result's file is still there, asked before it is opened.
    CFileExistenceCheck *OpenedFileCheck = nullptr;

    // The update check and its dialogs (update/).
    CUpdateDialogs *UpdateDialogs = nullptr;

    // --- Operations -------------------------------------------------------

    // Window (app/clintra.cpp).
    void PopulateResultContentCharsets();
    void SetTitleAndNotice();

    // Local charset (app/clintra_charset.cpp).
    void BuildAvailableCodecs();
    void DetectLocalCharset();

    // Tray and exit (app/clintra_tray.cpp).
    // Ends the program; the settings are saved by then.
    void Quit();

    // Result viewer (app/clintra_viewer.cpp).
    void ShowResultRow(int row);
    QString ResultRowPath(int row) const;

    // Files table actions (app/clintra_tableactions.cpp).
    void CreateFilesTableActions();
    void DestroyFilesTableActions();
    void DisconnectFilesTableSignals();
    QString CurrentRowFilePath() const;
    QByteArray CurrentRowFileBytes() const;
    QList<int> ActedOnRows(int row) const;
    void OpenResultFile(int row);
    struct COpenedFile
    {
        QString Path;
        QByteArray Bytes;
        QUrl Url;
    };
    void OpenResultFiles(QList<COpenedFile> files);

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
