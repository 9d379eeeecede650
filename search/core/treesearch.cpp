#include "search/core/treesearch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/filesystem.h"
#include "search/core/directorywalk.h"
#include "search/core/keywordmatcher.h"
#include "search/core/keywordprefilter.h"
#include "search/core/plaintextchoice.h"
#include "search/core/textfilescan.h"

namespace {

// A directory whose candidates the workers read, shared by its files' jobs.
struct CListedDirectory
{
    explicit CListedDirectory(CWalkStep &step)
        : Names(std::move(step.Candidates))
        , Scan(std::move(step.Directory), step.Path)
    {
    }
    QVector<CListedFile> Names;
    QVector<bool> ByContent; // per name: judged by its content
    CScanDirectory Scan;
    int FirstFile = 0; // number of its first file in the search, from 0
    bool RuleFixed = false;
    bool WholeWord = false;
};

struct CFileJob
{
    std::shared_ptr<const CListedDirectory> Directory;
    int Name = 0;
    bool WholeWord = false;
    bool Done = false;
    TEnumFileScanResult Outcome = FileScanNotMatched;
    CFileFacts Facts;
};

// What the workers ask while they read: only whether to stop. What a walk
// on a worker could not read is kept for the caller.
class CWorkerReport : public CScanReport
{
public:
    explicit CWorkerReport(const std::atomic<bool> &stop)
        : Stop(stop)
    {
    }
    bool Cancelled() override { return Stop.load(std::memory_order_relaxed); }
    void Unreadable(const CUnreadEntry &entry) override { Unread << entry; }
    CUnreadEntries TakeUnread() { return std::exchange(Unread, CUnreadEntries()); }

private:
    const std::atomic<bool> &Stop;
    CUnreadEntries Unread;
};

// The levels of the walk and the directories listed ahead share what is free,
// leaving some for the workers' files and the rest of the program.
int DescriptorShare(int parts, int most)
{
    return qBound(2, (DescriptorsLeft() - 24) / parts, most);
}

// Worker threads that scan files in the order they are added, each with its
// own matcher and pre-filter; the outcomes are taken in the same order.
class CTextScanPool
{
public:
    CTextScanPool(const CKeywordQuery &query, const CUnmarkedTextCharset &charset, bool wholeWord,
                  int threads)
        : Query(query)
        , Charset(charset)
        , SeveralKeywords(query.Count() >= 2)
    {
        WholeWordNow.store(wholeWord);
        for (int i = 0; i < qMax(1, threads); ++i) {
            if (!AddWorker())
                break;
        }
    }
    ~CTextScanPool()
    {
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            Stopping = true;
        }
        Stop.store(true);
        WorkAdded.notify_all();
        for (std::thread &worker : Workers)
            worker.join();
    }
    CTextScanPool(const CTextScanPool &) = delete;
    CTextScanPool &operator=(const CTextScanPool &) = delete;

    void Add(const std::shared_ptr<const CListedDirectory> &directory, int name, bool wholeWord)
    {
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            CFileJob job;
            job.Directory = directory;
            job.Name = name;
            job.WholeWord = wholeWord;
            Jobs.push_back(std::move(job));
        }
        WorkAdded.notify_one();
    }

    // The outcome of the oldest file not taken yet, if it comes within timeoutMs.
    bool TakeOldest(int timeoutMs, TEnumFileScanResult &outcome, CFileFacts &facts)
    {
        GrowWhileReadsWait();
        std::unique_lock<std::mutex> lock(Mutex);
        if (Jobs.empty())
            return false;
        if (!Jobs.front().Done) {
            CallerWaiting = true;
            JobDone.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return Jobs.front().Done; });
            CallerWaiting = false;
        }
        if (!Jobs.front().Done)
            return false;
        outcome = Jobs.front().Outcome;
        facts = Jobs.front().Facts;
        Jobs.pop_front();
        --Claimed;
        return true;
    }

    // Files being read stop at their next line or read.
    void Cancel() { Stop.store(true); }
    void SetMatchWholeWord(bool wholeWord) { WholeWordNow.store(wholeWord, std::memory_order_relaxed); }

