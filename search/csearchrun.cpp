#include "search/csearchrun.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <cerrno>
#include <cstring>

#include "search/core/resultsmodel.h"
#include "search/cresultstable.h"

namespace {

// The window's progress is drawn at this pace, not per file.
const int RefreshIntervalMs = 40;
// A folder that takes longer to open is shown as a search under way.
const int BeginAfterMs = 200;

} // namespace

CSearchRun::CSearchRun(const CWidgets &widgets, QObject *parent)
    : QObject(parent)
    , Ui(widgets)
{
    RefreshTimer.setInterval(RefreshIntervalMs);
    connect(&RefreshTimer, &QTimer::timeout, this, &CSearchRun::Refresh);
    GiveUpTimer.setSingleShot(true);
    GiveUpTimer.setInterval(50);
    connect(&GiveUpTimer, &QTimer::timeout, this, &CSearchRun::GiveUp);
    BeginTimer.setSingleShot(true);
    BeginTimer.setInterval(BeginAfterMs);
    connect(&BeginTimer, &QTimer::timeout, this, &CSearchRun::Begin);
    connect(Ui.Unread, &QLabel::linkActivated, this, &CSearchRun::ShowUnreadList);
}

CSearchRun::~CSearchRun()
{
    if (Shared)
        Shared->Cancel = true;
}

bool CSearchRun::eventFilter(QObject *watched, QEvent *event)
{
    const bool minimized =
        event->type() == QEvent::WindowStateChange && static_cast<QWidget *>(watched)->isMinimized();
    if (watched == WatchedWindow && (event->type() == QEvent::Hide || minimized))
        Listings->Clear();
    return QObject::eventFilter(watched, event);
}

bool CSearchRun::Start(const QDir &root, const CTreeSearch::CSettings &settings, const CTexts &texts)
{
    const bool replacing = Running;
    if (Running) {
        Shared->Cancel = true;
        ++Search;
    }
    // A Cancel of the search before must not give this one up.
    Stop();
    Begun = false;
    Texts = texts;
    Shared = std::make_shared<CSearchShared>();
    Shared->MatchWholeWord = settings.Query.MatchWholeWord();
    const std::function<void(int)> action = BeforeFile;
    if (action) {
        // The search waits on its thread while the action runs on this one.
        Shared->BeforeFile = [this, action](int file) {
            QMetaObject::invokeMethod(
                this, [action, file] { action(file); }, Qt::BlockingQueuedConnection);
        };
    }
    std::shared_ptr<CSearchFeed> feed(new CSearchFeed(++Search), [](CSearchFeed *f) { f->deleteLater(); });
    connect(feed.get(), &CSearchFeed::Opened, this, &CSearchRun::OnOpened, Qt::QueuedConnection);
    connect(feed.get(), &CSearchFeed::FilesFound, this, &CSearchRun::OnFilesFound, Qt::QueuedConnection);
    connect(feed.get(), &CSearchFeed::EntriesUnread, this, &CSearchRun::OnEntriesUnread,
            Qt::QueuedConnection);
    connect(feed.get(), &CSearchFeed::Ended, this, &CSearchRun::OnEnded, Qt::QueuedConnection);
    CTreeSearch::CSettings search = settings;
    search.Listings = Listings;
    if (!WatchedWindow) {
        WatchedWindow = Ui.Table->window();
        WatchedWindow->installEventFilter(this);
    }
    Running = BackgroundSearch::Start(root, search, Shared, feed);
    if (!Running) {
        Begin();
        CSearchOutcome outcome;
        outcome.ResourceError = EAGAIN;
        ShowEnd(outcome);
        return false;
    }
    // The rows of a search that was running would stop half-way: the new
    // search is shown at once.
    if (replacing)
        Begin();
    else
        BeginTimer.start();
    return true;
}

void CSearchRun::Begin()
{
    Begun = true;
    BeginTimer.stop();
    emit Began();
    Found = 0;
    Unread.clear();
    UnreadFolders = 0;
    Ui.Unread->hide();
    Ui.Unread->clear();
    RefreshTimer.start();
}

void CSearchRun::Stop()
{
    Running = false;
    RefreshTimer.stop();
    GiveUpTimer.stop();
    BeginTimer.stop();
}

void CSearchRun::Cancel()
{
    if (!Running)
        return;
    Shared->Cancel = true;
    if (!GiveUpTimer.isActive())
        GiveUpTimer.start();
}

bool CSearchRun::GiveUpForQuit(int waitMs)
{
    if (Running) {
        Shared->Cancel = true;
        ++Search;
        Stop();
    }
    return BackgroundSearch::WaitForAll(waitMs);
}

bool CSearchRun::IsRunning() const
{
    return Running;
}

void CSearchRun::SetMatchWholeWord(bool wholeWord)
{
    if (Shared)
        Shared->MatchWholeWord = wholeWord;
}

void CSearchRun::SetGiveUpAfter(int ms)
{
    GiveUpTimer.setInterval(ms);
}

