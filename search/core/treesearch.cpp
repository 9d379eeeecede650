#include "search/core/treesearch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "search/core/directorywalk.h"
#include "search/core/keywordmatcher.h"
#include "search/core/keywordprefilter.h"
#include "search/core/textfilescan.h"

namespace {

// A directory whose candidates the workers read, shared by its files' jobs.
struct CListedDirectory
{
    CListedDirectory(const QDir &dir, QStringList names)
        : Names(std::move(names))
        , Scan(dir)
    {
        // QDir works out its absolute path when first asked and keeps it:
        // asked here, the workers only ever read it.
        Scan.Dir.absolutePath();
    }
    QStringList Names;
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
};

// What the workers ask while they read: only whether to stop.
class CWorkerReport : public CScanReport
{
public:
    explicit CWorkerReport(const std::atomic<bool> &stop)
        : Stop(stop)
    {
    }
    bool Cancelled() override { return Stop.load(std::memory_order_relaxed); }

private:
    const std::atomic<bool> &Stop;
};

// Worker threads that scan files in the order they are added, each with its
// own matcher and pre-filter; the outcomes are taken in the same order.
class CTextScanPool
{
public:
    CTextScanPool(const CKeywordQuery &query, QTextCodec *localCodec, bool wholeWord, int threads)
        : Query(query)
        , LocalCodec(localCodec)
        , SeveralKeywords(query.Count() >= 2)
    {
        WholeWordNow.store(wholeWord);
        for (int i = 0; i < qMax(1, threads); ++i)
            Workers.emplace_back([this] { Work(); });
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
    bool TakeOldest(int timeoutMs, TEnumFileScanResult &outcome)
    {
        std::unique_lock<std::mutex> lock(Mutex);
        if (Jobs.empty())
            return false;
        if (!Jobs.front().Done)
            JobDone.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return Jobs.front().Done; });
        if (!Jobs.front().Done)
            return false;
        outcome = Jobs.front().Outcome;
        Jobs.pop_front();
        --Claimed;
        return true;
    }

    // Files being read stop at their next line or read.
    void Cancel() { Stop.store(true); }
    void SetMatchWholeWord(bool wholeWord) { WholeWordNow.store(wholeWord, std::memory_order_relaxed); }

private:
    void Work()
    {
        CKeywordQuery query = Query;
        query.SetMatchWholeWord(WholeWordNow.load());
        CKeywordMatcher matcher = CKeywordMatcher::ForFullText(query);
        matcher.SkipSubjectsWithoutKeywordText();
        CKeywordPreFilter preFilter(query, LocalCodec);
        CWorkerReport report(Stop);
        const LineTest lineTest = [this, &matcher](const QString &line) {
            if (SeveralKeywords)
                matcher.SetMatchWholeWord(WholeWordNow.load(std::memory_order_relaxed));
            return matcher.Feed(line);
        };
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
            TEnumFileScanResult outcome = FileScanCancelled;
            if (!report.Cancelled()) {
                if (!SeveralKeywords)
                    matcher.SetMatchWholeWord(job->WholeWord);
                matcher.Reset();
                const CListedDirectory &directory = *job->Directory;
                outcome = ScanTextFile(directory.Scan, directory.Names.at(job->Name), preFilter, lineTest,
                                       report, LocalCodec);
            }
            bool oldest = false;
            {
                const std::lock_guard<std::mutex> lock(Mutex);
                job->Outcome = outcome;
                job->Done = true;
                oldest = job == &Jobs.front();
            }
            // The caller only ever waits for the oldest file.
            if (oldest)
                JobDone.notify_one();
        }
    }

    const CKeywordQuery Query;
    QTextCodec *const LocalCodec;
    const bool SeveralKeywords;
    std::atomic<bool> Stop{false};
    std::atomic<bool> WholeWordNow{false};
    std::mutex Mutex;
    std::condition_variable WorkAdded;
    std::condition_variable JobDone;
    std::deque<CFileJob> Jobs; // from the oldest not taken yet
    size_t Claimed = 0;        // jobs at the front that a worker has started
    bool Stopping = false;
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
    QDir Dir;
    int Candidates = 0;
    QVector<int> Matches; // positions among the candidates, ascending
    QStringList MatchPaths;
};

// Walks the tree and tests the names on a thread of its own, a bounded
// number of files ahead of the caller, which takes the directories in order.
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
        if (Ready.empty() && !Done)
            Added.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return !Ready.empty() || Done; });
        if (Ready.empty())
            return Done ? TakeEnd : TakeNothingYet;
        directory = std::move(Ready.front());
        Ready.pop_front();
        Queued -= directory.Candidates;
        lock.unlock();
        Taken.notify_one();
        return TakeDirectory;
    }

