#ifndef LINTRA_MATCHINGLINES_H
#define LINTRA_MATCHINGLINES_H

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QVector>

#include <functional>

#include "search/core/keywordquery.h"
#include "text/core/unmarkedtext.h"
#include "viewer/core/blockreader.h"
#include "viewer/core/keywordhighlights.h"

class QIODevice;

// One line of a file that holds a keyword, as the results table lists it:
// its number (from 1, counted as grep -n counts: a line ends with LF), and a
// piece of its text that starts a little before the first keyword, with the
// keywords in it (Rank is the keyword's place in the query).
struct CMatchingLine
{
    qint64 Number = 0;
    QString Text;
    QVector<CHighlightRange> Keywords;
};
using CMatchingLineList = QVector<CMatchingLine>;
Q_DECLARE_METATYPE(CMatchingLineList)

// What a search for the lines found so far: the listed lines, and how many
// more lines matched beyond the cap.
struct CMatchingLines
{
    CMatchingLineList Lines;
    qint64 More = 0;
    bool Unreadable = false;
    bool Cancelled = false;
};

// Lists the lines of one file that hold a keyword. It reads the file block by
// block as the viewer does (CResultPager: the same decoding and line
// counting), skips the blocks whose bytes cannot hold a keyword without
// decoding their lines, and reports the lines found after each block that
// added some, so that the first lines of a huge file show at once. Past the
// cap, lines are only counted.
class CMatchingLineFinder
{
public:
    // Told the lines found since the last call.
    using Batch = std::function<void(const CMatchingLineList &lines)>;

    CMatchingLineFinder(const CKeywordQuery &query, const CUnmarkedTextCharset &charset, int maxLines = 100,
                        qint64 byteLimit = BlockByteLimit);

    // nativePath: as the file system spells it. cancelled is asked between blocks.
    CMatchingLines Find(const QByteArray &nativePath, const std::function<bool()> &cancelled,
                        const Batch &batch) const;
    CMatchingLines Find(QIODevice *device, const std::function<bool()> &cancelled, const Batch &batch) const;

    // The line's entry, or one with no keywords when none occurs in it.
    CMatchingLine LineEntry(qint64 number, const QString &line) const;

    // Characters kept before the first keyword.
    static const int LeadCharacters = 24;
    // Characters kept in all: a row shows no more.
    static const int ShownCharacters = 400;

private:
    template <class Source>
    CMatchingLines FindIn(const Source &source, const std::function<bool()> &cancelled,
                          const Batch &batch) const;

    CKeywordQuery Query;
    CUnmarkedTextCharset Charset;
    int MaxLines;
    qint64 ByteLimit;
};

#endif
