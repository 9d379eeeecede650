// Block reading without a window: where blocks end, that they read back to
// the file's bytes in both directions, that UTF-16/UTF-32 blocks end on
// whole code units, and how block bytes are decoded.

#include <QtTest>

#include <QTemporaryDir>
#include <QTextCodec>

#include "testsupport.h"
#include "text/core/localcharset.h"
#include "viewer/core/blockreader.h"
#include "viewer/core/resultdecoding.h"

Q_DECLARE_METATYPE(TEnumTextEncoding)

namespace {

struct CForwardRead
{
    QList<QByteArray> Blocks;
    TBlockLineRanges Ranges;
    TLineOffsets Offsets;
};

// Reads every block in order, as the first-block scan does.
CForwardRead ReadForward(const QString &path, qint64 limit, TEnumTextEncoding encoding)
{
    CForwardRead read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return read;
    CBlockReader reader(file, limit, LineEndOf(encoding), read.Ranges, read.Offsets);
    int firstLine = 0;
    qint64 offset = 0;
    bool reachedEnd = false;
    for (int block = 0; !reachedEnd && block < 100000; ++block) {
        read.Blocks << reader.ReadNewBlock(block, firstLine, offset, reachedEnd);
        reader.NextBlockStart(block, firstLine, offset);
    }
    return read;
}

// Lines full of characters with a 0x0A byte that is not a line end:
// U+010A, U+040A, U+0A0A, U+4E0A, and a surrogate pair.
QString TrickyLines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString::fromUtf8("%1 Ċ Њ ਊ 上海 😀 line\n").arg(i).repeated(1 + i % 3);
    return text;
}

} // namespace

class TestViewerBlocks : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(Dir.isValid()); }
    void blockBoundaries_data();
    void blockBoundaries();
    void readsBackBothWays_data();
    void readsBackBothWays();
    void unicodeBlocksDecode_data();
    void unicodeBlocksDecode();
    void lineEndsFromTheStartOfTheFile();
    void decodeBytes_data();
    void decodeBytes();
    void missingCodecsFallBackToLocal();
    void lineOffsetsActLikeAMap();

private:
    QString Write(const QByteArray &bytes)
    {
        const QString path = Dir.filePath(QStringLiteral("f%1.txt").arg(++Files));
        WriteTestFile(path, bytes);
        return path;
    }
    QTemporaryDir Dir;
    int Files = 0;
};

void TestViewerBlocks::blockBoundaries_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("ranges");

    QTest::newRow("stops after the line that passes the limit")
        << QByteArray("ab\ncd\nef\ngh\nij\n") << 8 << QStringList{"0-2", "3-4"};
    QTest::newRow("exactly the limit is one block") << QByteArray("abc\ndef\n") << 8 << QStringList{"0-1"};
    QTest::newRow("one byte over the limit") << QByteArray("abc\ndefg\n") << 8 << QStringList{"0-1"};
    QTest::newRow("long line forms a block alone")
        << QByteArray("0123456789abcdefghij\nx\ny\n") << 8 << QStringList{"0-0", "1-2"};
    QTest::newRow("no final line feed") << QByteArray("abcdefgh\nij") << 8 << QStringList{"0-0", "1-1"};
    QTest::newRow("empty lines") << QByteArray(20, '\n') << 8 << QStringList{"0-8", "9-17", "18-19"};
    QTest::newRow("limit of one byte") << QByteArray("a\nb\nc") << 1 << QStringList{"0-0", "1-1", "2-2"};
}

void TestViewerBlocks::blockBoundaries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(QStringList, ranges);
    const CForwardRead read = ReadForward(Write(bytes), limit, Ascii);
    QStringList found;
    for (auto range = read.Ranges.constBegin(); range != read.Ranges.constEnd(); ++range)
        found << QStringLiteral("%1-%2").arg(range->first).arg(range->second);
    QCOMPARE(found, ranges);
}

