#ifndef LINTRA_CSEARCHRUN_H
#define LINTRA_CSEARCHRUN_H

#include <QDir>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

#include "search/core/backgroundsearch.h"
#include "search/core/folderlistingcache.h"
#include "search/core/foundfile.h"
#include "search/core/treesearch.h"

class CResultsTable;
class QLabel;
class QProgressBar;

// The running search, as the window sees it: it starts the search on a
// thread of its own (see BackgroundSearch) and shows what arrives, the
// rows in walk order as they come, the progress once per refresh, and at
// the end the summary, with what could not be read a click away. It owns
// the search's state: the counters, Cancel, the rows it was given. It never
// waits for the file system, not even to learn whether the folder can be
// searched: the search opens it and says so. Until then the window keeps
// the results before (a folder that cannot be opened changes nothing but
// the box the window shows), unless that takes long or a running search is
// replaced. A Cancel that the search does not answer at once gives the
// search up, and whatever it sends later is dropped. It does not know the
// histories, the heading or the content pane: the window does.
class CSearchRun : public QObject
{
    Q_OBJECT

public:
    struct CWidgets
    {
        QLabel *Status = nullptr;
        QProgressBar *Bar = nullptr;
        CResultsTable *Table = nullptr;
        QLabel *Unread = nullptr;
    };
    // The window's texts: the progress with %1 and %2 for file and total,
    // and the summary with %1 found and %2 searched.
    struct CTexts
    {
        QString Progress;
        QString Summary;
    };

    CSearchRun(const CWidgets &widgets, QObject *parent = nullptr);
    ~CSearchRun() override;

    // Starts the search; false (and a message) when the system has no
    // thread for it. A search still running is given up first.
    bool Start(const QDir &root, const CTreeSearch::CSettings &settings, const CTexts &texts);
    void Cancel();
    // Quitting: the search is given up at once; false if a thread of it is
    // still stuck after waitMs.
    bool GiveUpForQuit(int waitMs);
    bool IsRunning() const;
    // Follows the radio buttons during a search (a new search takes the
    // choice from its query).
    void SetMatchWholeWord(bool wholeWord);
    // Runs on the window's thread just before the search examines file
    // number `file` (from 1), with the search held meanwhile; for tests
    // that act at a given point of a search. Searches started from now on
    // run it, until it is cleared (null).
    void SetBeforeFileAction(std::function<void(int file)> action);
    // How long a cancelled search may take to end before it is given up
    // (50 ms; tests on a busy machine that count on a search's own end wait longer).
    void SetGiveUpAfter(int ms);

signals:
    // The search's rows and progress are shown from now on: the window
    // empties what it shows of the search before.
    void Began();
    // The summary is shown: found of total candidates.
    void Ended(int found, int total);
    // The folder to search could not be opened as one; after Ended if the
    // search had begun.
    void FolderUnreadable();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Begin();
    void Stop();
    void OnOpened(quint64 search);
    void OnFilesFound(quint64 search, const CFoundFiles &files);
    void OnEntriesUnread(quint64 search, const CUnreadEntries &entries);
    void OnEnded(quint64 search, const CSearchOutcome &outcome);
    void GiveUp();
    void Refresh();
    void ShowProgress(int processed, int total);
    void ShowEnd(const CSearchOutcome &outcome);
    QString SummaryText(const CSearchOutcome &outcome) const;
    void ShowUnread(int resourceError);
    void ShowUnreadList();

    CWidgets Ui;
    CTexts Texts;
    quint64 Search = 0; // the number of the search shown
    bool Running = false;
    bool Begun = false;
    std::shared_ptr<CSearchShared> Shared;
    std::function<void(int)> BeforeFile;
    int Found = 0;
    CUnreadEntries Unread;
    int UnreadFolders = 0;
    QTimer RefreshTimer;
    QTimer GiveUpTimer;
    QTimer BeginTimer;
    // The folders' listings, kept from search to search while the window
    // shows; dropped when it is hidden (to the tray) or minimized, to give
    // the memory back.
    std::shared_ptr<CFolderListingCache> Listings = std::make_shared<CFolderListingCache>();
    QObject *WatchedWindow = nullptr;
};

#endif
