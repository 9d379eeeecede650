#include "search/core/folderlistingcache.h"

#include <cstring>

// A listing is a run of entries, each its type's byte, then its name, then a
// zero byte: the names are read where they lie.

CFolderListingCache::CFolderListingCache(qint64 mostBytes)
    : MostBytes(mostBytes)
{
}

QByteArray CFolderListingCache::Find(const CFolderState &state) const
{
    const std::lock_guard<std::mutex> lock(Mutex);
    const auto kept = Kept.constFind(state.Identity);
    if (kept == Kept.cend() || kept->ChangedNs != state.ChangedNs || kept->ModifiedNs != state.ModifiedNs)
        return QByteArray();
    return kept->Listing;
}

void CFolderListingCache::Keep(const CFolderState &state, qint64 listedAtNs, const QByteArray &listing)
{
    // A change after the listing began is stamped later than the times
    // seen: the clock had moved on by more than one stamp's coarseness.
    if (listedAtNs - qMax(state.ChangedNs, state.ModifiedNs) < SettledNs)
        return;
    CKept kept;
    kept.ChangedNs = state.ChangedNs;
    kept.ModifiedNs = state.ModifiedNs;
    kept.Listing = listing;
    kept.Listing.squeeze();
    const std::lock_guard<std::mutex> lock(Mutex);
    const auto before = Kept.constFind(state.Identity);
    if (before != Kept.cend())
        KeptBytes -= CostOf(*before);
    if (KeptBytes + CostOf(kept) > MostBytes) {
        Kept.clear();
        KeptBytes = 0;
    }
    KeptBytes += CostOf(kept);
    Kept.insert(state.Identity, kept);
}

void CFolderListingCache::Clear()
{
    const std::lock_guard<std::mutex> lock(Mutex);
    Kept.clear();
    KeptBytes = 0;
}

int CFolderListingCache::Folders() const
{
    const std::lock_guard<std::mutex> lock(Mutex);
    return Kept.size();
}

qint64 CFolderListingCache::Bytes() const
{
    const std::lock_guard<std::mutex> lock(Mutex);
    return KeptBytes;
}

// The listing's bytes with what the hash and the array take besides.
qint64 CFolderListingCache::CostOf(const CKept &kept)
{
    return kept.Listing.capacity() + 96;
}

void CFolderListingCache::AddEntry(QByteArray &listing, const char *name, TEnumFileType type)
{
    listing.append(char(type));
    listing.append(name, int(std::strlen(name)) + 1);
}

CFolderListingReader::CFolderListingReader(const QByteArray &listing)
    : Listing(listing)
{
}

bool CFolderListingReader::Next(const char *&name, TEnumFileType &type)
{
    if (Offset >= Listing.size())
        return false;
    const char *entry = Listing.constData() + Offset;
    type = TEnumFileType(entry[0]);
    name = entry + 1;
    Offset += 2 + int(std::strlen(name));
    return true;
}
