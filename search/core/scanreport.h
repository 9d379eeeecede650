#ifndef LINTRA_SCANREPORT_H
#define LINTRA_SCANREPORT_H

#include <QDir>
#include <QStringList>

#include <functional>

#include "search/core/foundfile.h"

// What a scan tells whoever runs it, and the one thing it asks: the walk, the
// scan of one file, the byte pre-filter and the search over a tree all take
// one. The walk and the file scans only ask whether to stop; the search
// reports its progress and its matches, always on the thread that runs it.
// Every method has a default that does nothing, so a caller overrides only
// what it wants to see.
class CScanReport
{
public:
    virtual ~CScanReport();

    // Asked between steps (before a directory, a file, a read, a line), and
    // while the search waits for its workers; true stops the scan where it
    // is. Only answers: it may be asked from any of the search's threads.
    virtual bool Cancelled();
    // The search reached a directory with this many candidate files, which it
    // examines next.
    virtual void DirectoryReached(const QDir &dir, int candidates);
    // The search examines its next candidate file, matching or not.
    virtual void FileExamined();
    // The next count candidates in a row, each examined as FileExamined()
    // and then Cancelled() would; how many were examined before a stop.
    virtual int FilesExamined(int count);
    // The matching files of one directory, in listing order, once that
    // directory's candidates were examined (also after a stop). By default
    // passed on as their paths' texts.
    virtual void FoundFiles(const CFoundFiles &files);
    virtual void Found(const QStringList &paths);
    // The file just examined showed by its content that it is no plain
    // text: it leaves the count of files searched.
    virtual void NotPlainText();
    // A file or folder that could not be read; the search goes on.
    virtual void Unreadable(const CUnreadEntry &entry);
    // The search ran out of descriptors, memory or threads (errno) and stops.
    virtual void OutOfResources(int error);
};

// A report that answers Cancelled() from a function and reports nothing.
class CCancelQuery : public CScanReport
{
public:
    explicit CCancelQuery(std::function<bool()> cancelled = nullptr);
    bool Cancelled() override;

private:
    std::function<bool()> IsCancelled;
};

#endif
