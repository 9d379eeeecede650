#ifndef LINTRA_FOLDERLISTINGCACHE_H
#define LINTRA_FOLDERLISTINGCACHE_H

#include <QByteArray>
#include <QHash>

#include <mutex>

#include "platform/filesystem.h"

// The entries of the folders searched before, kept in memory while the
// program runs, so that searching the same tree again (any keyword, either
// kind) lists no folder whose entries did not change. A listing is the
// folder's entries as the system gave them: each name with the type the
// folder told (nothing about the files themselves, whose sizes and times
// are read afresh). It is taken only while the folder is what it was: the
// same device and inode, the same change and modification times to the
// nanosecond. Shared by the searches of one window, on their threads; a
// listing is kept whole or not at all. Bounded by MostBytes, never written
// anywhere.
class CFolderListingCache
{
public:
    // The state of a folder that its listing must match.
    struct CFolderState
    {
        CFileIdentity Identity;
        qint64 ChangedNs = 0;
        qint64 ModifiedNs = 0;
    };

    explicit CFolderListingCache(qint64 mostBytes = 32 << 20);
    CFolderListingCache(const CFolderListingCache &) = delete;
    CFolderListingCache &operator=(const CFolderListingCache &) = delete;

    // The folder's listing (see CFolderListingReader), or null if none is
    // kept for its state.
    QByteArray Find(const CFolderState &state) const;
    // Keeps a whole listing, taken after the clock said listedAtNs, unless
    // the folder changed so shortly before that a change during the listing
    // could have kept its times (their stamps are as coarse as a clock tick,
    // or a second on some file systems). When full, the cache starts afresh.
    void Keep(const CFolderState &state, qint64 listedAtNs, const QByteArray &listing);
    // Memory is short or the window is out of sight.
    void Clear();
    int Folders() const;
    qint64 Bytes() const;

    // A folder changed at least this long before its listing began is kept.
    static const qint64 SettledNs = 1000000000;

    // Builds a listing, entry by entry.
    static void AddEntry(QByteArray &listing, const char *name, TEnumFileType type);

private:
    struct CKept
    {
        qint64 ChangedNs = 0;
        qint64 ModifiedNs = 0;
        QByteArray Listing;
    };
    static qint64 CostOf(const CKept &kept);

    const qint64 MostBytes;
    mutable std::mutex Mutex;
    QHash<CFileIdentity, CKept> Kept;
    qint64 KeptBytes = 0;
};

// Gives a kept listing's entries one at a time, as CFolderEntries does a folder's.
class CFolderListingReader
{
public:
    explicit CFolderListingReader(const QByteArray &listing);
    bool Next(const char *&name, TEnumFileType &type);
    int Error() const { return 0; }

private:
    QByteArray Listing; // held, so that the names stay while read
    int Offset = 0;
};

#endif