private:
    // What one thread needs to scan files: its own matcher and pre-filter.
    struct CScanner
    {
        explicit CScanner(CTextScanPool &pool)
            : Query(pool.QueryNow())
            , Matcher(CKeywordMatcher::ForFullText(Query))
            , PreFilter(Query, pool.Charset)
            , Report(pool.Stop)
        {
            Matcher.SkipSubjectsWithoutKeywordText();
            LineTest = [&pool, this](const QString &line) {
                if (pool.SeveralKeywords)
                    Matcher.SetMatchWholeWord(pool.WholeWordNow.load(std::memory_order_relaxed));
                return Matcher.Feed(line);
            };
        }
        CKeywordQuery Query;
        CKeywordMatcher Matcher;
        CKeywordPreFilter PreFilter;
        CWorkerReport Report;
        ::LineTest LineTest;
    };

    bool AddWorker()
    {
        try {
            Workers.emplace_back([this] { Work(); });
        } catch (const std::system_error &) {
            // Out of threads: the search goes on with the workers it has;
            // without any, it stops and says why.
            if (Workers.empty())
                throw;
            return false;
        }
        return true;
    }

    // Files that are not in the page cache keep a reader waiting for the
    // disk, which serves several reads at once far faster than one after
    // another: while reads wait, more readers join, up to a limit. From the
    // cache, more readers than processors only take turns.
    void GrowWhileReadsWait()
    {
        const int waited = ReadsFromDisk.load(std::memory_order_relaxed);
        if (Workers.size() >= MostWorkers || waited < ReadsFromDiskPerWorker * int(Workers.size()))
            return;
        AddWorker();
    }

    // The files done in a row from the oldest on, counted up to a batch.
    int DoneAtFront() const
    {
        int done = 0;
        for (auto job = Jobs.cbegin(); done < WakeBatch && job != Jobs.cend() && job->Done; ++job)
            ++done;
        return done;
    }

    CKeywordQuery QueryNow() const
    {
        CKeywordQuery query = Query;
        query.SetMatchWholeWord(WholeWordNow.load());
        return query;
    }

    // Scans a job claimed by this thread; the job stays put until it is done.
    void Scan(CFileJob &job, CScanner &scanner)
    {
        TEnumFileScanResult outcome = FileScanCancelled;
        CFileFacts facts;
        if (!scanner.Report.Cancelled()) {
            if (!SeveralKeywords)
                scanner.Matcher.SetMatchWholeWord(job.WholeWord);
            scanner.Matcher.Reset();
            const CListedDirectory &directory = *job.Directory;
            outcome = ScanTextFile(directory.Scan, directory.Names.at(job.Name).Name, scanner.PreFilter,
                                   scanner.LineTest, scanner.Report, Charset, MaxLineLength, &facts,
                                   directory.ByContent.value(job.Name));
        }
        if (facts.FromDisk)
            ReadsFromDisk.fetch_add(1, std::memory_order_relaxed);
        bool wake = false;
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            job.Outcome = outcome;
            job.Facts = facts;
            job.Done = true;
            // The caller waits for the oldest file only. Waking it costs two
            // switches of thread, so it is woken for a batch of files, or when
            // the workers run out of files to read; else its wait runs out.
            wake =
                CallerWaiting && Jobs.front().Done && (Claimed == Jobs.size() || DoneAtFront() >= WakeBatch);
        }
        if (wake)
            JobDone.notify_one();
    }

    void Work()
    {
        CScanner scanner(*this);
        for (;;) {
            CFileJob *job = nullptr;
            {
                std::unique_lock<std::mutex> lock(Mutex);
                WorkAdded.wait(lock, [this] { return Stopping || Claimed < Jobs.size(); });
                if (Stopping)
                    return;
                // Jobs are taken from the front only once done, so this one stays put.
                job = &Jobs[Claimed++];
            }
            Scan(*job, scanner);
        }
    }

    const CKeywordQuery Query;
    const CUnmarkedTextCharset Charset;
    const bool SeveralKeywords;
    std::atomic<bool> Stop{false};
    std::atomic<bool> WholeWordNow{false};
    std::mutex Mutex;
    std::condition_variable WorkAdded;
    std::condition_variable JobDone;
    std::deque<CFileJob> Jobs; // from the oldest not taken yet
    size_t Claimed = 0;        // jobs at the front that a worker has started
    bool Stopping = false;
    bool CallerWaiting = false;
    static const int WakeBatch = 16;
    static const size_t MostWorkers = 8;
    static const int ReadsFromDiskPerWorker = 8;
    std::atomic<int> ReadsFromDisk{0};
    std::vector<std::thread> Workers;
};

