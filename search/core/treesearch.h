#ifndef LINTRA_TREESEARCH_H
#define LINTRA_TREESEARCH_H

#include <QDir>
#include <QStringList>

#include <atomic>

#include "search/core/directorywalk.h"
#include "search/core/keywordquery.h"
#include "search/core/scanreport.h"
#include "search/core/searchwhat.h"
#include "text/core/unmarkedtext.h"

class QTextCodec;

// One search over a directory tree, run on the calling thread (never the
// window's: listing and opening may block for as long as the file system
// takes): the walk, the progress and the matches are reported there, directory by directory in
// walk order, with the same counts, rows and stops as if every file were
// examined in turn. A filename search lists the directories and tests the
// names on a thread of its own, up to 50,000 files ahead. A full-text search
// lists on the calling thread and reads and matches the files on worker
// threads: at each file's step (FileExamined, then Cancelled) the files up to
// LookAhead past it (in at most 64 directories) are handed to the workers,
// and the caller waits for that file's outcome, asking Cancelled() while it
// waits. Nothing is read before the first file's step, so what the caller
// does then reaches every file; what it does later reaches the files not
// handed out yet. A stop keeps exactly the matches of the files before the
// one at which it came. The workers touch nothing but the files. Files and
// folders that cannot be read are reported as such; running out of
// descriptors, memory or threads stops the search and is reported too.
// The descriptors it keeps open are bounded by what the process has left.
class CTreeSearch
{
public:
    struct CSettings
    {
        TEnumSearchWhat What = SearchWhatFilename;
        QStringList NameFilters; // of the candidate files
        // A full-text search reads, besides the files NameFilters names,
        // every other file that its content shows to be plain text, except
        // the known binary types.
        bool PlainTextByContent = false;
        // Hidden files and folders, and the folders not entered.
        CWalkEntryFilter Entries;
        // The keywords, at least one; its whole-word choice is the one the
        // search begins with.
        CKeywordQuery Query;
        // Decodes files without a byte-order mark; the window passes the
        // system's codec and the charset of the user's language.
        CUnmarkedTextCharset Charset;
        int Threads = 1;      // full-text workers
        int LookAhead = 1024; // files handed to the workers beyond the current one
        // The root, opened already by the caller (null: the walk opens it).
        CDirectoryRef Root;
        // The folders' listings kept from the searches before (null: none kept).
        std::shared_ptr<CFolderListingCache> Listings;
    };

    explicit CTreeSearch(CSettings settings);

    // Returns the number of matching files reported.
    int Run(const QDir &root, CScanReport &report);
    // The user changed the whole-word choice while the search runs (on the
    // calling thread, at a step of Run): a single keyword keeps the rule its
    // directory began with, several keywords follow it from the next line on.
    void SetMatchWholeWord(bool matchWholeWord) { WholeWord.store(matchWholeWord); }

private:
    int RunFileNames(const QDir &root, CScanReport &report);
    int RunFullText(const QDir &root, CScanReport &report);

    CSettings Settings;
    std::atomic<bool> WholeWord;
};

#endif
