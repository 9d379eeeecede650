// The search's widget-free core: keyword parsing, matching, reading one file,
// candidate selection and the directory walk, on real temporary trees.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include "platform/filesystem.h"
#include "search/core/directorywalk.h"
#include "search/core/folderlistingcache.h"
#include "search/core/keywordmatcher.h"
#include "search/core/keywordprefilter.h"
#include "search/core/keywordquery.h"
#include "search/core/matchinglines.h"
#include "search/core/matchinglinesmodel.h"
#include "search/core/plaintextfilters.h"
#include "search/core/resultsmodel.h"
#include "search/core/resultsorder.h"
#include "search/core/textfilescan.h"
#include "search/core/treesearch.h"
#include "testsupport.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Asked whether to stop, it never says so.
CScanReport NoStop;

bool FullTextMatches(const QString &keywords, bool wholeWord, bool wordSeparated, const QString &line)
{
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(CKeywordQuery(keywords, wholeWord, wordSeparated));
    return matcher.Feed(line);
}

TEnumFileScanResult ScanBytes(const QByteArray &bytes, const QString &keywords, QTextCodec *codec = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(CKeywordQuery(keywords, false, true));
    return ScanTextLines(
        buffer, [&matcher](const QString &line) { return matcher.Feed(line); }, NoStop, codec);
}

// The text alone: the UTF-16 and UTF-32 codecs would put a byte-order mark first.
QByteArray Encoded(const char *codecName, const QString &text)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return QTextCodec::codecForName(codecName)->fromUnicode(text.constData(), text.size(), &state);
}

bool MakeLink(const QString &target, const QString &link)
{
    return QFile::link(target, link);
}

QSet<QString> ToSet(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

} // namespace

Q_DECLARE_METATYPE(TEnumFileScanResult)

class TestSearchCore : public QObject
{
    Q_OBJECT

private slots:
    void countAndParseKeywords_data();
    void countAndParseKeywords();
    void fullTextMatchRules_data();
    void fullTextMatchRules();
    void fileNameMatchIsCaseInsensitiveSubstring_data();
    void fileNameMatchIsCaseInsensitiveSubstring();
    void severalKeywordsOnDifferentLines();
    void wholeWordSwitchKeepsKeywordsFound();
    void longLinesAreReadInPieces();
    void matchingLinesAsGrepNumbersThem_data();
    void matchingLinesAsGrepNumbersThem();
    void encodings_data();
    void encodings();
    void cancelIsPolledBeforeEveryLine();
    void unreadableFileIsReported();
    void plainTextPatternsMatchWholeNamesCaseInsensitively();
    void sortedResultsTakeArrivingRows();
    void hiddenFilesAndLinksAreNeverCandidates();
    void walkIsDepthFirstPreOrder();
    void walkSurvivesLinkToItsOwnRoot();
    void walkFollowsOtherDirectoryLinksOnce();
    void walkStopsAtCancel();
    void fileSystemFloorReachesEveryDepth();
    void treeSearchReportsInWalkOrder_data();
    void treeSearchReportsInWalkOrder();
    void filenameSearchListsLikeQDir();
    void treeSearchStopsAtTheFileOfTheCancel();
    void treeSearchWithFewDescriptors();
    void repeatedSearchSeesTheTreeAsItIsNow_data();
    void repeatedSearchSeesTheTreeAsItIsNow();
    void resultRowsShowWhatTheFileSystemSays();
    void resultCellsClearedKeepTheirRows();
};

// --- Keyword parsing ----------------------------------------------------------

void TestSearchCore::countAndParseKeywords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QStringList>("folded");

    QTest::newRow("one word") << "alpha" << 1 << QStringList{"alpha"} << QStringList{"alpha"};
    QTest::newRow("exact duplicates counted, kept once")
        << "alpha beta alpha" << 3 << QStringList{"alpha", "beta"} << QStringList{"alpha", "beta"};
    QTest::newRow("case duplicates: two keywords, one pattern")
        << "Foo foo" << 2 << QStringList{"Foo", "foo"} << QStringList{"foo"};
    QTest::newRow("non-ASCII case") << QString::fromUtf8("ÄRGER ärger") << 2
                                    << QStringList{QString::fromUtf8("ÄRGER"), QString::fromUtf8("ärger")}
                                    << QStringList{QString::fromUtf8("ärger")};
    QTest::newRow("final sigma folds with sigma")
        << QString::fromUtf8("ΛΟΓΟΣ λογος") << 2
        << QStringList{QString::fromUtf8("ΛΟΓΟΣ"), QString::fromUtf8("λογος")}
        << QStringList{QString::fromUtf8("λογοσ")};
    QTest::newRow("dotted capital I keeps its length")
        << QString::fromUtf8("İstanbul") << 1 << QStringList{QString::fromUtf8("İstanbul")}
        << QStringList{QString::fromUtf8("İstanbul")};
    QTest::newRow("punctuation kept") << "a.b c++ (x) [y]" << 4 << QStringList{"a.b", "c++", "(x)", "[y]"}
                                      << QStringList{"a.b", "c++", "(x)", "[y]"};
    QTest::newRow("backslash, dollar, caret, braces, bar")
        << "a\\b $x ^{|}" << 3 << QStringList{"a\\b", "$x", "^{|}"} << QStringList{"a\\b", "$x", "^{|}"};
    QTest::newRow("ideographic space separates")
        << QString::fromUtf8("中文\u3000搜索") << 2
        << QStringList{QString::fromUtf8("中文"), QString::fromUtf8("搜索")}
        << QStringList{QString::fromUtf8("中文"), QString::fromUtf8("搜索")};
    QTest::newRow("empty") << "" << 0 << QStringList() << QStringList();
}

void TestSearchCore::countAndParseKeywords()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QStringList, keywords);
    QFETCH(QStringList, folded);

    QCOMPARE(CountKeywords(text), count);
    // Surrounding and inner white space of any kind changes nothing.
    QCOMPARE(
        CountKeywords(QStringLiteral(" \t") + QString(text).replace(' ', "\t \n ") + QStringLiteral("\r\n")),
        count);
    const CKeywordQuery query(text, false, true);
    QCOMPARE(query.Keywords(), keywords);
    QCOMPARE(query.FoldedKeywords(), folded);
}

// --- Matching -----------------------------------------------------------------