void TestViewerBlocks::readsBackBothWays_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TEnumTextEncoding>("encoding");
    QTest::addColumn<int>("limit");

    const QString text = TrickyLines(40);
    QByteArray lines;
    for (int i = 0; i < 300; ++i)
        lines += QByteArray(i % 17, 'x') + (i % 5 ? "\n" : "\r\n");
    QTest::newRow("ascii lines, limit 8") << lines << Ascii << 8;
    QTest::newRow("ascii lines, limit 1") << lines << Ascii << 1;
    QTest::newRow("no final line feed") << lines + "tail" << Ascii << 64;
    QTest::newRow("utf8, limit 8") << text.toUtf8() << Utf8NoBom << 8;
    QTest::newRow("utf16 le bom, limit 8") << Utf16Bytes(QChar(0xFEFF) + text, false) << Utf16LeWithBom << 8;
    QTest::newRow("utf16 le nobom, limit 7") << Utf16Bytes(text, false) << Utf16LeNoBom << 7;
    QTest::newRow("utf16 be bom, limit 8") << Utf16Bytes(QChar(0xFEFF) + text, true) << Utf16BeWithBom << 8;
    QTest::newRow("utf32 be bom, limit 8") << Utf32Bytes(QChar(0xFEFF) + text, true) << Utf32BeWithBom << 8;
    QTest::newRow("odd-sized utf16 le") << Utf16Bytes(text, false) + "\n" << Utf16LeNoBom << 8;
}

void TestViewerBlocks::readsBackBothWays()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TEnumTextEncoding, encoding);
    QFETCH(int, limit);
    const QString path = Write(bytes);
    CForwardRead read = ReadForward(path, limit, encoding);
    QVERIFY(read.Blocks.size() > 2);
    QCOMPARE(read.Blocks.join(), bytes);

    // Each block ends on a line end (or the file's end), just past the limit.
    const CLineEnd lineEnd = LineEndOf(encoding);
    const QByteArray lf = lineEnd.BigEndian ? QByteArray(lineEnd.UnitSize - 1, '\0') + '\n'
                                            : '\n' + QByteArray(lineEnd.UnitSize - 1, '\0');
    for (int b = 0; b + 1 < read.Blocks.size(); ++b) {
        const QByteArray &block = read.Blocks.at(b);
        QVERIFY2(block.endsWith(lf), qPrintable(QStringLiteral("block %1").arg(b)));
        QCOMPARE(block.size() % lineEnd.UnitSize, 0);
        const qint64 lastLine = read.Offsets.value(read.Ranges.value(b).second).second;
        QVERIFY(block.size() > limit && block.size() - lastLine <= limit);
    }

    // Backward through the recorded blocks, with the file opened anew.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    CBlockReader reader(file, limit, lineEnd, read.Ranges, read.Offsets);
    for (int b = read.Blocks.size() - 1; b >= 0; --b) {
        QByteArray again;
        QVERIFY(reader.ReadKnownBlock(b, again));
        QCOMPARE(again, read.Blocks.at(b));
        QCOMPARE(reader.SplitLines(b, again).join(), again);
        QCOMPARE(reader.SplitLines(b, again).size(),
                 read.Ranges.value(b).second - read.Ranges.value(b).first + 1);
    }
}

void TestViewerBlocks::unicodeBlocksDecode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TEnumTextEncoding>("encoding");

    const QString text = QChar(0xFEFF) + TrickyLines(60);
    QTest::newRow("utf16 le bom") << Utf16Bytes(text, false) << Utf16LeWithBom;
    QTest::newRow("utf16 le nobom") << Utf16Bytes(text.mid(1), false) << Utf16LeNoBom;
    QTest::newRow("utf16 be bom") << Utf16Bytes(text, true) << Utf16BeWithBom;
    QTest::newRow("utf32 be bom") << Utf32Bytes(text, true) << Utf32BeWithBom;
}

// Every block decodes alone, without a conversion state, to its own lines.
void TestViewerBlocks::unicodeBlocksDecode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TEnumTextEncoding, encoding);
    const CForwardRead read = ReadForward(Write(bytes), 40, encoding);
    QVERIFY(read.Blocks.size() > 10);
    QString joined;
    for (const QByteArray &block : read.Blocks) {
        const QString text = DecodeBytes(block, encoding, 0);
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        joined += text;
    }
    QCOMPARE(joined, TrickyLines(60));
}