private:
    void Walk(const CTreeSearch::CSettings &settings, const QDir &root)
    {
        CKeywordMatcher matcher = CKeywordMatcher::ForFileNames(settings.Query);
        CWorkerReport report(Stop);
        CDirectoryWalk walk(settings.NameFilters, root, report);
        QDir dir;
        QStringList names;
        while (walk.Next(dir, names)) {
            CNamedDirectory directory;
            directory.Dir = dir;
            directory.Candidates = names.size();
            const QString absolute = dir.absolutePath();
            const QString prefix =
                absolute.endsWith(QLatin1Char('/')) ? absolute : absolute + QLatin1Char('/');
            for (int i = 0; i < names.size(); ++i) {
                matcher.Reset();
                if (matcher.Feed(names.at(i))) {
                    directory.Matches << i;
                    directory.MatchPaths << prefix + names.at(i);
                }
            }
            std::unique_lock<std::mutex> lock(Mutex);
            Taken.wait(lock, [this] { return Stopping || Queued < MostFilesAhead; });
            if (Stopping)
                break;
            Queued += directory.Candidates;
            Ready.push_back(std::move(directory));
            lock.unlock();
            Added.notify_one();
        }
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            Done = true;
        }
        Added.notify_one();
    }

    static const int MostFilesAhead = 50000;
    std::atomic<bool> Stop{false};
    std::mutex Mutex;
    std::condition_variable Added;
    std::condition_variable Taken;
    std::deque<CNamedDirectory> Ready;
    int Queued = 0; // candidates in Ready
    bool Done = false;
    bool Stopping = false;
    std::thread Thread;
};

} // namespace

// The names are listed and tested ahead on a thread; here each candidate is
// examined in turn as the caller sees it, and a stop keeps the matches of
// the files before it.
int CTreeSearch::RunFileNames(const QDir &root, CScanReport &report)
{
    CNameWalker walker(Settings, root);
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
        report.DirectoryReached(directory.Dir, directory.Candidates);
        int examined = 0;
        bool stopped = false;
        for (; examined < directory.Candidates; ++examined) {
            report.FileExamined();
            if (report.Cancelled()) {
                stopped = true;
                break;
            }
        }
        QStringList matches = directory.MatchPaths;
        if (stopped) {
            const int kept =
                int(std::lower_bound(directory.Matches.begin(), directory.Matches.end(), examined) -
                    directory.Matches.begin());
            matches = matches.mid(0, kept);
        }
        found += matches.size();
        report.Found(matches);
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
        , Walk(settings.NameFilters, root, report)
        , Report(report)
        , Pool(settings.Query, settings.LocalCodec, WholeWord(), settings.Threads)
    {
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
            const QStringList matches = ScanDirectory(index, stopped);
            found += matches.size();
            Report.Found(matches);
            Listed[index].reset();
            if (stopped)
                break;
        }
        Pool.Cancel();
        return found;
    }

private:
    bool WholeWord() const { return WholeWordChoice.load(); }

    bool ListNext()
    {
        QDir dir;
        QStringList names;
        if (WalkDone || !Walk.Next(dir, names)) {
            WalkDone = true;
            return false;
        }
        auto directory = std::make_shared<CListedDirectory>(dir, std::move(names));
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

    QStringList ScanDirectory(int index, bool &stopped)
    {
        const std::shared_ptr<CListedDirectory> directory = Listed.at(index);
        Report.DirectoryReached(directory->Scan.Dir, directory->Names.size());
        FixRule(*directory);
        QStringList matches;
        for (int i = 0; i < directory->Names.size(); ++i) {
            Report.FileExamined();
            TEnumFileScanResult outcome = FileScanCancelled;
            if (Report.Cancelled() || !Outcome(directory->FirstFile + i, outcome) ||
                outcome == FileScanCancelled) {
                stopped = true;
                break;
            }
            if (outcome == FileScanMatched)
                matches << directory->Scan.Dir.absoluteFilePath(directory->Names.at(i));
        }
        return matches;
    }

    // Hands out the files up to the look-ahead past this one, then waits for
    // this one; false when the caller stops the search meanwhile.
    bool Outcome(int file, TEnumFileScanResult &outcome)
    {
        Pool.SetMatchWholeWord(WholeWord());
        HandOut(file + qMax(0, Settings.LookAhead));
        while (!Pool.TakeOldest(WaitSliceMs, outcome)) {
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
    static const int MostDirectoriesAhead = 64;
};

} // namespace

int CTreeSearch::RunFullText(const QDir &root, CScanReport &report)
{
    CFullTextRun run(Settings, WholeWord, root, report);
    return run.Run();
}
