// Where blocks end without a window: as the rule says however few bytes are
// at hand, joined back to the file's bytes, UTF-16/UTF-32 blocks ending on
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
    QList<qint64> Lines;
    QList<qint64> Offsets;
};

// The lines a block ends, as grep counts them: its pieces that end with a
// line end, and an open last one where the file ends.
qint64 EndedLines(const QList<QByteArray> &pieces, CLineEnd lineEnd, bool endsFile)
{
    const QByteArray lf = lineEnd.BigEndian ? QByteArray(lineEnd.UnitSize - 1, '\0') + '\n'
                                            : '\n' + QByteArray(lineEnd.UnitSize - 1, '\0');
    qint64 lines = 0;
    for (const QByteArray &piece : pieces)
        lines += piece.endsWith(lf) ? 1 : 0;
    return lines + (endsFile && !pieces.isEmpty() && !pieces.last().endsWith(lf) ? 1 : 0);
}

// Cuts the bytes into blocks as a forward read does, from the whole file.
CForwardRead ReadForward(const QByteArray &bytes, qint64 limit, CLineEnd lineEnd,
                         qint64 maxLine = MaxLineBytes)
{
    CForwardRead read;
    qint64 offset = 0;
    do {
        const CBlockExtent extent = FindBlockEnd(bytes.constData() + offset, bytes.size() - offset, offset,
                                                 limit, lineEnd, maxLine, true);
        if (extent.End < 0)
            break;
        read.Blocks << bytes.mid(int(offset), int(extent.End));
        read.Lines << extent.Lines;
        read.Offsets << offset;
        offset += extent.End;
    } while (offset < bytes.size());
    return read;
}

CForwardRead ReadForward(const QByteArray &bytes, qint64 limit, TEnumTextEncoding encoding)
{
    return ReadForward(bytes, limit, LineEndOf(encoding));
}

// The rule as stated, one byte at a time: a line ends after the first LF
// unit or maxLine bytes on; a block after the line that takes it past the limit.
qint64 ReferenceLineEnd(const QByteArray &bytes, qint64 start, CLineEnd lineEnd, qint64 maxLine)
{
    const int unit = lineEnd.UnitSize;
    for (qint64 i = start; i < bytes.size() && i - start < maxLine; ++i) {
        if (bytes.at(int(i)) != '\n')
            continue;
        const qint64 unitStart = lineEnd.BigEndian ? i - (unit - 1) : i;
        if (unitStart % unit != 0 || unitStart < 0 || unitStart + unit > bytes.size())
            continue;
        if (bytes.mid(int(unitStart), unit).count('\0') == unit - 1)
            return unitStart + unit;
    }
    return qMin<qint64>(bytes.size(), start + maxLine);
}

QList<qint64> ReferenceBlockEnds(const QByteArray &bytes, qint64 limit, CLineEnd lineEnd, qint64 maxLine)
{
    QList<qint64> ends;
    qint64 position = 0;
    while (position < bytes.size()) {
        const qint64 start = position;
        while (position - start <= limit && position < bytes.size())
            position = ReferenceLineEnd(bytes, position, lineEnd, maxLine);
        ends << position;
    }
    return ends;
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
    void blockEndsAsTheRuleSays();
    void lineEndsFromTheStartOfTheFile();
    void decodeBytes_data();
    void decodeBytes();
    void missingCodecsFallBackToLocal();

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
    QTest::newRow("thousands of empty lines")
        << QByteArray(5000, '\n') << 4500 << QStringList{"0-4500", "4501-4999"};
    QTest::newRow("limit of one byte") << QByteArray("a\nb\nc") << 1 << QStringList{"0-0", "1-1", "2-2"};
}

void TestViewerBlocks::blockBoundaries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(QStringList, ranges);
    const CForwardRead read = ReadForward(bytes, limit, Ascii);
    QStringList found;
    qint64 firstLine = 0;
    for (const qint64 lines : read.Lines) {
        found << QStringLiteral("%1-%2").arg(firstLine).arg(firstLine + lines - 1);
        firstLine += lines;
    }
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
    QTest::newRow("utf32 le bom, limit 8") << Utf32Bytes(QChar(0xFEFF) + text, false) << Utf32LeWithBom << 8;
    QTest::newRow("odd-sized utf16 le") << Utf16Bytes(text, false) + "\n" << Utf16LeNoBom << 8;
}

