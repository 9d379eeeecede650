#ifndef LINTRA_BACKGROUNDSEARCH_H
#define LINTRA_BACKGROUNDSEARCH_H

#include <QDir>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

#include "search/core/foundfile.h"
#include "search/core/treesearch.h"

// What the thread of one search and its owner share: the owner's Cancel and
// whole-word choice, and the counters the owner shows once per refresh.
struct CSearchShared
{
    std::atomic<bool> Cancel{false};
    std::atomic<bool> MatchWholeWord{false};
    std::atomic<int> Total{0};
    std::atomic<int> Processed{0};
    // Run on the search's thread before each file, with the file's number
    // (from 1); may hold the search. Set before the search starts.
    std::function<void(int file)> BeforeFile;
};

// The signals of one search, emitted from its thread; connect with queued
// connections. Every signal carries the search's number, so a receiver can
// drop what comes from a search it gave up.
class CSearchFeed : public QObject
{
    Q_OBJECT

public:
    explicit CSearchFeed(quint64 search);
    quint64 Search() const { return Number; }

signals:
    // The folder to search is open, before anything else is sent; a folder
    // that cannot be opened only gets Ended, with its RootError.
    void Opened(quint64 search);
    // One directory's matching files, in walk order.
    void FilesFound(quint64 search, const CFoundFiles &files);
    void EntriesUnread(quint64 search, const CUnreadEntries &entries);
    void Ended(quint64 search, const CSearchOutcome &outcome);

private:
    quint64 Number;
};

// Runs a search over a tree on a thread of its own, which lists, examines,
// opens and reads; the caller's thread never waits for the file system. A
// thread whose search was cancelled but that hangs in a system call (a dead
// network mount) is left behind and ends when the call returns.
namespace BackgroundSearch {
// False when no thread could be started (the system is out of threads).
bool Start(const QDir &root, CTreeSearch::CSettings settings, std::shared_ptr<CSearchShared> shared,
           std::shared_ptr<CSearchFeed> feed);
// Search threads that have not ended yet, including those left behind.
int RunningThreads();
// Waits up to timeoutMs for every search thread to end; false if some did not.
bool WaitForAll(int timeoutMs);
} // namespace BackgroundSearch

#endif