void TestSearchCore::fullTextMatchRules_data()
{
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("wordSeparated");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("found");

    QTest::newRow("whole word, alone") << "alpha" << true << true << "an alpha, here" << true;
    QTest::newRow("whole word, inside a word") << "alpha" << true << true << "the alphabet" << false;
    QTest::newRow("whole word, at line ends") << "alpha" << true << true << "alpha" << true;
    QTest::newRow("whole word, underscore is a word character")
        << "foo" << true << true << "foo_bar" << false;
    QTest::newRow("whole word, digits are word characters")
        << "2010" << true << true << "report2010" << false;
    QTest::newRow("whole word, case-insensitive") << "Alpha" << true << true << "ALPHA beta" << true;
    QTest::newRow("whole word, non-ASCII letters")
        << QString::fromUtf8("grüße") << true << true << QString::fromUtf8("viele GRÜßE!") << true;
    QTest::newRow("whole word, non-ASCII inside a word")
        << QString::fromUtf8("grüße") << true << true << QString::fromUtf8("grüßen") << false;
    QTest::newRow("whole word, letter outside the basic plane before")
        << "quokka" << true << true << QString::fromUtf8("𝐀quokka") << false;
    QTest::newRow("whole word, ideograph outside the basic plane after")
        << "quokka" << true << true << QString::fromUtf8("quokka𠀀") << false;
    QTest::newRow("substring, inside a word") << "alpha" << false << true << "the alphabet" << true;
    QTest::newRow("language without blanks ignores whole word")
        << "alpha" << true << false << "the alphabet" << true;
    QTest::newRow("c++ whole word, blank after") << "c++" << true << true << "use c++ now" << true;
    QTest::newRow("c++ whole word, at line end") << "c++" << true << true << "I like c++" << true;
    QTest::newRow("c++ whole word, word character after") << "c++" << true << true << "c++x" << false;
    QTest::newRow("c++ whole word, digits after") << "c++" << true << true << "c++11" << false;
    QTest::newRow("c++ whole word, letter before") << "c++" << true << true << "abc++ d" << false;
    QTest::newRow("c++11 whole word is not c++") << "c++11" << true << true << "use c++ now" << false;
    QTest::newRow("(x whole word, blank before") << "(x" << true << true << "open (x here" << true;
    QTest::newRow("(x whole word, letter before") << "(x" << true << true << "open a(x here" << false;
    QTest::newRow("(x whole word, letter after") << "(x" << true << true << "open (xy here" << false;
    QTest::newRow("dotted capital I finds itself")
        << QString::fromUtf8("İstanbul") << true << true << QString::fromUtf8("in İstanbul today") << true;
    QTest::newRow("dotted capital I, substring")
        << QString::fromUtf8("İstanbul") << false << true << QString::fromUtf8("İSTANBUL") << true;
    QTest::newRow("dotted capital I is no i")
        << QString::fromUtf8("İstanbul") << false << true << QString::fromUtf8("istanbul") << false;
    QTest::newRow("capital sigma finds final sigma")
        << QString::fromUtf8("ΛΟΓΟΣ") << true << true << QString::fromUtf8("ο λογος εστι") << true;
    QTest::newRow("final sigma finds capital sigma")
        << QString::fromUtf8("λογος") << false << true << QString::fromUtf8("ΛΟΓΟΣ") << true;
    QTest::newRow("long s folds to s") << "kiss" << false << true << QString::fromUtf8("KIſS") << true;
    QTest::newRow("kelvin sign folds to k") << "kiss" << true << true << QString::fromUtf8("a Kiss") << true;
    QTest::newRow("letters new since Qt's tables fold")
        << QString::fromUtf8("Ⱟ Ꟁ") << false << true << QString::fromUtf8("ⱟ ꟁ") << true;
    QTest::newRow("letters new since Qt's tables are word characters")
        << "quokka" << true << true << QString::fromUtf8("ⱟquokka") << false;
    QTest::newRow("Cherokee small letters fold to capitals")
        << QString::fromUtf8("ꭰ") << true << true << QString::fromUtf8("a Ꭰ b") << true;
    QTest::newRow("supplementary letters fold")
        << QString::fromUtf8("𐐀") << false << true << QString::fromUtf8("x𐐨x") << true;
    QTest::newRow("c++ substring") << "c++" << false << true << "I like c++ a lot" << true;
    QTest::newRow("c++ in a language without blanks") << "c++" << true << false << "c++ a" << true;
    QTest::newRow("dot is literal") << "a.b" << false << true << "axb" << false;
    QTest::newRow("dot found case-insensitively") << "a.b" << false << true << "x A.B y" << true;
    QTest::newRow("regexp characters are literal") << "(x)" << false << true << "f(x) = 1" << true;
    QTest::newRow("two keywords in one line") << "alpha beta" << true << true << "beta and alpha" << true;
    QTest::newRow("two keywords, one missing") << "alpha beta" << true << true << "alpha only" << false;
}

void TestSearchCore::fullTextMatchRules()
{
    QFETCH(QString, keywords);
    QFETCH(bool, wholeWord);
    QFETCH(bool, wordSeparated);
    QFETCH(QString, line);
    QFETCH(bool, found);
    QCOMPARE(FullTextMatches(keywords, wholeWord, wordSeparated, line), found);
}

void TestSearchCore::fileNameMatchIsCaseInsensitiveSubstring_data()
{
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");

    QTest::newRow("all keywords, any case") << "report 2010"
                                            << "Annual-REPORT-2010.pdf" << true;
    QTest::newRow("one keyword missing") << "report 2010"
                                         << "report-2009.txt" << false;
    QTest::newRow("literal dot anywhere") << ".txt"
                                          << "a.txt.bak" << true;
    QTest::newRow("literal dot, not any character") << ".txt"
                                                    << "atxt" << false;
    QTest::newRow("inside a word") << "port"
                                   << "report.txt" << true;
    QTest::newRow("plus signs") << "c++"
                                << "notes-C++.odt" << true;
    QTest::newRow("plus signs, word characters around") << "c++"
                                                        << "abc++11.txt" << true;
    QTest::newRow("dotted capital I finds itself")
        << QString::fromUtf8("İstanbul") << QString::fromUtf8("İstanbul-2010.jpg") << true;
    QTest::newRow("sigma folds") << QString::fromUtf8("ΛΟΓΟΣ") << QString::fromUtf8("λογος.txt") << true;
}

void TestSearchCore::fileNameMatchIsCaseInsensitiveSubstring()
{
    QFETCH(QString, keywords);
    QFETCH(QString, name);
    QFETCH(bool, found);
    // The whole-word choice plays no part for names.
    CKeywordMatcher matcher = CKeywordMatcher::ForFileNames(CKeywordQuery(keywords, true, true));
    QCOMPARE(matcher.Feed(name), found);
    // A file name is tested alone: a new name starts from nothing.
    matcher.Reset();
    QCOMPARE(matcher.Feed(QStringLiteral("unrelated")), false);
}

