#include "search/core/backgroundsearch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "platform/filesystem.h"

namespace {

// The searches' threads, counted. Never destroyed: a detached thread that a
// stuck search left behind may still end while the process exits.
struct CSearchThreads
{
    std::mutex Mutex;
    std::condition_variable Ended;
    int Count = 0;
};

CSearchThreads &Threads()
{
    static CSearchThreads *const threads = new CSearchThreads;
    return *threads;
}

void ThreadStarting()
{
    const std::lock_guard<std::mutex> lock(Threads().Mutex);
    ++Threads().Count;
}

void ThreadEnding()
{
    {
        const std::lock_guard<std::mutex> lock(Threads().Mutex);
        --Threads().Count;
    }
    Threads().Ended.notify_all();
}

// Passes the search's report on as counters and queued signals, and the
// owner's whole-word choice to the search at each of its steps.
class CFeedReport : public CScanReport
{
public:
    CFeedReport(CSearchShared &shared, CSearchFeed &feed, CTreeSearch &search)
        : Shared(shared)
        , Feed(feed)
        , Search(search)
    {
        SinceSent.start();
    }
    bool Cancelled() override
    {
        Search.SetMatchWholeWord(Shared.MatchWholeWord.load(std::memory_order_relaxed));
        return Shared.Cancel.load(std::memory_order_relaxed);
    }
    void DirectoryReached(const QDir &, int candidates) override { Shared.Total += candidates; }
    void FileExamined() override
    {
        const int file = ++Shared.Processed;
        if (Shared.BeforeFile) {
            // What the search found so far is shown when the action runs.
            Send();
            Shared.BeforeFile(file);
        }
        Search.SetMatchWholeWord(Shared.MatchWholeWord.load(std::memory_order_relaxed));
    }
    // A filename search examines a directory's names at once: one count and
    // one question for all of them, unless something waits before each file.
    int FilesExamined(int count) override
    {
        if (Shared.BeforeFile || count == 0)
            return CScanReport::FilesExamined(count);
        if (Cancelled()) {
            ++Shared.Processed;
            return 0;
        }
        Shared.Processed += count;
        return count;
    }
    void FoundFiles(const CFoundFiles &files) override
    {
        Found += files;
        if (SinceSent.elapsed() >= SendIntervalMs)
            Send();
    }
    void NotPlainText() override
    {
        --Shared.Total;
        --Shared.Processed;
    }
    void Unreadable(const CUnreadEntry &entry) override { Unread << entry; }
    void OutOfResources(int error) override { ResourceError = error; }
    // Rows and what could not be read reach the window's thread in batches,
    // each a wake-up of it: a few dozen a second, not one per directory.
    void Send()
    {
        if (!Unread.isEmpty())
            emit Feed.EntriesUnread(Feed.Search(), std::exchange(Unread, CUnreadEntries()));
        if (!Found.isEmpty())
            emit Feed.FilesFound(Feed.Search(), std::exchange(Found, CFoundFiles()));
        SinceSent.restart();
    }

    int ResourceError = 0;

private:
    static const int SendIntervalMs = 20;
    CSearchShared &Shared;
    CSearchFeed &Feed;
    CTreeSearch &Search;
    CFoundFiles Found;
    CUnreadEntries Unread;
    QElapsedTimer SinceSent;
};

// Opens the folder to search, as the walk would, for the search to start
// from; the error (errno) when it is missing, not a folder, or not readable.
// Out of descriptors the walk tries again and says so.
int OpenRoot(const QDir &root, CTreeSearch::CSettings &settings, CSearchShared &shared)
{
    CCancelQuery cancel([&shared] { return shared.Cancel.load(); });
    const QByteArray path = QFile::encodeName(root.absolutePath());
    const int descriptor =
        OpenPatiently(cancel, [&] { return OpenFolderAt(WorkingFolder, path.constData(), true); });
    if (descriptor < 0)
        return IsOutOfResources(errno) ? 0 : errno;
    settings.Root = std::make_shared<const CDirectoryHandle>(descriptor);
    return 0;
}

void RunSearch(const QDir &root, CTreeSearch::CSettings settings, CSearchShared &shared, CSearchFeed &feed)
{
    CSearchOutcome outcome;
    // Whether there is anything to search is the first thing the owner learns.
    outcome.RootError = OpenRoot(root, settings, shared);
    if (outcome.RootError != 0) {
        emit feed.Ended(feed.Search(), outcome);
        return;
    }
    emit feed.Opened(feed.Search());
    CTreeSearch search(settings);
    CFeedReport report(shared, feed, search);
    try {
        outcome.Found = search.Run(root, report);
    } catch (const std::bad_alloc &) {
        report.ResourceError = ENOMEM;
    } catch (const std::system_error &error) {
        // No thread for the workers.
        report.ResourceError = error.code().value() ? error.code().value() : EAGAIN;
    }
    report.Send();
    outcome.Total = shared.Total;
    outcome.Processed = shared.Processed;
    outcome.ResourceError = report.ResourceError;
    emit feed.Ended(feed.Search(), outcome);
}

} // namespace

CSearchFeed::CSearchFeed(quint64 search)
    : Number(search)
{
    qRegisterMetaType<CFoundFiles>();
    qRegisterMetaType<CUnreadEntries>();
    qRegisterMetaType<CSearchOutcome>();
}

bool BackgroundSearch::Start(const QDir &root, CTreeSearch::CSettings settings,
                             std::shared_ptr<CSearchShared> shared, std::shared_ptr<CSearchFeed> feed)
{
    ThreadStarting();
    try {
        std::thread thread([root, settings, shared, feed]() mutable {
            RunSearch(root, std::move(settings), *shared, *feed);
            // Let go of what the owner shares before the thread counts as ended.
            shared.reset();
            feed.reset();
            ThreadEnding();
        });
        thread.detach();
    } catch (const std::system_error &) {
        ThreadEnding();
        return false;
    }
    return true;
}

int BackgroundSearch::RunningThreads()
{
    const std::lock_guard<std::mutex> lock(Threads().Mutex);
    return Threads().Count;
}

bool BackgroundSearch::WaitForAll(int timeoutMs)
{
    CSearchThreads &threads = Threads();
    std::unique_lock<std::mutex> lock(threads.Mutex);
    return threads.Ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&threads] { return threads.Count == 0; });
}