// How long the caller waits for a file before it asks Cancelled() again.
const int WaitSliceMs = 5;

} // namespace

CTreeSearch::CTreeSearch(CSettings settings)
    : Settings(std::move(settings))
    , WholeWord(Settings.Query.MatchWholeWord())
{
}

int CTreeSearch::Run(const QDir &root, CScanReport &report)
{
    if (Settings.Query.IsEmpty())
        return 0;
    switch (Settings.What) {
    case SearchWhatFilename:
        return RunFileNames(root, report);
    case SearchWhatFullText:
        return RunFullText(root, report);
    }
    return 0;
}

namespace {

// One directory of a filename search, as the walking thread found it.
struct CNamedDirectory
{
    QByteArray Path;
    int Candidates = 0;
    QVector<CListedFile> Files; // as listed, until their names are tested
    bool Tested = false;
    QVector<int> Matches; // positions among the candidates, ascending
    CFoundFiles MatchFiles;
    QVector<QByteArray> MatchNames;
    // Held while matches wait for their size and time, which the caller's
    // thread reads, beside the walk.
    CDirectoryRef Directory;
    CUnreadEntries Unread; // folders the walk could not read on its way here
    int ResourceError = 0; // the walk stopped there, out of descriptors
};

// Puts the names in listing order and tests them, once.
void TestNames(CNamedDirectory &directory, CKeywordMatcher &matcher)
{
    if (directory.Tested)
        return;
    directory.Tested = true;
    SortLikeQDir(directory.Files);
    for (int i = 0; i < directory.Files.size(); ++i) {
        const CListedFile &listed = directory.Files.at(i);
        matcher.Reset();
        if (!(listed.Text.isNull() ? matcher.FeedAscii(listed.Name) : matcher.Feed(listed.Text)))
            continue;
        directory.Matches << i;
        directory.MatchFiles << CFoundFile{JoinedPath(directory.Path, listed.Name), listed.Size,
                                           listed.Modified};
        directory.MatchNames << listed.Name;
    }
    directory.Files.clear();
    if (directory.MatchFiles.isEmpty())
        directory.Directory.reset();
}

// The size and time of the matches the listing did not have to examine.
void ReadFacts(CNamedDirectory &directory)
{
    CFileStatus status;
    for (int i = 0; directory.Directory && i < directory.MatchFiles.size(); ++i) {
        CFoundFile &file = directory.MatchFiles[i];
        if (file.Modified == CFoundFile::UnknownTime &&
            StatusAt(directory.Directory->Descriptor(), directory.MatchNames.at(i).constData(), false,
                     status)) {
            file.Size = status.Size;
            file.Modified = status.ModifiedMs;
        }
    }
    directory.Directory.reset();
}

// Walks the tree on a thread of its own, a bounded number of files ahead of
// the caller, which takes the directories in order and tests their names.
class CNameWalker
{
public:
    CNameWalker(const CTreeSearch::CSettings &settings, const QDir &root)
        : Thread([this, settings, root] { Walk(settings, root); })
    {
    }
    ~CNameWalker()
    {
        Stop.store(true);
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            Stopping = true;
        }
        Taken.notify_all();
        Thread.join();
    }
    CNameWalker(const CNameWalker &) = delete;
    CNameWalker &operator=(const CNameWalker &) = delete;