void TestSearchCore::severalKeywordsOnDifferentLines()
{
    const QByteArray far = "alpha\n2\n3\n4\n5\n6\n7\n8\nthe beta line\n";
    QCOMPARE(ScanBytes(far, "alpha beta"), FileScanMatched);
    QCOMPARE(ScanBytes("alpha\nalphabet\n", "alpha beta"), FileScanNotMatched);
    QCOMPARE(ScanBytes("only the last line has it\nalpha", "alpha"), FileScanMatched);
    QCOMPARE(ScanBytes("", "alpha"), FileScanNotMatched);

    // Each file starts over: beta in the second file does not complete the first.
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(CKeywordQuery("alpha beta", true, true));
    QVERIFY(!matcher.Feed(QStringLiteral("alpha")));
    matcher.Reset();
    QVERIFY(!matcher.Feed(QStringLiteral("beta")));
}

void TestSearchCore::wholeWordSwitchKeepsKeywordsFound()
{
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(CKeywordQuery("alpha beta", true, true));
    QVERIFY(!matcher.Feed(QStringLiteral("alpha betamax")));
    matcher.SetMatchWholeWord(false);
    QVERIFY(matcher.Feed(QStringLiteral("betamax")));
    matcher.Reset();
    matcher.SetMatchWholeWord(true);
    QVERIFY(!matcher.Feed(QStringLiteral("alphabet betamax")));
}

// --- Reading one file ------------------------------------------------------------

void TestSearchCore::longLinesAreReadInPieces()
{
    QCOMPARE(MaxLineLength, 25600);
    // "alpha" starts 2 characters before the first cut and ends after it.
    QByteArray line(60000, 'x');
    line.replace(25598, 5, "alpha");
    line.replace(30000, 4, "beta");

    QBuffer buffer(&line);
    buffer.open(QIODevice::ReadOnly);
    QList<int> pieces;
    const auto record = [&pieces](const QString &piece) {
        pieces << piece.size();
        return false;
    };
    QCOMPARE(ScanTextLines(buffer, record, NoStop), FileScanNotMatched);
    QCOMPARE(pieces, (QList<int>{25600, 25600, 8800}));

    QCOMPARE(ScanBytes(line, "alpha"), FileScanMatched);
    QCOMPARE(ScanBytes(line, "beta"), FileScanMatched);
    QCOMPARE(ScanBytes(line + "\nalpha\n", "alpha"), FileScanMatched);

    // A file whose start the page cache holds only in part: the rest is read too.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    QVERIFY(WriteTestFile(path, line + "\ngamma\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(fdatasync(file.handle()), 0);
    QCOMPARE(posix_fadvise(file.handle(), 4096, 0, POSIX_FADV_DONTNEED), 0);
    const CKeywordQuery query(QStringLiteral("gamma"), false, true);
    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(query);
    CKeywordPreFilter preFilter(query, CUnmarkedTextCharset(nullptr, QString()));
    const auto feed = [&matcher](const QString &piece) { return matcher.Feed(piece); };
    QCOMPARE(ScanTextFile(path, preFilter, feed, NoStop, CUnmarkedTextCharset(nullptr, QString())),
             FileScanMatched);
}

// Numbers as grep -n gives them, whatever the line ends and the blocks.
void TestSearchCore::matchingLinesAsGrepNumbersThem_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<int>("byteLimit");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<qint64>("more");
    QTest::addColumn<QString>("firstText");
    QTest::newRow("LF") << QByteArray("a\nfoo x\nb\nFOO") << "foo" << 1000 << "2 4" << qint64(0) << "foo x";
    QTest::newRow("CRLF") << QByteArray("a\r\nfoo\tx\r\nb\r\nFOO\r\n") << "foo" << 1000 << "2 4" << qint64(0)
                          << "foo x";
    QTest::newRow("CR alone ends no line")
        << QByteArray("a\rfoo\rb\n\nbar") << "foo bar" << 1000 << "1 3" << qint64(0) << "a foo b";
    QTest::newRow("across blocks of 8 bytes")
        << QByteArray("x\nfoo\nyy\nzzzz\nqq foo\nrrrrrrrrrrrr\nfoo foo\n") << "foo" << 8 << "2 5 7"
        << qint64(0) << "foo";
    QTest::newRow("whole words only")
        << QByteArray("food\nfoo.\n") << "+foo" << 1000 << "2" << qint64(0) << "foo.";
    QByteArray many;
    for (int line = 0; line < 105; ++line)
        many += "foo\n";
    QString hundred;
    for (int line = 1; line <= 100; ++line)
        hundred += QString::number(line) + (line < 100 ? " " : "");
    QTest::newRow("100 lines, then a count") << many << "foo" << 64 << hundred << qint64(5) << "foo";
    QTest::newRow("long lead cut") << QByteArray(60, 'x') + " foo"
                                   << "foo" << 1000 << "1" << qint64(0) << "…" + QString(23, 'x') + " foo";
}

void TestSearchCore::matchingLinesAsGrepNumbersThem()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, keywords);
    QFETCH(int, byteLimit);
    QFETCH(QString, numbers);
    QFETCH(qint64, more);
    QFETCH(QString, firstText);
    const bool whole = keywords.startsWith('+');
    const CKeywordQuery query(keywords.mid(whole ? 1 : 0), whole, true);
    QBuffer file(&bytes);
    QVERIFY(file.open(QIODevice::ReadOnly));
    int batches = 0;
    const CMatchingLines found =
        CMatchingLineFinder(query, CUnmarkedTextCharset(), 100, byteLimit)
            .Find(&file, nullptr, [&batches](const CMatchingLineList &) { ++batches; });
    QStringList listed;
    for (const CMatchingLine &line : found.Lines)
        listed << QString::number(line.Number);
    QCOMPARE(listed.join(' '), numbers);
    QCOMPARE(found.More, more);
    QCOMPARE(found.Lines.first().Text, firstText);
    const CHighlightRange keyword = found.Lines.first().Keywords.first();
    QCOMPARE(found.Lines.first().Text.mid(keyword.Start, keyword.Length).toLower(),
             query.FoldedKeywords().first());
    // Lines are told block by block, not all at the end.
    QVERIFY(batches >= (byteLimit < 1000 ? 2 : 1));
}

