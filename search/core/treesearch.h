#ifndef LINTRA_TREESEARCH_H
#define LINTRA_TREESEARCH_H

#include <QDir>
#include <QStringList>

#include <atomic>

#include "search/core/scanreport.h"
#include "search/core/searchwhat.h"

// One search over a directory tree, run on the calling thread: the walk, the
// progress and the matches are reported there, directory by directory in
// walk order, exactly as if every file were examined in turn. A filename
// search examines the names on the calling thread. A full-text search reads
// and matches the files on worker threads, each file only after its turn
// came for the caller: at its own step (FileExamined, then Cancelled) the
// files up to a look-ahead further are handed to the workers, and the caller
// waits for that file's outcome, asking Cancelled() while it waits. Anything
// the caller does at a step (a file changed, a directory removed, Cancel)
// therefore reaches every file after it, and a stop leaves exactly the files
// before the current one reported. The workers touch nothing but the files.
class CTreeSearch
{
public:
    struct CSettings
    {
        TEnumSearchWhat What = SearchWhatFilename;
        QStringList NameFilters; // of the candidate files
        QStringList Patterns;    // keyword patterns, at least one
        bool WordSeparatedLanguage = false;
        // Whole words or substrings, read on the calling thread at each step: a
        // single keyword keeps the rule its directory began with, several
        // keywords follow a change from the next line on.
        const bool *MatchWholeWord = nullptr;
        int Threads = 1;      // full-text workers
        int LookAhead = 1024; // files handed to the workers beyond the current one
    };

    explicit CTreeSearch(CSettings settings);

    // Returns the number of matching files reported.
    int Run(const QDir &root, CScanReport &report);

private:
    int RunFileNames(const QDir &root, CScanReport &report);
    int RunFullText(const QDir &root, CScanReport &report);

    CSettings Settings;
};

#endif