void TestViewerBlocks::readsBackBothWays()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TEnumTextEncoding, encoding);
    QFETCH(int, limit);
    const CForwardRead read = ReadForward(bytes, limit, encoding);
    QVERIFY(read.Blocks.size() > 2);
    QCOMPARE(read.Blocks.join(), bytes);

    // Each block ends on a line end (or the file's end), just past the limit.
    const CLineEnd lineEnd = LineEndOf(encoding);
    const QByteArray lf = lineEnd.BigEndian ? QByteArray(lineEnd.UnitSize - 1, '\0') + '\n'
                                            : '\n' + QByteArray(lineEnd.UnitSize - 1, '\0');
    for (int b = 0; b < read.Blocks.size(); ++b) {
        const QByteArray &block = read.Blocks.at(b);
        const QList<QByteArray> lines = SplitBlockLines(block, read.Offsets.at(b), lineEnd);
        QCOMPARE(lines.join(), block);
        QCOMPARE(EndedLines(lines, lineEnd, b + 1 == read.Blocks.size()), read.Lines.at(b));
        if (b + 1 == read.Blocks.size())
            continue;
        QVERIFY2(block.endsWith(lf), qPrintable(QStringLiteral("block %1").arg(b)));
        QCOMPARE(block.size() % lineEnd.UnitSize, 0);
        QVERIFY(block.size() > limit && block.size() - lines.last().size() <= limit);
    }
}

// The block ends found from the bytes read so far, one more byte at a
// time, are those of the rule applied to the whole file, for every code unit,
// limit and cut length, on bytes full of line feeds and zeros.
void TestViewerBlocks::blockEndsAsTheRuleSays()
{
    static const CLineEnd lineEnds[] = {{1, false}, {2, false}, {2, true}, {4, true}, {4, false}};
    quint32 seed = 12345;
    const auto random = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) & 0x7FFF);
    };
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        const int size = random() % 300;
        for (int i = 0; i < size; ++i) {
            const int pick = random() % 8;
            bytes += pick < 3 ? '\n' : pick < 6 ? '\0' : char('a' + random() % 3);
        }
        const CLineEnd lineEnd = lineEnds[round % 5];
        const qint64 limit = 1 + random() % 48;
        const qint64 maxLine = 4 * (1 + random() % 16);
        const QList<qint64> expected = ReferenceBlockEnds(bytes, limit, lineEnd, maxLine);
        QList<qint64> found;
        qint64 offset = 0;
        while (offset < bytes.size()) {
            CBlockExtent extent;
            for (qint64 have = 0; extent.End < 0; ++have) {
                const qint64 available = qMin<qint64>(have, bytes.size() - offset);
                extent = FindBlockEnd(bytes.constData() + offset, available, offset, limit, lineEnd, maxLine,
                                      offset + available == bytes.size());
            }
            QVERIFY(extent.End > 0);
            QCOMPARE(extent.Lines, EndedLines(SplitBlockLines(bytes.mid(int(offset), int(extent.End)), offset,
                                                              lineEnd, maxLine),
                                              lineEnd, offset + extent.End == bytes.size()));
            offset += extent.End;
            found << offset;
        }
        QVERIFY2(found == expected, qPrintable(QStringLiteral("round %1").arg(round)));
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
    QTest::newRow("utf32 le bom") << Utf32Bytes(text, false) << Utf32LeWithBom;
}

// Every block decodes alone, without a conversion state, to its own lines.
void TestViewerBlocks::unicodeBlocksDecode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TEnumTextEncoding, encoding);
    const CForwardRead read = ReadForward(bytes, 40, encoding);
    QVERIFY(read.Blocks.size() > 10);
    QString joined;
    for (const QByteArray &block : read.Blocks) {
        const QString text = DecodeBytes(block, encoding, 0, QTextCodec::codecForLocale());
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
    QTest::newRow("utf32 le bom") << Utf32Bytes(QChar(0xFEFF) + text, false) << Utf32LeWithBom << 4
                                  << "UTF-32LE";
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
    QCOMPARE(DecodeBytes(bytes, encoding, skip, QTextCodec::codecForLocale()), expected);
    QCOMPARE(CharsetEntryForEncoding(encoding, QTextCodec::codecForLocale()), entry);
}

void TestViewerBlocks::missingCodecsFallBackToLocal()
{
    const QByteArray bytes = QString::fromUtf8("Größe").toLocal8Bit();
    QCOMPARE(DecodeBytes(bytes, TEnumTextEncoding(42), 0, QTextCodec::codecForLocale()),
             QString::fromUtf8("Größe"));
    QVERIFY(!QTextCodec::codecForMib(-4242));
    QCOMPARE(DecodeBytesWithMib(bytes, -4242, QTextCodec::codecForLocale()), QString::fromUtf8("Größe"));
    QCOMPARE(DecodeBytesWithMib(QByteArray("\xC4\xE3", 2), 114, nullptr), QString::fromUtf8("你"));
}

QTEST_GUILESS_MAIN(TestViewerBlocks)
#include "tst_viewerblocks.moc"