void TestSearchCore::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("localCodec");
    QTest::addColumn<QString>("locale"); // whose legacy charset reads text that is no UTF-8
    QTest::addColumn<TEnumFileScanResult>("result");
    // Where the file is not on the plain-text list: judged by its content.
    QTest::addColumn<TEnumFileScanResult>("byContent");

    const QString text = QString::fromUtf8("first line\nein Grüße-Test 中文 here\n");
    const QByteArray utf16leBom("\xFF\xFE", 2);
    const QByteArray utf16beBom("\xFE\xFF", 2);
    const QByteArray utf8Bom("\xEF\xBB\xBF");
    const QByteArray utf32leBom("\xFF\xFE\x00\x00", 4);

    QTest::newRow("utf16 le bom, local codec") << utf16leBom + Encoded("UTF-16LE", text) << QByteArray()
                                               << QString() << FileScanMatched << FileScanMatched;
    QTest::newRow("utf16 be bom, latin1 codec")
        << utf16beBom + Encoded("UTF-16BE", text) << QByteArray("ISO-8859-1") << QString() << FileScanMatched
        << FileScanMatched;
    QTest::newRow("utf32 le bom, latin1 codec")
        << utf32leBom + Encoded("UTF-32LE", text) << QByteArray("ISO-8859-1") << QString() << FileScanMatched
        << FileScanMatched;
    QTest::newRow("utf8 bom, latin1 codec") << utf8Bom + Encoded("UTF-8", text) << QByteArray("ISO-8859-1")
                                            << QString() << FileScanMatched << FileScanMatched;
    QTest::newRow("utf16 le nobom, local codec") << Encoded("UTF-16LE", text) << QByteArray() << QString()
                                                 << FileScanNotMatched << FileScanNotPlainText;
    QTest::newRow("utf16 be nobom, local codec") << Encoded("UTF-16BE", text) << QByteArray() << QString()
                                                 << FileScanNotMatched << FileScanNotPlainText;
    QTest::newRow("utf8 nobom, latin1 codec") << Encoded("UTF-8", text) << QByteArray("ISO-8859-1")
                                              << QString() << FileScanNotMatched << FileScanNotMatched;
    QTest::newRow("utf8 nobom, utf8 codec")
        << Encoded("UTF-8", text) << QByteArray("UTF-8") << QString() << FileScanMatched << FileScanMatched;
    QTest::newRow("utf8 nobom, utf8 codec, chinese")
        << Encoded("UTF-8", text) << QByteArray("UTF-8") << QString("zh_CN") << FileScanMatched
        << FileScanMatched;
    QTest::newRow("gb18030 nobom, utf8 codec, chinese")
        << Encoded("GB18030", text) << QByteArray("UTF-8") << QString("zh_CN") << FileScanMatched
        << FileScanMatched;
    QTest::newRow("gb18030 nobom, utf8 codec, no charset")
        << Encoded("GB18030", text) << QByteArray("UTF-8") << QString("pt_BR") << FileScanNotMatched
        << FileScanNotMatched;
    const QByteArray nul(1, '\0');
    QTest::newRow("nul byte at 51,199")
        << QByteArray(51199, 'x') + nul + Encoded("UTF-8", text) << QByteArray("UTF-8") << QString()
        << FileScanMatched << FileScanNotPlainText;
    QTest::newRow("nul byte at 51,200")
        << QByteArray(51200, 'x') + nul + Encoded("UTF-8", text) << QByteArray("UTF-8") << QString()
        << FileScanMatched << FileScanMatched;
}

void TestSearchCore::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, localCodec);
    QFETCH(QString, locale);
    QFETCH(TEnumFileScanResult, result);
    QFETCH(TEnumFileScanResult, byContent);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.txt"));
    QVERIFY(WriteTestFile(path, bytes));
    QTextCodec *codec = localCodec.isEmpty() ? nullptr : QTextCodec::codecForName(localCodec);
    const CUnmarkedTextCharset charset(codec, locale);
    // The rows of a NUL byte after filler, also with an ASCII keyword, which
    // the pre-filter's reads judge rather than a read of their own.
    QList<const char *> keywords{"中文", "grüße"};
    if (QByteArray(QTest::currentDataTag()).startsWith("nul byte"))
        keywords << "here";
    for (const char *keyword : keywords) {
        const CKeywordQuery query(QString::fromUtf8(keyword), true, true);
        CKeywordMatcher matcher = CKeywordMatcher::ForFullText(query);
        const auto feed = [&matcher](const QString &line) { return matcher.Feed(line); };
        if (locale.isEmpty())
            QCOMPARE(ScanTextFile(path, feed, NoStop, codec), result);
        // As the tree search reads it.
        matcher.Reset();
        CKeywordPreFilter preFilter(query, charset);
        QCOMPARE(ScanTextFile(path, preFilter, feed, NoStop, charset), result);
        matcher.Reset();
        QCOMPARE(ScanTextFile(CScanDirectory(QDir(dir.path())), QByteArray("text.txt"), preFilter, feed,
                              NoStop, charset, MaxLineLength, nullptr, true),
                 byContent);
    }
}

void TestSearchCore::cancelIsPolledBeforeEveryLine()
{
    QByteArray bytes = "1\n2\n3\n4\nalpha\n";
    int polls = 0;
    QStringList seen;
    const auto record = [&seen](const QString &line) {
        seen << line;
        return line == QLatin1String("alpha");
    };
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CCancelQuery third([&polls] { return ++polls == 3; });
    QCOMPARE(ScanTextLines(buffer, record, third), FileScanCancelled);
    QCOMPARE(seen, (QStringList{"1", "2"}));

    // An empty file is never polled.
    QByteArray empty;
    QBuffer emptyBuffer(&empty);
    emptyBuffer.open(QIODevice::ReadOnly);
    polls = 0;
    CCancelQuery first([&polls] { return ++polls > 0; });
    QCOMPARE(ScanTextLines(emptyBuffer, record, first), FileScanNotMatched);
    QCOMPARE(polls, 0);
}

void TestSearchCore::unreadableFileIsReported()
{
    QTemporaryDir dir;
    const auto never = [](const QString &) { return true; };
    QCOMPARE(ScanTextFile(dir.filePath(QStringLiteral("vanished.txt")), never, NoStop), FileScanUnreadable);
    QCOMPARE(ScanTextFile(dir.path(), never, NoStop), FileScanUnreadable);
}

// --- Candidates and walk -----------------------------------------------------------

void TestSearchCore::plainTextPatternsMatchWholeNamesCaseInsensitively()
{
    const QStringList patterns = PlainTextFilePatterns();
    // The first versions' 89 first, in their order, then today's types and names.
    QCOMPARE(ToSet(patterns).size(), patterns.size());
    QCOMPARE(patterns.first(), QStringLiteral("*.txt"));
    QCOMPARE(patterns.at(36), QStringLiteral("*.c++"));
    QCOMPARE(patterns.at(88), QStringLiteral("*.rh"));
    for (const char *added : {"*.md", "*.json", "*.rs", "*.dockerfile", "README", "Makefile", "Procfile"})
        QVERIFY2(patterns.contains(QString::fromLatin1(added)), added);

    QTemporaryDir dir;
    QStringList expected;
    for (const QString &pattern : patterns) {
        // "*.md" gives UP.MD and low.md; "Makefile" gives MAKEFILE and makefile.
        const bool extension = pattern.startsWith(QLatin1String("*."));
        const QString up = extension ? QStringLiteral("UP") + pattern.mid(1).toUpper() : pattern.toUpper();
        const QString low = extension ? QStringLiteral("low") + pattern.mid(1) : pattern.toLower();
        for (const QString &name : {up, low}) {
            QVERIFY(WriteTestFile(dir.filePath(name), "x"));
            expected << name;
        }
    }
    for (const char *other : {"README.bak", "Makefile~", "notes.doc", "data.bin", "a.txt.bak", "a.txtx",
                              "txt", "a.cpp~", "a_txt"})
        QVERIFY(WriteTestFile(dir.filePath(QString::fromLatin1(other)), "x"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));

    const QStringList fullText =
        CandidateFileNames(QDir(dir.path()), CandidateNameFilters(SearchWhatFullText, patterns));
    QCOMPARE(ToSet(fullText), ToSet(expected));
    const QStringList filename =
        CandidateFileNames(QDir(dir.path()), CandidateNameFilters(SearchWhatFilename, patterns));
    QCOMPARE(filename.size(), expected.size() + 9);
    QVERIFY(CandidateNameFilters(TEnumSearchWhat(2), patterns).isEmpty());
}

