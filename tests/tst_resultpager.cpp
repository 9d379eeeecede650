// Paging without a window, on buffers with small limits: which block comes
// first, Previous and Next over known and new blocks, the ends of the file,
// a file that shrinks while paged, a codec chosen for a paged file, and a
// state that grows with the blocks, not with the lines.

#include <QtTest>

#include <QBuffer>
#include <QTemporaryDir>
#include <QTextCodec>

#include <sys/stat.h>

#include "search/core/keywordquery.h"
#include "testsupport.h"
#include "viewer/core/resultpager.h"

Q_DECLARE_METATYPE(TEnumPageOutcome)

namespace {

// `count` lines of `length` bytes; the keyword, if any, on line `keywordLine`.
QByteArray Lines(int count, int length, int keywordLine = -1)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        QByteArray line = QByteArray::number(i).rightJustified(2, '0') + ' ';
        if (i == keywordLine)
            line += "needle";
        bytes += line.leftJustified(length - 1, 'x', true) + '\n';
    }
    return bytes;
}

bool HasNeedle(const QString &text)
{
    return text.contains(QLatin1String("needle"), Qt::CaseInsensitive);
}

// The first block with "needle", which every block read is searched for.
CResultPage FindNeedle(CResultPager &pager, const std::function<bool()> &cancelled = nullptr)
{
    CBlockSearch search;
    search.CountMatches = [](const QString &text) {
        return int(text.count(QLatin1String("needle"), Qt::CaseInsensitive));
    };
    search.Cancelled = cancelled;
    pager.SetSearch(search);
    return pager.FirstWithKeyword();
}

QTextCodec *Latin1()
{
    return QTextCodec::codecForName("ISO-8859-1");
}

// A read-only device of `size` bytes of short lines, made up as they are
// read: big files without the memory or the disk.
class CGeneratedFile : public QIODevice
{
public:
    CGeneratedFile(qint64 size, int lineLength)
        : Size(size)
        , LineLength(lineLength)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return Size; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = qMin(maxSize, Size - pos());
        for (qint64 i = 0; i < count; ++i)
            data[i] = (pos() + i) % LineLength == LineLength - 1 ? '\n' : 'x';
        return qMax<qint64>(count, 0);
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 Size;
    int LineLength;
};

} // namespace

class TestResultPager : public QObject
{
    Q_OBJECT

private slots:
    void firstBlockWithKeyword_data();
    void firstBlockWithKeyword();
    void pagingBothWays();
    void endsOfTheFile();
    void backFromPastTheEnd();
    void shrunkWhilePaging_data();
    void shrunkWhilePaging();
    void removedOrReplacedFile_data();
    void removedOrReplacedFile();
    void matchesAcrossBlocks();
    void scanCancelled();
    void chosenCodecKeptWhilePaging();
    void blockCount();
    void stateGrowsWithBlocksNotLines();
    void utf32LeBlocks();
};

void TestResultPager::firstBlockWithKeyword_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("lastBlock");

    // Ten-byte lines, limit 40: five lines a block.
    QTest::newRow("keyword in block 0") << Lines(30, 10, 2) << 40 << 0 << -1;
    QTest::newRow("keyword in block 3") << Lines(30, 10, 17) << 40 << 3 << -1;
    QTest::newRow("keyword in the last block") << Lines(30, 10, 29) << 40 << 5 << 5;
    QTest::newRow("no keyword: the empty block past the end") << Lines(30, 10) << 40 << 6 << 6;
    QTest::newRow("keyword cut by a block end is not in either")
        << Lines(30, 10).replace(46, 3, "nee").replace(50, 3, "dle") << 40 << 6 << 6;
}

