#ifndef LINTRA_LINEOFFSETS_H
#define LINTRA_LINEOFFSETS_H

#include <QPair>
#include <QVector>

// Line index -> (byte offset in the file, byte length), for the lines read
// so far: an ordered map with the part of QMap's interface the viewer uses.
// Lines are read in order from the first, so the indices are dense and a
// vector holds them: a big file has millions of lines, and a tree node per
// line would cost more time and memory than reading the line itself.
class CLineOffsets
{
public:
    typedef QPair<qint64, qint64> TEntry;

    // Replaces the entry of an index already recorded.
    void insert(int line, const TEntry &entry);
    bool contains(int line) const
    {
        return line >= 0 && line < Entries.size() && Entries.at(line).second >= 0;
    }
    TEntry value(int line, const TEntry &absent = TEntry()) const
    {
        return contains(line) ? Entries.at(line) : absent;
    }
    int size() const { return Count; }
    bool isEmpty() const { return Count == 0; }
    void clear();

private:
    QVector<TEntry> Entries; // a negative length marks an index not recorded
    int Count = 0;
};

#endif