// Sizes sort as numbers (text order would put 10 KB before 9 KB), rows that
// arrive while sorted take their places, and a new search shows the walk's order.
void TestSearchCore::sortedResultsTakeArrivingRows()
{
    QTemporaryDir dir;
    QStringList paths;
    for (int kilobytes : {10, 2, 9, 1, 30}) {
        paths << dir.filePath(QStringLiteral("f%1").arg(kilobytes));
        QVERIFY(WriteTestFile(paths.last(), QByteArray(kilobytes * 1024, 'x')));
    }
    CResultsModel results(false);
    CResultsOrder order(&results);
    const auto shown = [&order] {
        QStringList column;
        for (int row = 0; row < order.rowCount(); ++row)
            column << order.index(row, 1).data().toString();
        return column.join(QLatin1Char(' '));
    };
    // Lines unfolded under a row stay under it.
    CMatchingLinesModel lines(&order);
    lines.SetFoldable(true);
    QSignalSpy wanted(&lines, &CMatchingLinesModel::LinesWanted);
    const auto withLines = [&lines] {
        QStringList column;
        for (int row = 0; row < lines.rowCount(); ++row)
            column << (lines.Line(row)
                           ? "L" + QString::number(lines.Line(row)->Number)
                           : lines.index(row, lines.RowKind(row) == lines.FileRowKind).data().toString());
        return column.join(QLatin1Char(' '));
    };
    results.AppendRows(paths.mid(0, 2));
    lines.SetUnfolded(0, true);
    CMatchingLine line;
    line.Number = 7;
    lines.AddLines(wanted.value(0).value(0).toULongLong(), {line});
    lines.FinishLines(wanted.value(0).value(0).toULongLong(), 5);
    order.sort(1, Qt::AscendingOrder);
    results.AppendRows(paths.mid(2));
    QCOMPARE(shown(), QStringLiteral("1 2 9 10 30"));
    QCOMPARE(withLines(), QStringLiteral("1 2 9 10 L7 and 5 more 30"));
    order.sort(1, Qt::DescendingOrder);
    QCOMPARE(shown(), QStringLiteral("30 10 9 2 1"));
    QCOMPARE(withLines(), QStringLiteral("30 10 L7 and 5 more 9 2 1"));
    QCOMPARE(lines.FileRow(3), 1);
    order.sort(0, Qt::AscendingOrder);
    QCOMPARE(order.index(0, 0).data().toString(), dir.filePath("f1"));
    order.sort(-1);
    QCOMPARE(shown(), QStringLiteral("10 2 9 1 30"));
    order.sort(2, Qt::AscendingOrder);
    results.RemoveAllRows();
    results.AppendRows(paths.mid(0, 3));
    QCOMPARE(order.SortColumn(), -1);
    QCOMPARE(shown(), QStringLiteral("10 2 9"));
}

void TestSearchCore::hiddenFilesAndLinksAreNeverCandidates()
{
    QTemporaryDir outside;
    QVERIFY(WriteTestFile(outside.filePath(QStringLiteral("target.txt")), "x"));
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(WriteTestFile(root.filePath(QStringLiteral("plain.txt")), "x"));
    QVERIFY(WriteTestFile(root.filePath(QStringLiteral(".hidden.txt")), "x"));
    QVERIFY(WriteTestFile(root.filePath(QStringLiteral(".hidden/inner.txt")), "x"));
    QVERIFY(root.mkdir(QStringLiteral("sub")));
    QVERIFY(
        MakeLink(outside.filePath(QStringLiteral("target.txt")), root.filePath(QStringLiteral("link.txt"))));
    QVERIFY(MakeLink(root.filePath(QStringLiteral("plain.txt")),
                     root.filePath(QStringLiteral("inside-link.txt"))));
    QVERIFY(MakeLink(root.filePath(QStringLiteral("missing.txt")),
                     root.filePath(QStringLiteral("dangling.txt"))));
    QVERIFY(MakeLink(outside.path(), root.filePath(QStringLiteral("dirlink"))));

    for (TEnumSearchWhat what : {SearchWhatFilename, SearchWhatFullText})
        QCOMPARE(CandidateFileNames(root, CandidateNameFilters(what, PlainTextFilePatterns())),
                 QStringList{"plain.txt"});
    QCOMPARE(ToSet(SubDirectoryNames(root)), (QSet<QString>{"sub", "dirlink"}));
}

namespace {

// Records each directory scanned and reports every candidate as a match.
struct CRecordingScan
{
    QStringList Scanned;
    QStringList operator()(const QDir &dir, const QStringList &names)
    {
        Scanned << dir.absolutePath();
        QStringList paths;
        for (const QString &name : names)
            paths << dir.absoluteFilePath(name);
        return paths;
    }
};

// Every file of each directory the walk hands out, in walk order.
QStringList WalkWith(const QString &root,
                     const std::function<QStringList(const QDir &, const QStringList &)> &scan,
                     CScanReport &report)
{
    CDirectoryWalk walk(QStringList("*"), QDir(root), report);
    QDir dir;
    QStringList names;
    QStringList result;
    while (walk.Next(dir, names))
        result += scan(dir, names);
    return result;
}

QStringList WalkEveryFile(const QString &root, CRecordingScan &scan)
{
    return WalkWith(root, std::ref(scan), NoStop);
}

} // namespace