void TestResultPager::firstBlockWithKeyword()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(int, block);
    QFETCH(int, lastBlock);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, limit, Latin1());
    const CResultPage page = FindNeedle(pager);
    QCOMPARE(page.Outcome, PageShown);
    QCOMPARE(page.Block, block);
    QCOMPARE(pager.CurrentBlock(), block);
    QCOMPARE(pager.LastBlock(), lastBlock);
    QCOMPARE(pager.KnownBlocks(), block + 1);
    QCOMPARE(page.Bytes, bytes.mid(int(pager.BlockOffset(block)), page.Bytes.size()));
    QCOMPARE(HasNeedle(page.Text), !page.Bytes.isEmpty());
    QCOMPARE(pager.PastTheEnd(), page.Bytes.isEmpty());
}

void TestResultPager::pagingBothWays()
{
    QByteArray bytes = Lines(33, 10, 17);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    QCOMPARE(FindNeedle(pager).Block, 3);
    QCOMPARE(pager.BlockLineRange(3), qMakePair(15, 19));
    QCOMPARE(pager.CurrentLines().size(), 5);
    QCOMPARE(pager.CurrentLines().value(2), bytes.mid(170, 10));

    QList<QByteArray> blocks;
    for (int b = 2; b >= 0; --b) {
        const CResultPage page = pager.Previous();
        QCOMPARE(page.Outcome, PageShown);
        QCOMPARE(page.Block, b);
        QCOMPARE(page.Bytes, bytes.mid(50 * b, 50));
        QCOMPARE(page.Text, QString::fromLatin1(page.Bytes));
    }
    QCOMPARE(pager.Previous().Outcome, PageAtBeginning);
    QCOMPARE(pager.CurrentBlock(), 0);
    for (int b = 1; b <= 6; ++b) {
        const CResultPage page = pager.Next();
        QCOMPARE(page.Outcome, PageShown);
        QCOMPARE(page.Block, b);
        blocks << page.Bytes;
    }
    QCOMPARE(bytes.left(50) + blocks.join(), bytes);
    QCOMPARE(pager.LastBlock(), 6);
    QCOMPARE(pager.BlockLineRange(6), qMakePair(30, 32));
}

void TestResultPager::endsOfTheFile()
{
    QByteArray bytes = Lines(4, 10, 0);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    // 40 bytes are not above the limit: one block, the last.
    const CResultPage first = FindNeedle(pager);
    QCOMPARE(first.Bytes, bytes);
    QCOMPARE(pager.LastBlock(), 0);
    QCOMPARE(pager.Next().Outcome, PageAtEnd);
    QCOMPARE(pager.Previous().Outcome, PageAtBeginning);
    QCOMPARE(pager.CurrentBlock(), 0);

    QByteArray empty;
    QBuffer emptyBuffer(&empty);
    QVERIFY(emptyBuffer.open(QIODevice::ReadOnly));
    CResultPager nothing(&emptyBuffer, 40, Latin1());
    QVERIFY(FindNeedle(nothing).Bytes.isEmpty());
    QCOMPARE(nothing.LastBlock(), 0);
    QCOMPARE(nothing.Next().Outcome, PageAtEnd);
}

// After a scan that found no keyword, Previous shows the last block; Next
// from there says the end is reached and stays.
void TestResultPager::backFromPastTheEnd()
{
    QByteArray bytes = Lines(30, 10);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    QCOMPARE(FindNeedle(pager).Block, 6);
    QVERIFY(pager.PastTheEnd());
    QCOMPARE(pager.BlockCount(), 6);
    QCOMPARE(pager.Previous().Block, 5);
    QVERIFY(!pager.PastTheEnd());
    const CResultPage next = pager.Next();
    QCOMPARE(next.Outcome, PageAtEnd);
    QCOMPARE(pager.CurrentBlock(), 5);
    QCOMPARE(pager.Next().Outcome, PageAtEnd);
    QCOMPARE(pager.CurrentBlock(), 5);
}

void TestResultPager::shrunkWhilePaging_data()
{
    QTest::addColumn<int>("keptBytes");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<TEnumPageOutcome>("outcome");

    // Block 3 is on show; blocks 0 to 3 are known, the file had 7.
    QTest::newRow("known block cut short, backward") << 120 << false << PageFileShrunk;
    QTest::newRow("known block gone, backward") << 40 << false << PageFileShrunk;
    QTest::newRow("new block gone, forward") << 170 << true << PageFileShrunk;
    QTest::newRow("ends where the block on show ends") << 200 << true << PageAtEnd;
    QTest::newRow("new block cut short, forward") << 230 << true << PageShown;
}