    enum TEnumTake
    {
        TakeDirectory,
        TakeNothingYet,
        TakeEnd
    };
    TEnumTake Next(int timeoutMs, CNamedDirectory &directory)
    {
        std::unique_lock<std::mutex> lock(Mutex);
        if (Ready.empty() && !Done) {
            TakerWaiting = true;
            Added.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return !Ready.empty() || Done; });
            TakerWaiting = false;
        }
        if (Ready.empty())
            return Done ? TakeEnd : TakeNothingYet;
        directory = std::move(Ready.front());
        Ready.pop_front();
        Queued -= directory.Candidates;
        Held -= directory.Directory ? 1 : 0;
        const bool wake = WalkerWaiting;
        lock.unlock();
        if (wake)
            Taken.notify_one();
        return TakeDirectory;
    }

private:
    void Walk(const CTreeSearch::CSettings &settings, const QDir &root)
    {
        CKeywordMatcher matcher = CKeywordMatcher::ForFileNames(settings.Query);
        CWorkerReport report(Stop);
        CDirectoryWalk walk(settings.NameFilters, root, report, DescriptorShare(2, 32), settings.Root);
        walk.SetEntryFilter(settings.Entries);
        walk.SetListingCache(settings.Listings);
        // The names are sorted and tested on the caller's thread, which has
        // less to do: here the walk's own reading of the tree is what the
        // search waits for.
        walk.LeaveFilesUnsorted();
        CWalkStep step;
        for (bool more = true; more;) {
            more = walk.Next(step);
            CNamedDirectory directory;
            if (more) {
                directory.Path = step.Path;
                directory.Candidates = step.Candidates.size();
                directory.Files = std::move(step.Candidates);
                directory.Directory = step.Directory;
            }
            directory.Unread = report.TakeUnread();
            directory.ResourceError = more ? 0 : walk.OutOfResourcesError();
            if (!more && directory.Unread.isEmpty() && directory.ResourceError == 0)
                break;
            bool holds = directory.Directory != nullptr;
            std::unique_lock<std::mutex> lock(Mutex);
            const auto room = [this, &holds] {
                return Stopping || (Queued < MostFilesAhead && (!holds || Held < MostDirectoriesHeld));
            };
            // When the caller lags so far behind that the walk would wait for
            // it, the walk tests the names and reads the sizes itself instead.
            if (!room() && holds) {
                lock.unlock();
                TestNames(directory, matcher);
                ReadFacts(directory);
                holds = false;
                lock.lock();
            }
            WalkerWaiting = true;
            Taken.wait(lock, room);
            WalkerWaiting = false;
            if (Stopping)
                break;
            Queued += directory.Candidates;
            Held += holds ? 1 : 0;
            Ready.push_back(std::move(directory));
            // Waking the taker costs two switches of thread; most directories
            // are small, so it is woken for a batch, or finds what is ready
            // when its wait times out.
            const bool wake = TakerWaiting && (Ready.size() >= WakeDirectories || Queued >= WakeFiles ||
                                               Held >= MostDirectoriesHeld / 2);
            lock.unlock();
            if (wake)
                Added.notify_one();
        }
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            Done = true;
        }
        Added.notify_one();
    }

    static const int MostFilesAhead = 50000;
    static const size_t WakeDirectories = 32;
    static const int WakeFiles = 1024;
    const int MostDirectoriesHeld = DescriptorShare(4, 64);
    bool TakerWaiting = false;
    bool WalkerWaiting = false;
    std::atomic<bool> Stop{false};
    std::mutex Mutex;
    std::condition_variable Added;
    std::condition_variable Taken;
    std::deque<CNamedDirectory> Ready;
    int Queued = 0; // candidates in Ready
    int Held = 0;   // directories in Ready held open
    bool Done = false;
    bool Stopping = false;
    std::thread Thread;
};

} // namespace

