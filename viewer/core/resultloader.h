#ifndef LINTRA_RESULTLOADER_H
#define LINTRA_RESULTLOADER_H

#include <QAtomicInteger>
#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include "search/core/keywordquery.h"
#include "text/core/textencodingdetector.h"
#include "text/core/unmarkedtext.h"
#include "viewer/core/keywordhighlights.h"
#include "viewer/core/resultpager.h"

class QFile;
class QTextCodec;

// What the viewer asks of the file on show.
enum TEnumViewStep
{
    ViewLoad,
    ViewPreviousBlock,
    ViewNextBlock,
    ViewPreviousMatch, // the nearest earlier block that holds a keyword
    ViewNextMatch,     // the nearest later block that holds a keyword
    ViewDecodeAgain    // the block on show, with a codec the user chose
};

// The answer to one request: the text to show, already highlighted, and
// where it lies in its file.
struct CViewedText
{
    quint64 Generation = 0;
    TEnumViewStep Step = ViewLoad;
    TEnumPageOutcome Outcome = PageUnreadable;
    bool Paged = false;
    // As a plain-text document holds it (DocumentPlainText): the plan's
    // positions are positions in it.
    QString Text;
    CHighlightPlan Plan;
    // A file loaded whole, kept for decoding it again with another codec.
    QByteArray WholeBytes;
    // Decided once per file, from the whole file or its first block, with
    // the codec that decodes it where the encoding has none of its own.
    TEnumTextEncoding Encoding = Local8Bit;
    QTextCodec *UnmarkedCodec = nullptr;
    bool EncodingKnown = false;
    // Of a paged file: the block on show and what is known of the others.
    int Block = 0;
    int BlockCount = 0;
    bool BlockCountKnown = false;
    bool PastTheEnd = false;
    qint64 FirstLine = 0;
    // Keywords in the blocks before this one, and in all blocks read.
    int MatchesBefore = 0;
    int MatchesCounted = 0;
    bool MatchesAllCounted = false;
};
Q_DECLARE_METATYPE(CViewedText)

// The matches of a plan in the order of the text, one per start: what the
// viewer numbers and jumps between.
QVector<CHighlightRange> MatchesInOrder(const CHighlightPlan &plan);

// Loads the file on show, on a thread of its own: opens only regular files,
// reads a small file whole and a big one block by block, decodes, and plans
// the highlights, so that the window only shows text. It keeps the paging
// state of its one file; a new file gets a new loader.
//
// Requests run one after the other in the loader's thread, each with a
// generation number the answer carries back; Cancel() may be called from
// any thread and stops the scans of the requests up to a generation.
class CResultLoader : public QObject
{
    Q_OBJECT

public:
    // charset: what decodes text without a byte-order mark.
    CResultLoader(qint64 byteLimit, const CUnmarkedTextCharset &charset, QObject *parent = nullptr);

    void Cancel(quint64 generation);
    bool IsCancelled(quint64 generation) const;

    // In the loader's thread.
    // nativePath: as the file system spells it.
    // line: from 1, the line whose block is shown; 0: the block of the first keyword.
    void Load(quint64 generation, const QByteArray &nativePath, const CKeywordQuery &query, qint64 line = 0);
    void Step(quint64 generation, TEnumViewStep step, int mib = 0);

signals:
    // A scan is under way: `offset` of `size` bytes read.
    void Progress(quint64 generation, qint64 offset, qint64 size);
    void Done(const CViewedText &text);

private:
    CViewedText LoadWhole(QFile &file) const;
    CViewedText Answer(const CResultPage &page) const;
    CHighlightPlan Plan(const QString &text) const;
    void SetPagerSearch();
    CResultPage PageWithLine(qint64 line);

    qint64 ByteLimit;
    CUnmarkedTextCharset Charset;
    CKeywordQuery Query;
    CResultPager Pager;
    quint64 Running = 0;
    QAtomicInteger<quint64> CancelledUpTo{0};
};

#endif