void CSearchRun::SetBeforeFileAction(std::function<void(int)> action)
{
    BeforeFile = std::move(action);
}

void CSearchRun::OnOpened(quint64 search)
{
    if (search == Search && Running && !Begun)
        Begin();
}

void CSearchRun::OnFilesFound(quint64 search, const CFoundFiles &files)
{
    if (search != Search || !Running)
        return;
    Found += files.size();
    Ui.Table->Results()->AppendRows(files);
}

void CSearchRun::OnEntriesUnread(quint64 search, const CUnreadEntries &entries)
{
    if (search != Search || !Running)
        return;
    Unread += entries;
    for (const CUnreadEntry &entry : entries)
        UnreadFolders += entry.Folder ? 1 : 0;
}

void CSearchRun::OnEnded(quint64 search, const CSearchOutcome &outcome)
{
    if (search != Search || !Running)
        return;
    // A folder that could not be opened leaves what the window shows, unless
    // it had begun showing this search.
    if (Begun)
        ShowEnd(outcome);
    else
        Stop();
    if (outcome.RootError != 0)
        emit FolderUnreadable();
}

// A cancelled search that does not end at once hangs in the file system:
// the window keeps what it has and is ready for the next search.
void CSearchRun::GiveUp()
{
    if (!Running)
        return;
    ++Search;
    // Not shown yet: the window keeps what it shows.
    if (!Begun) {
        Stop();
        return;
    }
    CSearchOutcome outcome;
    outcome.Found = Found;
    outcome.Total = Shared->Total;
    outcome.Processed = Shared->Processed;
    ShowEnd(outcome);
}

void CSearchRun::Refresh()
{
    if (!Running)
        return;
    ShowProgress(Shared->Processed, Shared->Total);
    ShowUnread(0);
}

void CSearchRun::ShowProgress(int processed, int total)
{
    if (total <= 0)
        return; // busy until the first candidate
    Ui.Status->setText(Texts.Progress.arg(QString::number(processed), QString::number(total)));
    Ui.Bar->setRange(0, total);
    Ui.Bar->setValue(processed);
}

void CSearchRun::ShowEnd(const CSearchOutcome &outcome)
{
    Stop();
    ShowProgress(outcome.Processed, outcome.Total);
    Ui.Status->setText(SummaryText(outcome));
    ShowUnread(outcome.ResourceError);
    emit Ended(outcome.Found, outcome.Total);
}

// A cancelled search names how far it got: its found count alone would
// read as "not there" for the files it never reached.
QString CSearchRun::SummaryText(const CSearchOutcome &outcome) const
{
    if (!Shared || !Shared->Cancel)
        return Texts.Summary.arg(outcome.Found).arg(outcome.Total);
    return tr("The search was cancelled at file %1 of %2; %3 found so far.")
        .arg(outcome.Processed)
        .arg(outcome.Total)
        .arg(outcome.Found);
}

void CSearchRun::ShowUnread(int resourceError)
{
    const int files = Unread.size() - UnreadFolders;
    const QString filesText = files == 1 ? tr("1 file") : tr("%1 files").arg(files);
    const QString foldersText = UnreadFolders == 1 ? tr("1 folder") : tr("%1 folders").arg(UnreadFolders);
    QString text;
    if (files > 0 && UnreadFolders > 0)
        text = tr("%1 and %2 could not be read.").arg(filesText, foldersText);
    else if (files > 0 || UnreadFolders > 0)
        text = tr("%1 could not be read.").arg(files > 0 ? filesText : foldersText);
    if (!text.isEmpty())
        text = QStringLiteral("<a href=\"unread\">") + text.toHtmlEscaped() + QStringLiteral("</a>");
    if (resourceError != 0) {
        const QString stopped = tr("The search stopped early, the results are incomplete: %1.")
                                    .arg(QString::fromLocal8Bit(std::strerror(resourceError)));
        text = QStringLiteral("<font color=\"red\">") + stopped.toHtmlEscaped() + QStringLiteral("</font> ") +
               text;
    }
    if (text.isEmpty())
        return;
    Ui.Unread->setText(text);
    Ui.Unread->show();
}

void CSearchRun::ShowUnreadList()
{
    QDialog dialog(Ui.Table->window());
    dialog.setWindowTitle(tr("Not Read"));
    auto *list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("Unread_TreeWidget"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({tr("Path"), tr("Reason")});
    for (const CUnreadEntry &entry : qAsConst(Unread)) {
        const QString path = PathText(entry.Path) + (entry.Folder ? QStringLiteral("/") : QString());
        const QString reason = entry.Error == CUnreadEntry::NotRegularFile
                                   ? tr("not a regular file (a FIFO, socket or device)")
                                   : QString::fromLocal8Bit(std::strerror(entry.Error));
        new QTreeWidgetItem(list, {path, reason});
    }
    list->resizeColumnToContents(0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(640, 320);
    dialog.exec();
}