void TestSearchCore::walkIsDepthFirstPreOrder()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(WriteTestFile(root + "/a/a1.txt", "x"));
    QVERIFY(WriteTestFile(root + "/a/deep/d1.txt", "x"));
    QVERIFY(WriteTestFile(root + "/b/b1.txt", "x"));
    QVERIFY(WriteTestFile(root + "/r1.txt", "x"));
    QVERIFY(QDir(root).mkpath(QStringLiteral("empty/emptier")));

    CRecordingScan scan;
    const QStringList result = WalkEveryFile(root, scan);
    QCOMPARE(result.size(), 4);
    QCOMPARE(result.first(), root + "/r1.txt");
    QVERIFY(result.indexOf(root + "/a/a1.txt") + 1 == result.indexOf(root + "/a/deep/d1.txt"));
    // Directories without candidates are not handed to the scan.
    QCOMPARE(scan.Scanned.size(), 4);

    QTemporaryDir emptyTree;
    QVERIFY(QDir(emptyTree.path()).mkpath(QStringLiteral("x/y")));
    CRecordingScan none;
    QVERIFY(WalkEveryFile(emptyTree.path(), none).isEmpty());
    QVERIFY(none.Scanned.isEmpty());
}

void TestSearchCore::walkSurvivesLinkToItsOwnRoot()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(WriteTestFile(root + "/top.txt", "x"));
    QVERIFY(WriteTestFile(root + "/sub/inner.txt", "x"));
    QVERIFY(MakeLink(root, root + "/sub/loop"));
    QVERIFY(MakeLink(root + "/sub", root + "/sub/self"));

    CRecordingScan scan;
    const QStringList result = WalkEveryFile(root, scan);
    QCOMPARE(ToSet(result), (QSet<QString>{root + "/top.txt", root + "/sub/inner.txt"}));
    QCOMPARE(result.size(), 2);
}

// The floor below the walk and the viewer: a folder's identity is the same
// by any path, a file below the path limit is opened and seen by its path,
// and proc is told from a disk.
void TestSearchCore::fileSystemFloorReachesEveryDepth()
{
    QTemporaryDir dir;
    QVERIFY(MakeLink(dir.path(), dir.filePath(QStringLiteral("again"))));
    CFileStatus direct;
    CFileStatus linked;
    QVERIFY(StatusAt(WorkingFolder, QFile::encodeName(dir.path()).constData(), true, direct));
    QVERIFY(StatusAt(WorkingFolder, QFile::encodeName(dir.filePath("again")).constData(), true, linked));
    QVERIFY(direct.Identity == linked.Identity && direct.Type == FileTypeFolder);

    QByteArray path = QFile::encodeName(dir.path());
    int folder = OpenFolderAt(WorkingFolder, path.constData(), true);
    const QByteArray name(200, 'n');
    for (int level = 0; level < 30; ++level, path += '/' + name) {
        QVERIFY(mkdirat(folder, name.constData(), 0700) == 0);
        const int next = OpenFolderAt(folder, name.constData(), false);
        CloseDescriptor(folder);
        folder = next;
    }
    const int created = openat(folder, "deep.txt", O_WRONLY | O_CREAT, 0600);
    QVERIFY(created >= 0 && write(created, "deep", 4) == 4);
    CloseDescriptor(created);
    CloseDescriptor(folder);
    path += "/deep.txt";
    QVERIFY(path.size() > 4096 && PathExists(path) && !PathExists(path + "x"));
    const int file = OpenFileByPath(path);
    char read[8] = {};
    QCOMPARE(ReadSome(file, read, sizeof read), qint64(4));
    QCOMPARE(QByteArray(read), QByteArray("deep"));
    CloseDescriptor(file);

    const int proc = OpenFolderAt(WorkingFolder, "/proc/self", true);
    const int disk = OpenFolderAt(WorkingFolder, QFile::encodeName(dir.path()).constData(), true);
    QVERIFY(IsOnPseudoFileSystem(proc) && !IsOnPseudoFileSystem(disk));
    CloseDescriptor(proc);
    CloseDescriptor(disk);
}

void TestSearchCore::walkFollowsOtherDirectoryLinksOnce()
{
    QTemporaryDir outside;
    QVERIFY(WriteTestFile(outside.filePath(QStringLiteral("far.txt")), "x"));
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(WriteTestFile(root + "/a/a1.txt", "x"));
    QVERIFY(QDir(root).mkdir(QStringLiteral("b")));
    QVERIFY(MakeLink(root + "/a", root + "/b/also-a"));
    QVERIFY(MakeLink(outside.path(), root + "/far"));
    QVERIFY(MakeLink(outside.path(), root + "/b/far-again"));

    CRecordingScan scan;
    const QStringList result = WalkEveryFile(root, scan);
    QCOMPARE(result.size(), 2);
    QCOMPARE(result.filter(QStringLiteral("/a1.txt")).size(), 1);
    QCOMPARE(result.filter(QStringLiteral("/far.txt")).size(), 1);
}

void TestSearchCore::walkStopsAtCancel()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(WriteTestFile(root + "/r1.txt", "x"));
    QVERIFY(WriteTestFile(root + "/a/a1.txt", "x"));
    QVERIFY(WriteTestFile(root + "/a/b/b1.txt", "x"));

    bool cancelled = false;
    QStringList scanned;
    const auto scan = [&](const QDir &d, const QStringList &names) {
        scanned << d.absolutePath();
        // Cancel while the second directory is scanned; its matches still count.
        cancelled = scanned.size() == 2;
        return QStringList{d.absoluteFilePath(names.first())};
    };
    CCancelQuery cancel([&] { return cancelled; });
    const QStringList result = WalkWith(root, scan, cancel);
    QCOMPARE(result, (QStringList{root + "/r1.txt", root + "/a/a1.txt"}));
    QCOMPARE(scanned.size(), 2);

    CRecordingScan none;
    CCancelQuery always([] { return true; });
    QVERIFY(WalkWith(root, std::ref(none), always).isEmpty());
    QVERIFY(none.Scanned.isEmpty());
}

// --- Tree search ----------------------------------------------------------------

namespace {

// Records what a tree search reports, as the window would see it; stops
// when asked to at a file number (counted from 1).
class CRecordingReport : public CScanReport
{
public:
    bool Cancelled() override { return StopAtFile > 0 && Examined >= StopAtFile; }
    void DirectoryReached(const QDir &, int candidates) override { Total += candidates; }
    void FileExamined() override { ++Examined; }
    void Found(const QStringList &paths) override
    {
        Rows += paths;
        ++Directories;
    }