void TestResultPager::shrunkWhilePaging()
{
    QFETCH(int, keptBytes);
    QFETCH(bool, forward);
    QFETCH(TEnumPageOutcome, outcome);
    QTemporaryDir dir;
    const QString path = dir.filePath("paged.txt");
    QVERIFY(WriteTestFile(path, Lines(33, 10, 17)));
    CResultPager pager(path, 40, Latin1());
    const CResultPage shown = FindNeedle(pager);
    QCOMPARE(shown.Block, 3);
    QVERIFY(QFile(path).resize(keptBytes));

    const CResultPage page = forward ? pager.Next() : pager.Previous();
    QCOMPARE(page.Outcome, outcome);
    QCOMPARE(pager.CurrentBlock(), outcome == PageShown ? 4 : 3);
    QCOMPARE(pager.CurrentBytes(), outcome == PageShown ? page.Bytes : shown.Bytes);
    if (outcome == PageAtEnd)
        QCOMPARE(pager.LastBlock(), 3);
}

void TestResultPager::removedOrReplacedFile_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<TEnumPageOutcome>("outcome");
    QTest::newRow("deleted") << false << PageGone;
    QTest::newRow("replaced by a FIFO, never waited on") << true << PageNotRegular;
}

void TestResultPager::removedOrReplacedFile()
{
    QFETCH(bool, fifo);
    QFETCH(TEnumPageOutcome, outcome);
    QTemporaryDir dir;
    const QString path = dir.filePath("paged.txt");
    QVERIFY(WriteTestFile(path, Lines(33, 10, 17)));
    CResultPager pager(path, 40, Latin1());
    QCOMPARE(FindNeedle(pager).Block, 3);
    QVERIFY(QFile::remove(path));
    if (fifo)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QCOMPARE(pager.Previous().Outcome, outcome);
    QCOMPARE(pager.Next().Outcome, outcome);
    QCOMPARE(pager.NextWithKeyword().Outcome, outcome);
    QCOMPARE(pager.CurrentBlock(), 3);

    CResultPager again(path, 40, Latin1());
    QCOMPARE(again.First().Outcome, outcome);
    QCOMPARE(again.LastBlock(), 0);
}

// Needles on lines 7 and 8 (block 1), 33 (block 6) and 52 (block 10).
void TestResultPager::matchesAcrossBlocks()
{
    QByteArray bytes = Lines(60, 10);
    for (const int line : {7, 8, 33, 52})
        bytes.replace(line * 10 + 3, 6, "needle");
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    QCOMPARE(FindNeedle(pager).Block, 1);
    QCOMPARE(pager.BlockMatches(1), 2);
    QVERIFY(!pager.MatchesAllCounted());
    QCOMPARE(pager.NextWithKeyword().Block, 6);
    QCOMPARE(pager.MatchesBefore(6), 2);
    QCOMPARE(pager.NextWithKeyword().Block, 10);
    QCOMPARE(pager.CurrentBlockFirstLine(), 50);
    const CResultPage none = pager.NextWithKeyword();
    QCOMPARE(none.Outcome, PageNoMatch);
    QCOMPARE(pager.CurrentBlock(), 10);
    QVERIFY(pager.MatchesAllCounted());
    QCOMPARE(pager.MatchesCounted(), 4);
    QCOMPARE(pager.PreviousWithKeyword().Block, 6);
    QCOMPARE(pager.PreviousWithKeyword().Block, 1);
    QCOMPARE(pager.PreviousWithKeyword().Outcome, PageNoMatch);
    QCOMPARE(pager.CurrentBlock(), 1);
    // Paging from there goes on from the block on show.
    QCOMPARE(pager.Next().Block, 2);
    QCOMPARE(pager.NextWithKeyword().Block, 6);
}