void TestViewerBlocks::lineEndsFromTheStartOfTheFile()
{
    const QString text = TrickyLines(20);
    QFile file(Write(Utf16Bytes(text, false)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(int(LineEndEncodingOf(file, 64)), int(Utf16LeNoBom));
    QCOMPARE(file.pos(), qint64(0));
    QFile big(Write(Utf16Bytes(QChar(0xFEFF) + text, true)));
    QVERIFY(big.open(QIODevice::ReadOnly));
    QCOMPARE(LineEndOf(LineEndEncodingOf(big, 7)), (CLineEnd{2, true}));
    QFile closed(Write("abc"));
    QCOMPARE(int(LineEndEncodingOf(closed, 64)), int(Local8Bit));
}

void TestViewerBlocks::decodeBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TEnumTextEncoding>("encoding");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("entry");

    const QString text = QString::fromUtf8("Größe 上海\n");
    QTest::newRow("utf8 bom skipped") << "\xEF\xBB\xBF" + text.toUtf8() << Utf8WithBom << 3 << "UTF-8";
    QTest::newRow("utf8 nobom") << text.toUtf8() << Utf8NoBom << 0 << "UTF-8";
    QTest::newRow("utf16 le bom skipped")
        << Utf16Bytes(QChar(0xFEFF) + text, false) << Utf16LeWithBom << 2 << "UTF-16LE";
    QTest::newRow("utf16 le bom left to the codec")
        << Utf16Bytes(QChar(0xFEFF) + text, false) << Utf16LeWithBom << 0 << "UTF-16LE";
    QTest::newRow("utf16 be nobom") << Utf16Bytes(text, true) << Utf16BeNoBom << 0 << "UTF-16BE";
    QTest::newRow("utf32 be bom") << Utf32Bytes(QChar(0xFEFF) + text, true) << Utf32BeWithBom << 4
                                  << "UTF-32BE";
    QTest::newRow("local") << text.toLocal8Bit() << Local8Bit << 0
                           << CodecEntryName(QTextCodec::codecForLocale());
    QTest::newRow("skip past the end")
        << QByteArray("ab") << Ascii << 5 << CodecEntryName(QTextCodec::codecForLocale());
}

void TestViewerBlocks::decodeBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TEnumTextEncoding, encoding);
    QFETCH(int, skip);
    QFETCH(QString, entry);
    const QString expected = skip > bytes.size() ? QString() : QString::fromUtf8("Größe 上海\n");
    QCOMPARE(DecodeBytes(bytes, encoding, skip), expected);
    QCOMPARE(CharsetEntryForEncoding(encoding), entry);
}

void TestViewerBlocks::missingCodecsFallBackToLocal()
{
    const QByteArray bytes = QString::fromUtf8("Größe").toLocal8Bit();
    QCOMPARE(DecodeBytes(bytes, TEnumTextEncoding(42), 0), QString::fromUtf8("Größe"));
    QVERIFY(!QTextCodec::codecForMib(-4242));
    QCOMPARE(DecodeBytesWithMib(bytes, -4242), QString::fromUtf8("Größe"));
    QCOMPARE(DecodeBytesWithMib(QByteArray("\xC4\xE3", 2), 114), QString::fromUtf8("你"));
}

void TestViewerBlocks::lineOffsetsActLikeAMap()
{
    CLineOffsets offsets;
    offsets.insert(0, qMakePair(qint64(0), qint64(5)));
    offsets.insert(3, qMakePair(qint64(20), qint64(7)));
    QCOMPARE(offsets.size(), 2);
    QVERIFY(offsets.contains(0) && offsets.contains(3));
    QVERIFY(!offsets.contains(1) && !offsets.contains(4) && !offsets.contains(-1));
    QCOMPARE(offsets.value(2, qMakePair(qint64(-9), qint64(-9))), qMakePair(qint64(-9), qint64(-9)));
    offsets.insert(3, qMakePair(qint64(21), qint64(8)));
    QCOMPARE(offsets.size(), 2);
    QCOMPARE(offsets.value(3), qMakePair(qint64(21), qint64(8)));
    offsets.clear();
    QVERIFY(offsets.isEmpty() && !offsets.contains(0));
}

QTEST_GUILESS_MAIN(TestViewerBlocks)
#include "tst_viewerblocks.moc"