    int StopAtFile = 0;
    int Total = 0;
    int Examined = 0;
    int Directories = 0;
    QStringList Rows;
};

// 12 directories of 25 files, one in three with the keyword on its last line,
// some in UTF-16, some empty, some long.
QString WriteSearchTree(const QString &root)
{
    for (int d = 0; d < 12; ++d) {
        const QString folder =
            root + QString("/d%1").arg(d) + (d % 3 ? QString("/deeper%1").arg(d) : QString());
        for (int f = 0; f < 25; ++f) {
            const int n = d * 25 + f;
            QByteArray text = QByteArray("filler line\n").repeated(n % 7 == 0 ? 3000 : 3);
            if (n % 3 == 0)
                text += "the Alpha line\n";
            if (n % 11 == 0)
                text = Utf16Bytes(QString(QChar(0xFEFF)) + QString::fromLatin1(text), false);
            if (n % 13 == 0)
                text.clear();
            WriteTestFile(folder + QString("/f%1.txt").arg(f), text);
        }
    }
    return root;
}

CTreeSearch::CSettings FullTextSettings(const CKeywordQuery &query, int threads, int lookAhead)
{
    CTreeSearch::CSettings settings;
    settings.What = SearchWhatFullText;
    settings.NameFilters = QStringList("*.txt");
    settings.Query = query;
    settings.Threads = threads;
    settings.LookAhead = lookAhead;
    return settings;
}

// The same search, one file after the other on this thread.
QStringList SequentialMatches(const QString &root, const CKeywordQuery &query)
{
    CDirectoryWalk walk(QStringList("*.txt"), QDir(root), NoStop);
    QDir dir;
    QStringList names;
    QStringList matches;
    while (walk.Next(dir, names)) {
        for (const QString &name : qAsConst(names)) {
            CKeywordMatcher matcher = CKeywordMatcher::ForFullText(query);
            const LineTest test = [&matcher](const QString &line) { return matcher.Feed(line); };
            if (ScanTextFile(dir.absoluteFilePath(name), test, NoStop) == FileScanMatched)
                matches << dir.absoluteFilePath(name);
        }
    }
    return matches;
}

} // namespace

void TestSearchCore::treeSearchReportsInWalkOrder_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("lookAhead");
    QTest::newRow("one worker, no look-ahead") << 1 << 0;
    QTest::newRow("four workers, look-ahead 3") << 4 << 3;
    QTest::newRow("eight workers, look-ahead 1024") << 8 << 1024;
}

void TestSearchCore::treeSearchReportsInWalkOrder()
{
    QFETCH(int, threads);
    QFETCH(int, lookAhead);
    QTemporaryDir dir;
    const QString root = WriteSearchTree(dir.path());
    for (const char *keywords : {"alpha", "alpha filler", "alpha beta"}) {
        const CKeywordQuery query(QString::fromLatin1(keywords), true, true);
        CRecordingReport report;
        const int found = CTreeSearch(FullTextSettings(query, threads, lookAhead)).Run(QDir(root), report);
        const QStringList expected = SequentialMatches(root, query);
        QCOMPARE(report.Rows, expected);
        QCOMPARE(found, expected.size());
        QCOMPARE(report.Total, 300);
        QCOMPARE(report.Examined, 300);
        QCOMPARE(report.Directories, 12);
    }
    // One file in three, less the empty ones among them.
    QCOMPARE(SequentialMatches(root, CKeywordQuery("alpha", true, true)).size(), 92);
}

// A folder's matches come in QDir's order, ties of case included, whether
// its names are all ASCII or not.
void TestSearchCore::filenameSearchListsLikeQDir()
{
    QTemporaryDir dir;
    const QStringList folders{"ascii", "mixed"};
    for (const QString &folder : folders) {
        for (const char *name : {"tb", "TA", "ta", "t_", "T.txt", "t.TXT", "tz", "Tz1", "Ta", "x"})
            QVERIFY(WriteTestFile(dir.filePath(folder + '/' + name), "x"));
    }
    QVERIFY(WriteTestFile(dir.filePath(QString::fromUtf8("mixed/T\xC3\xA9")), "x"));
    CTreeSearch::CSettings settings;
    settings.What = SearchWhatFilename;
    settings.NameFilters = QStringList("*");
    settings.Query = CKeywordQuery("t", false, true);
    CRecordingReport report;
    CTreeSearch(settings).Run(QDir(dir.path()), report);
    QStringList expected;
    for (const QString &folder : folders) {
        const QDir listed(dir.filePath(folder));
        for (const QString &name : listed.entryList(QDir::Files))
            expected << listed.filePath(name);
    }
    expected.removeAll(dir.filePath("ascii/x"));
    expected.removeAll(dir.filePath("mixed/x"));
    QCOMPARE(report.Rows, expected);
}

void TestSearchCore::treeSearchStopsAtTheFileOfTheCancel()
{
    QTemporaryDir dir;
    const QString root = WriteSearchTree(dir.path());
    const CKeywordQuery query("alpha", true, true);
    const QStringList all = SequentialMatches(root, query);
    QStringList order;
    CDirectoryWalk walk(QStringList("*.txt"), QDir(root), NoStop);
    QDir folder;
    QStringList names;
    while (walk.Next(folder, names)) {
        for (const QString &name : qAsConst(names))
            order << folder.absoluteFilePath(name);
    }
    QCOMPARE(order.size(), 300);
    for (const int stopAt : {1, 2, 26, 40, 299}) {
        CRecordingReport report;
        report.StopAtFile = stopAt;
        CTreeSearch(FullTextSettings(query, 4, 1024)).Run(QDir(root), report);
        // The files before the one of the cancel count, that one and every later one do not.
        QCOMPARE(report.Examined, stopAt);
        QCOMPARE(report.Total, (stopAt + 24) / 25 * 25);
        QStringList expected;
        for (const QString &path : all) {
            if (order.indexOf(path) < stopAt - 1)
                expected << path;
        }
        QCOMPARE(report.Rows, expected);
    }
}

// Hundreds of folders of one file each, searched with 100 descriptors for
// the whole process: the folders listed ahead must not use them all up.
void TestSearchCore::treeSearchWithFewDescriptors()
{
    QTemporaryDir dir;
    for (int d = 0; d < 400; ++d)
        QVERIFY(WriteTestFile(dir.path() + QString("/d%1/f.txt").arg(d, 3, 10, QChar('0')),
                              d % 2 ? "alpha" : "beta"));
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &before), 0);
    rlimit few = before;
    few.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &few), 0);
    CRecordingReport report;
    CTreeSearch(FullTextSettings(CKeywordQuery("alpha", true, true), 4, 1024)).Run(QDir(dir.path()), report);
    setrlimit(RLIMIT_NOFILE, &before);
    QCOMPARE(report.Rows.size(), 200);
    QCOMPARE(report.Examined, 400);
}

namespace {

// The rows of a search with their sizes and times, as the window gets them.
class CRowsReport : public CScanReport
{
public:
    void FoundFiles(const CFoundFiles &files) override
    {
        for (const CFoundFile &file : files)
            Rows << QString("%1 %2 %3").arg(QString::fromUtf8(file.Path)).arg(file.Size).arg(file.Modified);
    }
    QStringList Rows;
};

QStringList SearchRows(const QString &root, CTreeSearch::CSettings settings,
                       std::shared_ptr<CFolderListingCache> listings)
{
    settings.Listings = std::move(listings);
    CRowsReport report;
    CTreeSearch(settings).Run(QDir(root), report);
    return report.Rows;
}

} // namespace

