#include "search/core/backgroundsearch.h"

#include <QThread>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace {

std::mutex ThreadsMutex;
std::condition_variable ThreadEnded;
int ThreadCount = 0;

void ThreadStarting()
{
    const std::lock_guard<std::mutex> lock(ThreadsMutex);
    ++ThreadCount;
}

void ThreadEnding()
{
    {
        const std::lock_guard<std::mutex> lock(ThreadsMutex);
        --ThreadCount;
    }
    ThreadEnded.notify_all();
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
        if (Shared.BeforeFile)
            Shared.BeforeFile(file);
        Search.SetMatchWholeWord(Shared.MatchWholeWord.load(std::memory_order_relaxed));
    }
    void FoundFiles(const CFoundFiles &files) override
    {
        SendUnread();
        if (!files.isEmpty())
            emit Feed.FilesFound(Feed.Search(), files);
    }
    void Unreadable(const CUnreadEntry &entry) override
    {
        Unread << entry;
        // A tree of unreadable folders is told about now and then, not at once per folder.
        if (Unread.size() >= 256)
            SendUnread();
    }
    void OutOfResources(int error) override { ResourceError = error; }
    void SendUnread()
    {
        if (!Unread.isEmpty())
            emit Feed.EntriesUnread(Feed.Search(), std::exchange(Unread, CUnreadEntries()));
    }

    int ResourceError = 0;

private:
    CSearchShared &Shared;
    CSearchFeed &Feed;
    CTreeSearch &Search;
    CUnreadEntries Unread;
};

void RunSearch(const QDir &root, const CTreeSearch::CSettings &settings, CSearchShared &shared,
               CSearchFeed &feed)
{
    CTreeSearch search(settings);
    CFeedReport report(shared, feed, search);
    CSearchOutcome outcome;
    try {
        outcome.Found = search.Run(root, report);
    } catch (const std::bad_alloc &) {
        report.ResourceError = ENOMEM;
    } catch (const std::system_error &error) {
        // No thread for the workers.
        report.ResourceError = error.code().value() ? error.code().value() : EAGAIN;
    }
    report.SendUnread();
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
            RunSearch(root, settings, *shared, *feed);
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
    const std::lock_guard<std::mutex> lock(ThreadsMutex);
    return ThreadCount;
}

bool BackgroundSearch::WaitForAll(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(ThreadsMutex);
    return ThreadEnded.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return ThreadCount == 0; });
}