// The names are listed ahead on a thread; here a directory's names are
// sorted and tested, its matches' sizes read, and its candidates counted as
// examined; a stop keeps the matches of the files examined before it.
int CTreeSearch::RunFileNames(const QDir &root, CScanReport &report)
{
    CNameWalker walker(Settings, root);
    CKeywordMatcher matcher = CKeywordMatcher::ForFileNames(Settings.Query);
    CNamedDirectory directory;
    int found = 0;
    for (bool first = true;; first = false) {
        // The walk on this side: a stop ends it before the next directory.
        if (!first && report.Cancelled())
            break;
        CNameWalker::TEnumTake taken;
        while ((taken = walker.Next(WaitSliceMs, directory)) == CNameWalker::TakeNothingYet) {
            if (report.Cancelled())
                return found;
        }
        if (taken == CNameWalker::TakeEnd)
            break;
        for (const CUnreadEntry &entry : qAsConst(directory.Unread))
            report.Unreadable(entry);
        if (directory.ResourceError != 0) {
            report.OutOfResources(directory.ResourceError);
            break;
        }
        if (directory.Candidates == 0)
            continue;
        TestNames(directory, matcher);
        ReadFacts(directory);
        report.DirectoryReached(QDir(PathText(directory.Path)), directory.Candidates);
        const int examined = report.FilesExamined(directory.Candidates);
        const bool stopped = examined < directory.Candidates;
        CFoundFiles matches = directory.MatchFiles;
        if (stopped) {
            const int kept =
                int(std::lower_bound(directory.Matches.begin(), directory.Matches.end(), examined) -
                    directory.Matches.begin());
            matches = matches.mid(0, kept);
        }
        found += matches.size();
        report.FoundFiles(matches);
        if (stopped)
            break;
    }
    return found;
}

namespace {

// The caller's side of a full-text search: the directories listed so far,
// the file handed to the workers next, and the rule each directory keeps.
class CFullTextRun
{
public:
    CFullTextRun(const CTreeSearch::CSettings &settings, const std::atomic<bool> &wholeWord, const QDir &root,
                 CScanReport &report)
        : Settings(settings)
        , WholeWordChoice(wholeWord)
        , Choice(settings.NameFilters, settings.PlainTextByContent)
        , Walk(Choice.ByContent() ? QStringList(QStringLiteral("*")) : settings.NameFilters, root, report,
               DescriptorShare(4, 32), settings.Root)
        , Report(report)
        , Pool(settings.Query, settings.Charset, WholeWord(), settings.Threads)
        , MostDirectoriesAhead(DescriptorShare(3, 64))
    {
        Walk.SetEntryFilter(settings.Entries);
        Walk.SetListingCache(settings.Listings);
    }

    int Run()
    {
        int found = 0;
        for (int index = 0;; ++index) {
            Reached = index;
            if (index >= Listed.size() && !ListNext())
                break;
            // A directory listed ahead is reached only now, and only without a stop.
            if (index > 0 && Report.Cancelled())
                break;
            bool stopped = false;
            const CFoundFiles matches = ScanDirectory(index, stopped);
            found += matches.size();
            Report.FoundFiles(matches);
            Listed[index].reset();
            if (stopped)
                break;
        }
        Pool.Cancel();
        if (ResourceError == 0)
            ResourceError = Walk.OutOfResourcesError();
        if (ResourceError != 0)
            Report.OutOfResources(ResourceError);
        return found;
    }

private:
    bool WholeWord() const { return WholeWordChoice.load(); }

    // Leaves the files never opened out of the step, and marks those judged by content.
    QVector<bool> SortByChoice(CWalkStep &step) const
    {
        QVector<bool> byContent;
        if (!Choice.ByContent())
            return byContent;
        QVector<CListedFile> kept;
        for (CListedFile &file : step.Candidates) {
            const TEnumTextChoice choice = Choice.ChoiceFor(ListedFileText(file));
            if (choice == TextNever)
                continue;
            byContent << (choice == TextByContent);
            kept << std::move(file);
        }
        step.Candidates = std::move(kept);
        return byContent;
    }