void TestResultPager::scanCancelled()
{
    QByteArray bytes = Lines(60, 10, 52);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    int asked = 0;
    const CResultPage page = FindNeedle(pager, [&asked] { return ++asked > 3; });
    QCOMPARE(page.Outcome, PageCancelled);
    QCOMPARE(pager.CurrentBlock(), 0);
    QCOMPARE(page.Bytes, bytes.left(50));
}

void TestResultPager::chosenCodecKeptWhilePaging()
{
    QTextCodec *koi8 = QTextCodec::codecForName("KOI8-R");
    QByteArray line = koi8->fromUnicode(QString::fromUtf8("строка текста\n"));
    QByteArray bytes = line.repeated(20);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    const CResultPage first = pager.First();
    QCOMPARE(first.Text, QString::fromLatin1(first.Bytes));
    pager.SetCodec(koi8);
    QCOMPARE(pager.Current().Text, QString::fromUtf8("строка текста\n").repeated(3));
    QCOMPARE(pager.Next().Text, QString::fromUtf8("строка текста\n").repeated(3));
    QCOMPARE(pager.Previous().Text, QString::fromUtf8("строка текста\n").repeated(3));
    // Selecting the file again starts with the encoding's own codec.
    CResultPager again(&buffer, 40, Latin1());
    QCOMPARE(again.First().Text, QString::fromLatin1(first.Bytes));
}

void TestResultPager::blockCount()
{
    QByteArray bytes = Lines(100, 10, 2);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 40, Latin1());
    FindNeedle(pager);
    QVERIFY(!pager.BlockCountKnown());
    QCOMPARE(pager.BlockCount(), 20);
    while (pager.Next().Outcome == PageShown) {
    }
    QVERIFY(pager.BlockCountKnown());
    QCOMPARE(pager.BlockCount(), 20);
    QCOMPARE(pager.CurrentBlock(), 19);
}

// A file of two million lines keeps no more state than one of the same size
// with ten times fewer lines, and every block is still found again.
void TestResultPager::stateGrowsWithBlocksNotLines()
{
    const qint64 size = 20 * 1000 * 1000;
    CGeneratedFile shortLines(size, 10);
    CGeneratedFile longLines(size, 100);
    CResultPager manyLines(&shortLines, 4000, Latin1());
    CResultPager fewLines(&longLines, 4000, Latin1());
    QVERIFY(FindNeedle(manyLines).Bytes.isEmpty());
    QVERIFY(FindNeedle(fewLines).Bytes.isEmpty());
    QCOMPARE(manyLines.BlockLineRange(manyLines.CurrentBlock() - 1).second, int(size / 10 - 1));
    QVERIFY(manyLines.StateBytes() <= 2 * fewLines.StateBytes());
    QVERIFY2(manyLines.StateBytes() < 200 * 1000, qPrintable(QString::number(manyLines.StateBytes())));
    const CResultPage back = manyLines.Previous();
    QCOMPARE(back.Outcome, PageShown);
    QCOMPARE(back.Bytes.size(), int(size - manyLines.BlockOffset(back.Block)));
}

void TestResultPager::utf32LeBlocks()
{
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("line %1 of text\n").arg(i);
    text += QStringLiteral("needle\n");
    QByteArray bytes = Utf32Bytes(QChar(0xFEFF) + text, false);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CResultPager pager(&buffer, 200, Latin1());
    const CResultPage page = FindNeedle(pager);
    QCOMPARE(int(pager.Encoding()), int(Utf32LeWithBom));
    QVERIFY(page.Text.endsWith(QStringLiteral("needle\n")));
    QString joined;
    for (CResultPage back = pager.Current(); back.Outcome == PageShown; back = pager.Previous())
        joined.prepend(back.Text);
    QCOMPARE(joined, text);
}

QTEST_GUILESS_MAIN(TestResultPager)
#include "tst_resultpager.moc"
