#include "viewer/core/lineoffsets.h"

void CLineOffsets::insert(int line, const TEntry &entry)
{
    if (line < 0 || entry.second < 0)
        return;
    while (Entries.size() <= line)
        Entries.append(qMakePair(qint64(0), qint64(-1)));
    if (!contains(line))
        ++Count;
    Entries[line] = entry;
}

void CLineOffsets::clear()
{
    Entries.clear();
    Count = 0;
}