    bool ListNext()
    {
        CWalkStep step;
        QVector<bool> byContent;
        do {
            if (WalkDone || !Walk.Next(step)) {
                WalkDone = true;
                return false;
            }
            byContent = SortByChoice(step);
        } while (step.Candidates.isEmpty());
        auto directory = std::make_shared<CListedDirectory>(step);
        directory->ByContent = std::move(byContent);
        directory->FirstFile = ListedFiles;
        ListedFiles += directory->Names.size();
        Listed.append(directory);
        return true;
    }

    // A single keyword's rule is the one in force when the directory's
    // first file is either reached or handed out, whichever comes first.
    void FixRule(CListedDirectory &directory) const
    {
        if (directory.RuleFixed)
            return;
        directory.RuleFixed = true;
        directory.WholeWord = WholeWord();
    }

    CFoundFiles ScanDirectory(int index, bool &stopped)
    {
        const std::shared_ptr<CListedDirectory> directory = Listed.at(index);
        Report.DirectoryReached(directory->Scan.Dir, directory->Names.size());
        FixRule(*directory);
        CFoundFiles matches;
        for (int i = 0; i < directory->Names.size(); ++i) {
            Report.FileExamined();
            TEnumFileScanResult outcome = FileScanCancelled;
            CFileFacts facts;
            if (Report.Cancelled() || !Outcome(directory->FirstFile + i, outcome, facts) ||
                outcome == FileScanCancelled || outcome == FileScanOutOfResources) {
                if (outcome == FileScanOutOfResources)
                    ResourceError = facts.Error;
                stopped = true;
                break;
            }
            if (outcome == FileScanNotPlainText)
                Report.NotPlainText();
            // The path only of the files reported.
            if (outcome == FileScanUnreadable)
                Report.Unreadable(
                    {JoinedPath(directory->Scan.Path, directory->Names.at(i).Name), false, facts.Error});
            if (outcome == FileScanMatched)
                matches << CFoundFile{JoinedPath(directory->Scan.Path, directory->Names.at(i).Name),
                                      facts.Size, facts.Modified};
        }
        return matches;
    }

    // Hands out the files up to the look-ahead past this one, then waits for
    // this one; false when the caller stops the search meanwhile.
    bool Outcome(int file, TEnumFileScanResult &outcome, CFileFacts &facts)
    {
        Pool.SetMatchWholeWord(WholeWord());
        HandOut(file + qMax(0, Settings.LookAhead));
        while (!Pool.TakeOldest(WaitSliceMs, outcome, facts)) {
            if (Report.Cancelled())
                return false;
            Pool.SetMatchWholeWord(WholeWord());
        }
        return true;
    }

    void HandOut(int last)
    {
        while (HandedOut <= last) {
            while (
                HandOutDirectory < Listed.size() &&
                (!Listed.at(HandOutDirectory) || HandOutName >= Listed.at(HandOutDirectory)->Names.size())) {
                ++HandOutDirectory;
                HandOutName = 0;
            }
            // Each directory listed ahead holds a descriptor open.
            if (HandOutDirectory >= Listed.size() &&
                (Listed.size() - Reached >= MostDirectoriesAhead || !ListNext()))
                return;
            if (HandOutDirectory >= Listed.size())
                continue;
            const std::shared_ptr<CListedDirectory> &directory = Listed.at(HandOutDirectory);
            FixRule(*directory);
            Pool.Add(directory, HandOutName++, directory->WholeWord);
            ++HandedOut;
        }
    }

    const CTreeSearch::CSettings &Settings;
    const std::atomic<bool> &WholeWordChoice;
    const CPlainTextChoice Choice;
    CDirectoryWalk Walk;
    CScanReport &Report;
    CTextScanPool Pool;
    QVector<std::shared_ptr<CListedDirectory>> Listed; // null once reported
    int ListedFiles = 0;
    bool WalkDone = false;
    int HandedOut = 0;
    int HandOutDirectory = 0;
    int HandOutName = 0;
    int Reached = 0; // the directory the caller is in
    const int MostDirectoriesAhead;
    int ResourceError = 0;
};

} // namespace

int CTreeSearch::RunFullText(const QDir &root, CScanReport &report)
{
    CFullTextRun run(Settings, WholeWord, root, report);
    return run.Run();
}