void TestSearchCore::repeatedSearchSeesTheTreeAsItIsNow_data()
{
    QTest::addColumn<int>("what");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("filename") << int(SearchWhatFilename) << "txt";
    QTest::newRow("full text") << int(SearchWhatFullText) << "key";
}

// A search after another in the same tree takes the folders' listings kept
// from the first, yet finds what the tree holds now.
void TestSearchCore::repeatedSearchSeesTheTreeAsItIsNow()
{
    QFETCH(int, what);
    QFETCH(QString, keyword);
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    for (const char *name : {"a/keep.txt", "a/gone.txt", "a/old.txt", "b/inner/in.txt", "c/grows.txt"})
        QVERIFY(WriteTestFile(dir.filePath(name), "key\n"));
    QVERIFY(WriteTestFile(elsewhere.filePath("linked.txt"), "key\n"));
    // Folders changed a moment ago are never kept: their times may not show
    // a change made in the same tick of the clock.
    QTest::qSleep(int(CFolderListingCache::SettledNs / 1000000) + 100);
    CTreeSearch::CSettings settings = FullTextSettings(CKeywordQuery(keyword, false, true), 2, 16);
    settings.What = TEnumSearchWhat(what);
    settings.NameFilters = CandidateNameFilters(settings.What, QStringList("*.txt"));
    const auto listings = std::make_shared<CFolderListingCache>();
    QCOMPARE(SearchRows(dir.path(), settings, listings).size(), 5);
    QCOMPARE(listings->Folders(), 5);

    QVERIFY(WriteTestFile(dir.filePath("a/new.txt"), "key\n"));
    QVERIFY(QFile::remove(dir.filePath("a/gone.txt")));
    QVERIFY(QFile::rename(dir.filePath("a/old.txt"), dir.filePath("a/renamed.txt")));
    QVERIFY(WriteTestFile(dir.filePath("c/grows.txt"), "key\nand more\n"));
    QVERIFY(QDir(dir.filePath("b/inner")).removeRecursively());
    QVERIFY(MakeLink(elsewhere.path(), dir.filePath("b/inner")));
    const QStringList rows = SearchRows(dir.path(), settings, listings);
    QCOMPARE(rows, SearchRows(dir.path(), settings, nullptr));
    const QString all = rows.join('\n');
    for (const char *name : {"a/new.txt", "a/renamed.txt", "c/grows.txt 13", "b/inner/linked.txt"})
        QVERIFY2(all.contains(dir.filePath(name)), name);
    QVERIFY(!all.contains("gone.txt") && !all.contains("old.txt"));
}

// --- Result rows ------------------------------------------------------------------

void TestSearchCore::resultRowsShowWhatTheFileSystemSays()
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.txt");
    const QString kilo = dir.filePath("sub/<b>kilo</b>.txt");
    const QString more = dir.filePath("sub/more.txt");
    QVERIFY(WriteTestFile(empty, ""));
    QVERIFY(WriteTestFile(kilo, QByteArray(1024, 'x')));
    QVERIFY(WriteTestFile(more, QByteArray(1025, 'x')));
    const QString missing = dir.filePath("missing.txt");

    CResultsModel model(false);
    model.AppendRows(QStringList{empty, kilo});
    model.AppendRows(QStringList{more, missing});
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 3);
    const QStringList paths = {empty, kilo, more, missing};
    // A file that cannot be examined has no size to show, not 0.
    const QStringList sizes = {"0", "1", "2", ""};
    for (int row = 0; row < 4; ++row) {
        const QString path = paths.at(row);
        QCOMPARE(model.index(row, 0).data().toString(), path);
        QCOMPARE(model.FilePath(row), path);
        QCOMPARE(model.FilePathLength(row), path.size());
        QCOMPARE(model.index(row, 1).data().toString(), sizes.at(row));
        QCOMPARE(model.index(row, 2).data().toString(),
                 QFileInfo(path).lastModified().toString(Qt::TextDate));
        QCOMPARE(model.index(row, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QVERIFY(!model.index(row, 0).data(Qt::TextAlignmentRole).isValid());
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(model.flags(model.index(row, column)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            QCOMPARE(model.index(row, column).data(Qt::ToolTipRole).toString(),
                     "<font face=\"verdana\">" + path.toHtmlEscaped() + "</font>");
        }
    }
    QVERIFY(model.index(1, 0).data(Qt::ToolTipRole).toString().contains("&lt;b&gt;kilo&lt;/b&gt;.txt"));
    QCOMPARE(model.index(3, 2).data().toString(), QString());

    // A search's rows keep what the search read and the name's bytes; a byte
    // that does not decode shows as U+FFFD, a line break as a visible mark.
    CFoundFile found{"/data/bad\xff\nname.txt", 2049, 86400000};
    CFoundFile unknown{"/data/gone.txt", -1, CFoundFile::UnknownTime};
    model.AppendRows(CFoundFiles{found, unknown});
    QCOMPARE(model.index(4, 0).data().toString(), QString::fromUtf8("/data/bad\uFFFD\u23CEname.txt"));
    QCOMPARE(model.FilePath(4), QString::fromUtf8("/data/bad\uFFFD\nname.txt"));
    QCOMPARE(model.FilePathBytes(4), found.Path);
    QCOMPARE(model.FileSize(4), qint64(2049));
    QCOMPARE(model.FileModified(4), qint64(86400000));
    QCOMPARE(model.index(4, 1).data().toString(), QStringLiteral("3"));
    QCOMPARE(model.index(4, 2).data().toString(),
             QDateTime::fromMSecsSinceEpoch(86400000).toString(Qt::TextDate));
    QCOMPARE(model.index(5, 1).data().toString(), QString());
    QCOMPARE(model.index(5, 2).data().toString(), QString());

    // Shown with backslashes, read all the same.
    CResultsModel windows(true);
    windows.AppendRows(QStringList{more});
    QCOMPARE(windows.FilePath(0), QString(more).replace('/', '\\'));
    QCOMPARE(windows.index(0, 1).data().toString(), QStringLiteral("2"));

    model.SetHeaderLabels({"Filename", "Size (KB)", "Last Modified Time"});
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Last Modified Time"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).isValid());
}

void TestSearchCore::resultCellsClearedKeepTheirRows()
{
    CResultsModel model(false);
    model.AppendRows(QStringList{"/tmp/a.txt", "/tmp/b.txt"});
    model.ClearCells();
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(!model.index(1, 0).data().isValid());
    QCOMPARE(model.FilePath(1), QString());
    model.RemoveAllRows();
    QCOMPARE(model.rowCount(), 0);
    model.AppendRows(QStringList{"/tmp/c.txt"});
    QCOMPARE(model.FilePath(0), QStringLiteral("/tmp/c.txt"));
}

QTEST_GUILESS_MAIN(TestSearchCore)
#include "tst_searchcore.moc"
