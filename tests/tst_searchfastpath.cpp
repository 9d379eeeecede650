// The fast paths of a search against the plain ones they stand in for: the
// byte pre-filter of the full-text scan (and the matcher that skips lines
// without a keyword's text) against reading and matching every line, the
// viewer's block filter against decoding every block, the extension look-up
// against QDir's name filters, one directory read against QDir's two
// listings, and the event pacer that coalesces repaints.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegExp>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "search/core/directorywalk.h"
#include "search/core/filenamefilter.h"
#include "search/core/keywordmatcher.h"
#include "search/core/keywordprefilter.h"
#include "search/core/keywordquery.h"
#include "search/core/plaintextfilters.h"
#include "search/core/textfilescan.h"
#include "testsupport.h"
#include "viewer/core/keywordhighlights.h"

namespace {

// Asked whether to stop, it never says so.
CScanReport NoStop;

QByteArray Utf8(const char *text)
{
    return QByteArray(text);
}

QByteArray WithoutHeader(const char *codecName, const QString &text)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return QTextCodec::codecForName(codecName)->fromUnicode(text.constData(), text.size(), &state);
}

QByteArray Bom(const char *codecName)
{
    return QTextCodec::codecForName(codecName)->fromUnicode(QString(QChar(QChar::ByteOrderMark)));
}

// One search's view of a file: the plain line scan, or the same behind the
// pre-filter with a matcher that skips lines without a keyword's text.
struct CScanCase
{
    QString Keywords;
    bool WholeWord = false;
    QTextCodec *Codec = QTextCodec::codecForName("UTF-8");
    int ChunkSize = 64 * 1024;
    int MaxLine = MaxLineLength;
    QString Locale;
    mutable int LinesFed = 0;

    TEnumFileScanResult Scan(const QString &path, bool fast) const
    {
        CKeywordMatcher matcher =
            CKeywordMatcher::ForFullText(CKeywordQuery(Keywords, WholeWord, true), MaxLine);
        LinesFed = 0;
        const auto lineTest = [this, &matcher](const QString &line) {
            ++LinesFed;
            return matcher.Feed(line);
        };
        const CUnmarkedTextCharset charset(Codec, Locale);
        if (!fast) {
            // The codec the charset rule picks for the whole file; a byte-order mark still decides.
            QFile file(path);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            return ScanTextFile(path, lineTest, NoStop, Locale.isEmpty() ? Codec : charset.CodecFor(bytes),
                                MaxLine);
        }
        matcher.SkipSubjectsWithoutKeywordText();
        CKeywordPreFilter preFilter(CKeywordQuery(Keywords, WholeWord, true), charset, ChunkSize);
        return ScanTextFile(path, preFilter, lineTest, NoStop, charset, MaxLine);
    }

    TEnumPreFilterVerdict Verdict(const QByteArray &bytes) const
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        CKeywordPreFilter preFilter(CKeywordQuery(Keywords, WholeWord, true),
                                    CUnmarkedTextCharset(Codec, Locale), ChunkSize);
        return preFilter.Check(buffer, NoStop);
    }
};

// Pieces that random texts are made of: keyword parts and look-alikes,
// letters whose case forms are ASCII, line ends, bytes no decoder likes.
QList<QByteArray> TextPieces()
{
    return {Utf8("i"),
            Utf8("iss"),
            Utf8("k"),
            Utf8("\xE2\x84\xAA"),
            Utf8("alpha"),
            Utf8("ALPHA"),
            Utf8("alphabet"),
            Utf8("beta"),
            Utf8("Beta_"),
            Utf8("c++"),
            Utf8("C++x"),
            Utf8("a.b"),
            Utf8("axb"),
            Utf8("kiss"),
            Utf8("KISS"),
            Utf8("ki"),
            Utf8("ss"),
            Utf8("K"),
            Utf8(" "),
            Utf8("  "),
            Utf8("\n"),
            Utf8("\r\n"),
            Utf8("\r"),
            Utf8("\t"),
            Utf8("-"),
            Utf8("\xE2\x84\xAA"),
            /* KELVIN SIGN */ Utf8("\xC5\xBF"), /* LONG S */
            Utf8("\xC4\xB0"),
            /* I WITH DOT */ Utf8("\xC4\xB1"), /* DOTLESS I */
            Utf8("\xC3\x9F"),
            /* SHARP S */ Utf8("\xE1\xBA\x9E"),
            /* CAPITAL SHARP S */ Utf8("\xEF\xAC\x86"), /* LIGATURE ST */
            Utf8("\xC3\xA9"),
            Utf8("\xE4\xB8\xAD"),
            Utf8("\xEF\xBB\xBF"), /* a BOM inside */
            Utf8("\xC0\xAF"),
            /* overlong "/" */ Utf8("\xE2\x84"), /* cut short */
            Utf8("\x80"),
            Utf8("\xFF"),
            QByteArray(1, '\0'),
            Utf8("\xF0\x9F\x98\x80"),
            Utf8("\xCE\xBB\xCE\xBF\xCE\xB3\xCE\xBF"), /* λογο */
            Utf8("\xCE\xA3"),                         /* CAPITAL SIGMA */
            Utf8("\xCF\x82"),                         /* FINAL SIGMA */
            Utf8("\xCE\x9F"),                         /* CAPITAL OMICRON */
            Utf8("stanbul"),
            Utf8("(x"),
            Utf8("_")};
}

// Half of the pieces come from the first few, which make and break keywords most often.
QByteArray RandomUtf8Text(QRandomGenerator &random, int pieces)
{
    static const QList<QByteArray> all = TextPieces();
    QByteArray text;
    for (int i = 0; i < pieces; ++i)
        text += all.at(random.bounded(random.bounded(2) ? 12 : all.size()));
    return text;
}

// The same text as a file of one of the encodings a search meets.
QByteArray Encoded(const QByteArray &utf8, int encoding)
{
    const QString text = QString::fromUtf8(utf8);
    switch (encoding) {
    case 0:
        return utf8;
    case 1:
        return Bom("UTF-8") + utf8;
    case 2:
        return Bom("UTF-16LE") + WithoutHeader("UTF-16LE", text);
    case 3:
        return Bom("UTF-16BE") + WithoutHeader("UTF-16BE", text);
    case 4:
        return Bom("UTF-32LE") + WithoutHeader("UTF-32LE", text);
    case 5:
        return Bom("UTF-16LE") + WithoutHeader("UTF-16LE", text) + "x"; // odd length
    case 6:
        return QTextCodec::codecForName("windows-1252")->fromUnicode(text); // a legacy charset
    default:
        return WithoutHeader("UTF-16LE", text); // no mark: decoded as the local codec
    }
}

const int EncodingCount = 8;

QString Keywords(const char *keywords)
{
    return QString::fromUtf8(keywords);
}

// Writes a name as a real file and returns the listing order QDir gives.
QStringList QDirCandidates(const QDir &dir, const QStringList &filters)
{
    return dir.entryList(filters, QDir::Files | QDir::NoSymLinks, QDir::NoSort);
}

} // namespace

Q_DECLARE_METATYPE(TEnumPreFilterVerdict)

class TestSearchFastPath : public QObject
{
    Q_OBJECT

private slots:
    void foreignLetterFormsAreAllThereAre();
    void foldingWidensTheOldMatchesOnly();
    void asciiCaseInsensitiveSearch_data();
    void asciiCaseInsensitiveSearch();
    void asciiSearchAgreesWithNaiveSearch();
    void preFilterVerdicts_data();
    void preFilterVerdicts();
    void fastScanAgreesWithLineScanOnChosenFiles_data();
    void fastScanAgreesWithLineScanOnChosenFiles();
    void fastScanAgreesWithLineScanOnGeneratedFiles();
    void bigFileDecodesOnlyLinesWithKeywordBytes();
    void lineSearchAgreesWithLineScan();
    void preFilterPollsCancelBetweenReads();
    void anyKeywordFilterAgreesWithDecodedBlocks();
    void highlighterAgreesWithMatcher();
    void nameFilterAgreesWithQDir();
    void oneReadListsWhatQDirListsInItsOrder();
    void asciiNamesListInQDirsOrder();
};

// --- Characters that match ASCII keywords ---------------------------------------------

void TestSearchFastPath::foreignLetterFormsAreAllThereAre()
{
    // Every code point above ASCII against every ASCII keyword character, in
    // the expressions a full-text line is matched with.
    QString units;
    for (uint u = 0x80; u <= 0x10FFFF; ++u) {
        if (!QChar::isSurrogate(u))
            units += QString::fromUcs4(&u, 1);
    }
    const QString foldedUnits = FoldCase(units);
    QSet<QPair<char, ushort>> found;
    for (int a = 0; a < 0x80; ++a) {
        const char ascii = char(QChar(a).toLower().unicode());
        const CKeywordExpression expression(FoldCase(QString(QChar(a))), false);
        for (int pos = expression.IndexIn(units, foldedUnits); pos != -1;
             pos = expression.IndexIn(units, foldedUnits, pos + 1))
            found.insert(qMakePair(ascii, units.at(pos).unicode()));
    }
    QSet<QPair<char, ushort>> listed;
    for (const CForeignLetterForm &form : ForeignLetterForms()) {
        listed.insert(qMakePair(form.Ascii, form.Unicode));
        QCOMPARE(QString(QChar(form.Unicode)).toUtf8(), QByteArray(form.Utf8));
    }
    for (const auto &pair : found)
        QVERIFY2(listed.contains(pair), qPrintable(QStringLiteral("%1 matches U+%2, which is not listed")
                                                       .arg(QLatin1Char(pair.first))
                                                       .arg(pair.second, 4, 16, QLatin1Char('0'))));
    QCOMPARE(found.size(), listed.size());

    // Matching goes character by character: no ligature or sharp s stands for two letters.
    for (const char *pair : {"ss", "st", "ff", "fi", "fl", "ffi", "ffl", "ij"}) {
        const CKeywordExpression expression(QString::fromLatin1(pair), false);
        QCOMPARE(expression.IndexIn(units, foldedUnits), -1);
    }
}

// Folding is simple case folding, code point by code point, and keeps every
// length; it makes equal what QRegExp without case made equal before, and
// whole words agree with its "\b" wherever a keyword starts and ends with a
// word character.
void TestSearchFastPath::foldingWidensTheOldMatchesOnly()
{
    QString all;
    for (uint u = 0; u <= 0x10FFFF; ++u) {
        if (!QChar::isSurrogate(u))
            all += QString::fromUcs4(&u, 1);
    }
    const QString folded = FoldCase(all);
    QCOMPARE(folded.size(), all.size());
    for (int i = 0; i < all.size(); ++i) {
        const uint c = all.at(i).isHighSurrogate() ? QChar::surrogateToUcs4(all.at(i), all.at(i + 1))
                                                   : all.at(i).unicode();
        const uint f = folded.at(i).isHighSurrogate() ? QChar::surrogateToUcs4(folded.at(i), folded.at(i + 1))
                                                      : folded.at(i).unicode();
        // What Qt's older tables folded together stays together.
        QCOMPARE(FoldCase(QString::fromUcs4(&f, 1)), FoldCase(QString::fromUcs4(&c, 1)));
        const uint qtFolded = QChar::toCaseFolded(c);
        QCOMPARE(FoldCase(QString::fromUcs4(&qtFolded, 1)), QString::fromUcs4(&f, 1));
        if (c > 0xFFFF)
            ++i;
    }
    // Every BMP letter that QRegExp without case matched with another still matches it.
    for (uint u = 0x80; u <= 0xFFFF; ++u) {
        if (QChar::isSurrogate(u))
            continue;
        const QChar c = QChar(ushort(u));
        for (const QChar other : {c.toLower(), c.toUpper(), c.toTitleCase()}) {
            QRegExp old(QStringLiteral("(") + QRegExp::escape(QString(other)) + QStringLiteral(")"),
                        Qt::CaseInsensitive);
            if (old.indexIn(QString(c)) == 0)
                QCOMPARE(FoldCase(QString(c)), FoldCase(QString(other)));
        }
    }
    QRandomGenerator random(1);
    const QString alphabet = QString::fromUtf8("ab_1 +(é́ 中.");
    for (int round = 0; round < 5000; ++round) {
        QString line;
        for (int i = random.bounded(12); i > 0; --i)
            line += alphabet.at(random.bounded(alphabet.size()));
        QString keyword;
        for (int i = 1 + random.bounded(3); i > 0; --i)
            keyword += alphabet.at(random.bounded(alphabet.size()));
        keyword = keyword.trimmed();
        if (keyword.isEmpty() || !IsWordCharacter(keyword.front().unicode()) ||
            !IsWordCharacter(keyword.back().unicode()))
            continue;
        QRegExp old(QStringLiteral("\\b(") + QRegExp::escape(keyword) + QStringLiteral(")\\b"),
                    Qt::CaseInsensitive);
        QCOMPARE(CKeywordExpression(FoldCase(keyword), true).IndexIn(line), old.indexIn(line));
    }
}

// --- Byte search --------------------------------------------------------------------

void TestSearchFastPath::asciiCaseInsensitiveSearch_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("needle");
    QTest::addColumn<bool>("found");

    const QByteArray pad(40, 'x');
    QTest::newRow("at the start") << QByteArray("alpha") + pad << QByteArray("alpha") << true;
    QTest::newRow("at the very end") << pad + "ALPHA" << QByteArray("alpha") << true;
    QTest::newRow("across a 16-byte block")
        << QByteArray(14, 'x') + "AlPhA" + pad << QByteArray("alpha") << true;
    QTest::newRow("one byte short at the end") << pad + "alph" << QByteArray("alpha") << false;
    QTest::newRow("single letter") << pad + "Q" << QByteArray("q") << true;
    QTest::newRow("empty haystack") << QByteArray() << QByteArray("a") << false;
    QTest::newRow("punctuation exact") << pad + "c++" << QByteArray("c++") << true;
    QTest::newRow("no case for punctuation") << pad + "C++" << QByteArray("c++") << true;
    // 0x40 and 0x60 differ by 0x20 like a letter's cases, and so do [ and {.
    QTest::newRow("@ is not `") << pad + "@b`" << QByteArray("`b`") << false;
    QTest::newRow("[ is not {") << pad + "[x" << QByteArray("{x") << false;
    QTest::newRow("high byte is no letter") << pad + "\xC1\xCC\xD0\xC8\xC1" << QByteArray("alpha") << false;
    QTest::newRow("nul byte inside") << pad + QByteArray("al\0ha", 5) << QByteArray("alpha") << false;
}

void TestSearchFastPath::asciiCaseInsensitiveSearch()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, needle);
    QFETCH(bool, found);
    for (const int vector : {1, 16, 32}) {
        if (vector <= WidestSearchVector())
            QCOMPARE(ContainsAsciiCaseInsensitive(bytes.constData(), bytes.size(), needle, vector), found);
    }
}

void TestSearchFastPath::asciiSearchAgreesWithNaiveSearch()
{
    QRandomGenerator random(7);
    const QByteArray alphabet("aAbB@`[{\x80\xC1 ");
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int size = random.bounded(120);
        for (int i = 0; i < size; ++i)
            bytes += alphabet.at(random.bounded(alphabet.size()));
        // Two needles of one length that differ in some bytes: the forms of a keyword.
        QByteArray needle;
        QByteArray other;
        for (int i = 1 + random.bounded(4); i > 0; --i) {
            needle += QByteArray("ab@`[{ \x80\xC1").at(random.bounded(9));
            other += random.bounded(3) ? needle.back() : QByteArray("ab@`[{ \x80\xC1").at(random.bounded(9));
        }
        const auto naive = [&bytes](const QByteArray &lower) {
            for (int i = 0; i + lower.size() <= bytes.size(); ++i) {
                int j = 0;
                for (; j < lower.size(); ++j) {
                    const char c = bytes.at(i + j);
                    if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != lower.at(j))
                        break;
                }
                if (j == lower.size())
                    return i;
            }
            return -1;
        };
        const int at = naive(needle);
        const bool expected = at >= 0;
        const int atOther = naive(other);
        const int atAny = at < 0 || (atOther >= 0 && atOther < at) ? atOther : at;
        for (const int vector : {1, 16, 32}) {
            if (vector <= WidestSearchVector()) {
                QCOMPARE(ContainsAsciiCaseInsensitive(bytes.constData(), bytes.size(), needle, vector),
                         expected);
                QCOMPARE(IndexOfAnyAsciiCaseInsensitive(bytes.constData(), bytes.size(), {needle, other}, 0,
                                                        vector),
                         qint64(atAny));
            }
        }
        // The same text as UTF-16: bytes above ASCII become units above ASCII, which no ASCII needle holds.
        const QString text = QString::fromLatin1(bytes);
        if (needle.count('\x80') + needle.count('\xC1') == 0)
            QCOMPARE(ContainsAsciiCaseInsensitive(text.constData(), text.size(), needle), expected);
    }
}

// --- Pre-filter verdicts --------------------------------------------------------------

void TestSearchFastPath::preFilterVerdicts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<TEnumPreFilterVerdict>("verdict");

    const QByteArray text("first line\nsecond Alpha line\n");
    QTest::newRow("keyword present") << text << "alpha" << QByteArray() << PreFilterMaybe;
    QTest::newRow("keyword absent") << text << "gamma" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("one of two absent") << text << "alpha gamma" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("both present") << text << "alpha second" << QByteArray() << PreFilterMaybe;
    QTest::newRow("escaped keyword") << QByteArray("x a.b y") << "a.b" << QByteArray() << PreFilterMaybe;
    QTest::newRow("escaped keyword, no literal dot")
        << QByteArray("x axb y") << "a.b" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("non-ascii keyword absent")
        << text << QString::fromUtf8("grüße") << QByteArray() << PreFilterNoMatch;
    QTest::newRow("non-ascii keyword in capitals")
        << QByteArray("x GR\xC3\x9C\xE1\xBA\x9E"
                      "E y")
        << QString::fromUtf8("grüße") << QByteArray() << PreFilterMaybe;
    QTest::newRow("final sigma is a sigma") << QByteArray("\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82")
                                            << QString::fromUtf8("ΟΣ") << QByteArray() << PreFilterMaybe;
    QTest::newRow("dotless i is no i")
        << QByteArray("ISI") << QString::fromUtf8("ısı") << QByteArray() << PreFilterNoMatch;
    QTest::newRow("non-ascii keyword in utf16 is left to the decoder")
        << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", "x") << QString::fromUtf8("grüße") << QByteArray()
        << PreFilterMaybe;
    QTest::newRow("non-ascii keyword in a legacy charset")
        << QByteArray("GR\xDC\xDF"
                      "E")
        << QString::fromUtf8("grüße") << QByteArray("UTF-8 de_DE") << PreFilterMaybe;
    QTest::newRow("legacy text without the keyword")
        << QByteArray("gr\xFC\xDF"
                      "e \xFF")
        << QString::fromUtf8("größe") << QByteArray("UTF-8 de_DE") << PreFilterNoMatch;
    QTest::newRow("non-ascii keyword in the second legacy charset")
        << QByteArray("\xE6\xE1\xEA\xEC") << QString::fromUtf8("файл") << QByteArray("UTF-8 ru_RU")
        << PreFilterMaybe;
    QTest::newRow("non-ascii keyword absent from valid utf8 with a multi-byte legacy charset")
        << text + "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xA9\n"
        << QString::fromUtf8("中文") << QByteArray("UTF-8 zh_CN") << PreFilterNoMatch;
    QTest::newRow("late bytes of a multi-byte legacy charset are left to the decoder")
        << text + "\xD6\xD0\xCE\xC4" << QString::fromUtf8("中文") << QByteArray("UTF-8 zh_CN")
        << PreFilterMaybe;
    QTest::newRow("non-ascii keyword with an absent ascii one")
        << text << QString::fromUtf8("grüße gamma") << QByteArray() << PreFilterNoMatch;
    QTest::newRow("kelvin sign may be a k")
        << QByteArray("\xE2\x84\xAAiss") << "kiss" << QByteArray() << PreFilterMaybe;
    QTest::newRow("long s may be an s")
        << QByteArray("ki\xC5\xBF\xC5\xBF") << "kiss" << QByteArray() << PreFilterMaybe;
    QTest::newRow("long s is no other letter")
        << QByteArray("\xC5\xBF") << "alpha" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("utf16 le bom, long s")
        << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", QString::fromUtf8("KI\u017FS")) << "kiss"
        << QByteArray() << PreFilterMaybe;
    QTest::newRow("kelvin sign is no other letter")
        << QByteArray("\xE2\x84\xAA") << "alpha" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("utf16 le bom") << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", "ALPHA") << "alpha"
                                  << QByteArray() << PreFilterMaybe;
    QTest::newRow("utf16 be bom, absent")
        << Bom("UTF-16BE") + WithoutHeader("UTF-16BE", "ALPHA") << "beta" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("utf16 le bom, kelvin sign")
        << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", QString::fromUtf8("\u212Aiss")) << "kiss"
        << QByteArray() << PreFilterMaybe;
    QTest::newRow("utf16 without bom is local text")
        << WithoutHeader("UTF-16LE", "alpha") << "alpha" << QByteArray() << PreFilterNoMatch;
    QTest::newRow("utf32 bom is left to the decoder")
        << Bom("UTF-32LE") + WithoutHeader("UTF-32LE", "x") << "alpha" << QByteArray() << PreFilterMaybe;
    QTest::newRow("latin1 stream codec is left to the decoder")
        << text << "gamma" << QByteArray("ISO-8859-1") << PreFilterMaybe;
    QTest::newRow("utf8 bom switches a latin1 stream to utf8")
        << Bom("UTF-8") + text << "gamma" << QByteArray("ISO-8859-1") << PreFilterNoMatch;
    QTest::newRow("gb18030 stream codec is left to the decoder")
        << text << "gamma" << QByteArray("GB18030") << PreFilterMaybe;
}

void TestSearchFastPath::preFilterVerdicts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, keywords);
    QFETCH(QByteArray, codec);
    QFETCH(TEnumPreFilterVerdict, verdict);

    CScanCase scan;
    scan.Keywords = keywords;
    // A codec's name, and the locale whose legacy charset competes with it.
    scan.Codec = QTextCodec::codecForName(codec.isEmpty() ? QByteArray("UTF-8") : codec.split(' ').first());
    scan.Locale = QString::fromLatin1(codec.split(' ').value(1));
    for (const int chunk : {64 * 1024, 2, 3}) {
        scan.ChunkSize = chunk;
        QCOMPARE(scan.Verdict(bytes), verdict);
    }
}

// --- Fast scan against the line scan --------------------------------------------------

void TestSearchFastPath::fastScanAgreesWithLineScanOnChosenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("wholeWord");

    // A keyword that straddles the 25600-character cut of a long line.
    QByteArray straddling(25598, 'x');
    straddling += "alpha" + QByteArray(30000, 'y') + "\n";
    QTest::newRow("keyword across the line cut") << straddling << "alpha" << false;
    QTest::newRow("keyword after the line cut") << straddling + "alpha\n"
                                                << "alpha" << false;
    QByteArray multiByteCut(25590, 'x');
    multiByteCut += "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 alpha\n"; // characters, not bytes, count
    QTest::newRow("keyword near the cut after non-ascii") << multiByteCut << "alpha" << false;
    QTest::newRow("whole word needs a boundary") << QByteArray("alphabet\n") << "alpha" << true;
    QTest::newRow("substring") << QByteArray("alphabet\n") << "alpha" << false;
    QTest::newRow("c++ whole word") << QByteArray("use c++ here\n") << "c++" << true;
    QTest::newRow("c++ followed by a letter") << QByteArray("c++x\n") << "c++" << true;
    QTest::newRow("keywords on different lines") << QByteArray("alpha\r\nzz\r\nbeta") << "alpha beta" << true;
    QTest::newRow("keyword split by crlf") << QByteArray("alp\r\nha") << "alpha" << false;
    QTest::newRow("keyword split by a bom inside") << QByteArray("alp\xEF\xBB\xBFha") << "alpha" << false;
    QTest::newRow("keyword split by nul") << QByteArray("alp\0ha", 6) << "alpha" << false;
    QTest::newRow("keyword split by invalid utf8") << QByteArray("alp\xFFha") << "alpha" << false;
    // Longer than the few bytes whose decoding is always left to the line scan.
    const QByteArray line("some words on a first line\n");
    QTest::newRow("kelvin sign in a keyword") << line + "x \xE2\x84\xAAISS y\n"
                                              << "kiss" << true;
    QTest::newRow("long s in a keyword") << line + "ki\xC5\xBFs\n"
                                         << "kiss" << false;
    QTest::newRow("dotted capital i is no i") << line + "k\xC4\xB0ss\n"
                                              << "kiss" << false;
    QTest::newRow("utf16 le bom") << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", line + "zz Alpha\n")
                                  << "alpha" << true;
    QTest::newRow("utf16 be bom, kelvin sign")
        << Bom("UTF-16BE") + WithoutHeader("UTF-16BE", line + QString::fromUtf8("\u212Aiss")) << "kiss"
        << true;
    QTest::newRow("utf32 bom") << Bom("UTF-32BE") + WithoutHeader("UTF-32BE", line + "beta alpha")
                               << "alpha beta" << true;
    // Big files, where only the lines that hold a keyword's bytes are decoded.
    QByteArray filler;
    for (int i = 0; i < 800; ++i)
        filler += "line " + QByteArray::number(i) + " of some filler text\n";
    QTest::newRow("keyword on the last line") << filler + "the alpha here"
                                              << "alpha" << true;
    QTest::newRow("keyword inside a word, then whole") << filler + "alphabet\n" + filler + "an alpha\n"
                                                       << "alpha" << true;
    QTest::newRow("keyword only inside words") << filler + "alphabet\n" + filler + "alphas\n"
                                               << "alpha" << true;
    QTest::newRow("keywords on different lines, far apart")
        << "beta\n" + filler + "zz alpha\n" + filler << "alpha beta" << true;
    QTest::newRow("second keyword inside a word only")
        << "betamax\n" + filler + "zz alpha\n" + filler << "alpha beta" << true;
    QTest::newRow("crlf lines") << QByteArray(filler).replace("\n", "\r\n") + "x\r\nalpha\r\n"
                                << "alpha" << true;
    QTest::newRow("keyword across a 64 KiB read")
        << QByteArray(65533, 'x') + " alpha \n" + filler << "alpha" << true;
    QTest::newRow("keyword right after a 64 KiB read")
        << QByteArray(65535, 'x') + "\nalpha\n" + filler << "alpha" << true;
    QTest::newRow("line feed right at a 64 KiB read") << filler.left(65535) + "\nalpha\n"
                                                      << "alpha" << true;
    QByteArray cutLater = filler + QByteArray(25598, 'y') + "alpha" + QByteArray(100, 'y') + "\n";
    QTest::newRow("keyword across the cut of a later line") << cutLater << "alpha" << false;
    QTest::newRow("keyword after the cut of a later line") << filler + QByteArray(25600, 'y') + "alpha\n"
                                                           << "alpha" << true;
    QTest::newRow("later line starting with a byte-order mark") << filler + "\xEF\xBB\xBF"
                                                                            "alpha\n"
                                                                << "alpha" << true;
    QTest::newRow("utf8 bom, keyword on the last line") << Bom("UTF-8") + filler + "an Alpha"
                                                        << "alpha" << true;
    QTest::newRow("utf16 le bom, keywords on different lines")
        << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", "beta\r\n" + filler + "the alpha") << "alpha beta"
        << true;
    QTest::newRow("utf16 be bom, whole word fails first")
        << Bom("UTF-16BE") + WithoutHeader("UTF-16BE", filler + "alphabet\n" + filler + "alpha") << "alpha"
        << true;
    QTest::newRow("utf16 le bom, odd length")
        << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", filler + "alpha") + "x"
        << "alpha" << true;
    QTest::newRow("utf16 le bom, line feed inside a code unit")
        << Bom("UTF-16LE") + WithoutHeader("UTF-16LE", filler + QString::fromUtf8("\u0A41 alpha\u0A0A beta"))
        << "alpha beta" << true;
    QByteArray dense;
    for (int i = 0; i < 4000; ++i)
        dense += (i % 7 ? "an alphabet\n" : "filler\r\n") + QByteArray(i % 13, 'y') + "\n";
    QTest::newRow("keyword bytes on many lines") << dense + "alpha at last\n" + filler << "alpha" << true;
    QTest::newRow("keyword bytes on many lines, utf16 be")
        << Bom("UTF-16BE") + WithoutHeader("UTF-16BE", dense + filler + "alpha beta") << "beta alpha" << true;
    QTest::newRow("kelvin sign on a late line") << filler + "x \xE2\x84\xAAiss\n"
                                                << "kiss" << true;
    QTest::newRow("long s on a late line") << filler + "KI\xC5\xBFS\n"
                                           << "kiss" << true;
    QTest::newRow("non-ascii keyword beside an ascii one") << filler +
                                                                  "gr\xC3\xBC\xC3\x9F"
                                                                  "e\n" +
                                                                  filler + "alpha"
                                                           << QString::fromUtf8("alpha grüße") << true;
    QTest::newRow("tiny file") << QByteArray("alpha") << "alpha" << true;
    QTest::newRow("bom only") << Bom("UTF-16LE") << "alpha" << true;
}

void TestSearchFastPath::fastScanAgreesWithLineScanOnChosenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, keywords);
    QFETCH(bool, wholeWord);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chosen.txt"));
    QVERIFY(WriteTestFile(path, bytes));
    CScanCase scan;
    scan.Keywords = keywords;
    scan.WholeWord = wholeWord;
    for (const char *codec : {"UTF-8", "ISO-8859-1", ""}) {
        // "": the local codec, as the window uses it.
        scan.Codec = *codec ? QTextCodec::codecForName(codec) : nullptr;
        // Reads of a few bytes, and lines cut into a few characters, put
        // keywords on every boundary.
        for (const QPair<int, int> &sizes :
             {qMakePair(64 * 1024, MaxLineLength), qMakePair(4, MaxLineLength), qMakePair(5, 7)}) {
            scan.ChunkSize = sizes.first;
            scan.MaxLine = sizes.second;
            for (const bool whole : {wholeWord, !wholeWord}) {
                scan.WholeWord = whole;
                QCOMPARE(scan.Scan(path, true), scan.Scan(path, false));
            }
        }
    }
}

// Of a big file, only the lines that hold a keyword's bytes are decoded.
void TestSearchFastPath::bigFileDecodesOnlyLinesWithKeywordBytes()
{
    QByteArray filler;
    for (int i = 0; i < 20000; ++i)
        filler += "line " + QByteArray::number(i) + " of some filler text\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    for (const int encoding : {0, 1, 2, 3}) {
        const QByteArray utf8 = "beta\n" + filler + "alphabet\n" + filler + "the alpha\n" + filler;
        QVERIFY(WriteTestFile(path, Encoded(utf8, encoding)));
        CScanCase scan;
        scan.Keywords = Keywords("alpha beta");
        scan.WholeWord = true;
        QCOMPARE(scan.Scan(path, false), FileScanMatched);
        QCOMPARE(scan.LinesFed, 40003);
        QCOMPARE(scan.Scan(path, true), FileScanMatched);
        QCOMPARE(scan.LinesFed, 3);
        // As whole words alpha is not on the line of "alphabet", so that line is read, too.
        scan.Keywords = Keywords("alpha");
        QCOMPARE(scan.Scan(path, true), FileScanMatched);
        QCOMPARE(scan.LinesFed, 2);
        scan.Keywords = Keywords("gamma");
        QCOMPARE(scan.Scan(path, true), FileScanNotMatched);
        QCOMPARE(scan.LinesFed, 0);
    }
}

// Random files of many lines, read in small pieces and cut into short
// pieces, so that keywords fall on every kind of boundary.
void TestSearchFastPath::lineSearchAgreesWithLineScan()
{
    const QStringList keywordSets = {
        Keywords("alpha"),       Keywords("kiss"),         Keywords("c++"),     Keywords("alpha beta"),
        Keywords("kiss c++ ss"), Keywords("a.b \xC3\xA9"), Keywords("\xCE\xA3")};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    QRandomGenerator random(17);
    int matched = 0;
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray utf8;
        for (int line = random.bounded(1, 12); line > 0; --line)
            utf8 += RandomUtf8Text(random, random.bounded(12)) + (random.bounded(3) ? "\n" : "\r\n");
        const QByteArray bytes = Encoded(utf8, round % 4 == 3 ? 5 : round % 4);
        QVERIFY(WriteTestFile(path, bytes));
        for (const QString &keywords : keywordSets) {
            CScanCase scan;
            scan.Keywords = keywords;
            scan.WholeWord = round % 2;
            scan.ChunkSize = 4 + 2 * random.bounded(4);
            // Lines read whole, then in pieces: a keyword across a cut is found as in a whole line.
            const TEnumFileScanResult reference = scan.Scan(path, false);
            scan.MaxLine = 3 + random.bounded(10);
            QCOMPARE(scan.Scan(path, false), reference);
            QCOMPARE(scan.Scan(path, true), reference);
            matched += reference == FileScanMatched;
            ++compared;
        }
    }
    QVERIFY2(matched > compared / 10 && matched < compared * 9 / 10, qPrintable(QString::number(matched)));
}

void TestSearchFastPath::fastScanAgreesWithLineScanOnGeneratedFiles()
{
    const QStringList keywordSets = {
        Keywords("alpha"),
        Keywords("kiss"),
        Keywords("ss"),
        Keywords("c++"),
        Keywords("a.b"),
        Keywords("alpha beta"),
        Keywords("kiss c++"),
        Keywords("\xC3\xA9 ki"),
        Keywords("\xCE\xBF\xCF\x82"),
        Keywords("\xC4\xB1ss"),
        Keywords("\xC3\x9F alpha"),
        Keywords("\xE4\xB8\xAD"),
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("generated.txt"));
    QRandomGenerator random(2010);
    int ruledOut = 0;
    int matched = 0;
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray utf8 = RandomUtf8Text(random, 4 + random.bounded(60));
        if (round % 25 == 0) // now and then a line around the 25600-character cut
            utf8 = QByteArray(25600 - random.bounded(8), 'x') + utf8;
        const QByteArray bytes = Encoded(utf8, round % EncodingCount);
        QVERIFY(WriteTestFile(path, bytes));
        for (const QString &keywords : keywordSets) {
            for (const bool wholeWord : {false, true}) {
                CScanCase scan;
                scan.Keywords = keywords;
                scan.WholeWord = wholeWord;
                scan.ChunkSize = (round % 3 == 0) ? 6 : 64 * 1024;
                scan.Locale = round % 2 ? QString() : QStringLiteral("de_DE");
                const TEnumFileScanResult reference = scan.Scan(path, false);
                QCOMPARE(scan.Scan(path, true), reference);
                ruledOut += scan.Verdict(bytes) == PreFilterNoMatch;
                matched += reference == FileScanMatched;
                ++compared;
            }
        }
    }
    // Both outcomes occur often, or the comparison proves little.
    QVERIFY2(ruledOut > compared / 10, qPrintable(QString::number(ruledOut)));
    QVERIFY2(matched > compared / 10, qPrintable(QString::number(matched)));
}

void TestSearchFastPath::preFilterPollsCancelBetweenReads()
{
    QByteArray bytes(100, 'x');
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CKeywordPreFilter preFilter(CKeywordQuery("alpha", false, true), QTextCodec::codecForName("UTF-8"), 10);
    int polls = 0;
    CCancelQuery third([&polls] { return ++polls == 3; });
    QCOMPARE(preFilter.Check(buffer, third), PreFilterCancelled);
    QCOMPARE(polls, 3);
    QCOMPARE(buffer.pos(), qint64(30));
}

// A viewer block is decoded whole by the codec of the file's encoding, and
// shown when any keyword's expression matches anywhere in it.
void TestSearchFastPath::anyKeywordFilterAgreesWithDecodedBlocks()
{
    const QStringList keywordSets = {Keywords("alpha"), Keywords("kiss c++"), Keywords("a.b ss"),
                                     Keywords("\xC3\xA9 ki")};
    QRandomGenerator random(51200);
    int ruledOut = 0;
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        const QString text = QString::fromUtf8(RandomUtf8Text(random, 2 + random.bounded(30)));
        for (const char *codecName : {"UTF-8", "ISO-8859-1", "UTF-16LE", "UTF-16BE", "UTF-32BE", "GB18030"}) {
            QTextCodec *codec = QTextCodec::codecForName(codecName);
            const QByteArray bytes = WithoutHeader(codecName, text);
            const QString decoded = codec->toUnicode(bytes);
            for (const QString &keywords : keywordSets) {
                for (const bool wholeWord : {false, true}) {
                    const CKeywordQuery query(keywords, wholeWord, true);
                    const bool any = TextContainsAnyKeyword(query, decoded);
                    const bool maybe = CKeywordPreFilter(query).MayContainAnyKeyword(bytes, codec);
                    QVERIFY2(maybe || !any, qPrintable(QStringLiteral("%1 in %2").arg(keywords, codecName)));
                    ruledOut += !maybe;
                    ++compared;
                }
            }
        }
    }
    QVERIFY2(ruledOut > compared / 20, qPrintable(QString::number(ruledOut)));
}

// The viewer colours a keyword in a text exactly when the search finds it
// there, starting at the first match, and colours only what folds to it.
void TestSearchFastPath::highlighterAgreesWithMatcher()
{
    const QList<QByteArray> keywordTexts = {"alpha",
                                            "kiss",
                                            "c++ (x",
                                            "ss beta_",
                                            "\xC3\xA9 ki",
                                            "\xCE\x9B\xCE\x9F\xCE\x93\xCE\x9F\xCE\xA3",
                                            "\xCE\xBB\xCE\xBF\xCE\xB3\xCE\xBF\xCF\x82 \xC4\xB0stanbul",
                                            "\xC4\xB0"};
    QRandomGenerator random(4);
    int found = 0;
    int compared = 0;
    for (int round = 0; round < 600; ++round) {
        const QString text = QString::fromUtf8(RandomUtf8Text(random, 2 + random.bounded(30)));
        for (const QByteArray &keywords : keywordTexts) {
            for (const bool wholeWord : {false, true}) {
                const CKeywordQuery query(QString::fromUtf8(keywords), wholeWord, true);
                bool any = false;
                for (const QString &keyword : query.FoldedKeywords()) {
                    const CKeywordQuery single(keyword, wholeWord, true);
                    CKeywordMatcher matcher = CKeywordMatcher::ForFullText(single);
                    const bool matched = matcher.Feed(text);
                    matcher.Reset();
                    matcher.SkipSubjectsWithoutKeywordText();
                    QCOMPARE(matcher.Feed(text), matched);
                    any = any || matched;
                    const CHighlightPlan plan = PlanKeywordHighlights(text, single);
                    QCOMPARE(!plan.Ranges.isEmpty(), matched);
                    for (const CHighlightRange &range : plan.Ranges)
                        QCOMPARE(FoldCase(text.mid(range.Start, range.Length)), keyword);
                    if (matched)
                        QCOMPARE(plan.CaretPosition, single.Expression(0).IndexIn(text));
                }
                QCOMPARE(TextContainsAnyKeyword(query, text), any);
                QVERIFY(CKeywordPreFilter(query).MayContainAnyKeyword(text.toUtf8(),
                                                                      QTextCodec::codecForName("UTF-8")) ||
                        !any);
                found += any;
                ++compared;
            }
        }
    }
    QVERIFY2(found > compared / 10 && found < compared * 9 / 10, qPrintable(QString::number(found)));
}

// --- Listing a directory ------------------------------------------------------------------

void TestSearchFastPath::nameFilterAgreesWithQDir()
{
    QTemporaryDir dir;
    const QStringList names = {"a.txt", "B.TXT", "c.Txt", "d.txt.bak", "txt", "e.", "f.c++", "g.C++", "h.h++",
                               "i.cpp", "j.CPP", "k.tex", "l.text", "m.mk", "n.ts", "o.TS", "p.yml2", "q.l01",
                               "r.readme", "s.txtx", "t..txt", "u.t xt", "v.html", "w.HTM", "x.f90",
                               // Letters whose case forms are ASCII, and some that have none.
                               QString::fromUtf8("y.m\u212A"), QString::fromUtf8("z.t\u017F"),
                               QString::fromUtf8("A.\u0130NF"), QString::fromUtf8("C.\u0131nf"),
                               QString::fromUtf8("D.tx\u0442"), QString::fromUtf8("E.\uFF54xt"),
                               QString::fromUtf8("F.\u212Aml"), QString::fromUtf8("G.\u017Fh"),
                               QString::fromUtf8("H.ba\u017F"), QString::fromUtf8("\u00e9t\u00e9.txt")};
    for (const QString &name : names)
        QVERIFY2(WriteTestFile(dir.filePath(name), "x"), qPrintable(name));
    const QDir qdir(dir.path());
    for (const QStringList &filters :
         {PlainTextFilePatterns(), QStringList("*"), QStringList{"*.t?t", "a*"}}) {
        const CFileNameFilter filter(filters);
        const QStringList listed = QDirCandidates(qdir, filters);
        for (const QString &name : names)
            QVERIFY2(filter.Matches(name) == listed.contains(name), qPrintable(name));
        QCOMPARE(CandidateFileNames(qdir, filters), listed);
    }
    QVERIFY(CandidateFileNames(qdir, QStringList()).isEmpty());
}

void TestSearchFastPath::oneReadListsWhatQDirListsInItsOrder()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    // Names equal but for case tie in QDir's sort; their order must still be QDir's.
    for (const char *name : {"b.txt", "B.txt", "a.TXT", "A.txt", "zz.txt", "Zz.TXT", ".hidden.txt", "plain",
                             "sub/x.txt", "Sub2/x.txt", "sUB3/x.txt", ".hiddendir/x.txt"})
        QVERIFY(WriteTestFile(root + '/' + QString::fromLatin1(name), "x"));
    QVERIFY(QFile::link(root + "/b.txt", root + "/link.txt"));
    QVERIFY(QFile::link(root + "/sub", root + "/dirlink"));
    QVERIFY(QFile::link(root + "/missing", root + "/dangling.txt"));
    // A special file is in neither listing, nor a link to one (QDir takes that for a directory).
    QCOMPARE(mkfifo(QFile::encodeName(root + "/pipe.txt").constData(), 0600), 0);
    QVERIFY(QFile::link(root + "/pipe.txt", root + "/pipelink.txt"));
    QVERIFY(QFile::link(root + "/.hiddendir", root + "/linktohidden"));
    // Names the local codec cannot decode are kept (QDir leaves them out), shown with U+FFFD.
    for (const char *name : {"/bad\xff\xfe.txt", "/cut\xe2\x84.txt", "/ok\xc3\xa9.txt", "/baddir\xff"}) {
        const QByteArray path = QFile::encodeName(root) + name;
        QVERIFY(path.endsWith("\xff") ? mkdir(path.constData(), 0700) == 0
                                      : fclose(fopen(path.constData(), "w")) == 0);
    }
    // A name may begin with U+FEFF, which a decoder reading it alone would take for a byte-order mark.
    for (const char *name : {"bom.txt", "sub/x.txt"})
        QVERIFY(WriteTestFile(root + '/' + QChar(QChar::ByteOrderMark) + QString::fromLatin1(name), "x"));
    const QDir qdir(root);

    CDirectoryListing listing = ListDirectory(qdir, CFileNameFilter(PlainTextFilePatterns()));
    const QString bad = QChar(QChar::ReplacementCharacter);
    QCOMPARE(listing.CandidateFiles.filter(bad),
             (QStringList{"bad" + bad + bad + ".txt", "cut" + bad + bad + ".txt"}));
    QCOMPARE(listing.SubDirectories.filter(bad), QStringList{"baddir" + bad});
    const auto decodable = [&bad](QStringList names) {
        for (int i = names.size() - 1; i >= 0; --i) {
            if (names.at(i).contains(bad))
                names.removeAt(i);
        }
        return names;
    };
    listing.CandidateFiles = decodable(listing.CandidateFiles);
    listing.SubDirectories = decodable(listing.SubDirectories);
    QVERIFY(listing.CandidateFiles.contains((QChar(QChar::ByteOrderMark) + QStringLiteral("bom.txt"))));
    QVERIFY(listing.SubDirectories.contains((QChar(QChar::ByteOrderMark) + QStringLiteral("sub"))));
    QCOMPARE(listing.CandidateFiles, QDirCandidates(qdir, PlainTextFilePatterns()));
    QStringList directories = qdir.entryList(QStringList("*"), QDir::Dirs, QDir::NoSort);
    directories.removeAll(".");
    directories.removeAll("..");
    directories.removeAll("pipelink.txt");
    QCOMPARE(listing.SubDirectories, directories);
    QCOMPARE(decodable(ListDirectory(qdir, CFileNameFilter(QStringList("*"))).CandidateFiles),
             QDirCandidates(qdir, QStringList("*")));
    QVERIFY(listing.CandidateFiles.contains(QString::fromUtf8("ok\u00e9.txt")));
    QDir(root).removeRecursively(); // QTemporaryDir cannot remove the undecodable names
    for (const char *name : {"/bad\xff\xfe.txt", "/cut\xe2\x84.txt"})
        unlink((QFile::encodeName(root) + name).constData());
    rmdir((QFile::encodeName(root) + "/baddir\xff").constData());
}

// Names of plain ASCII are sorted without lower-case copies: ties of case,
// and punctuation that sorts between the two cases of the letters.
void TestSearchFastPath::asciiNamesListInQDirsOrder()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char *name :
         {"Same.txt", "same.txt",     "SAME.txt", "a_b.txt", "A_b.txt", "a-b.txt", "A[b.txt", "a{b.txt",
          "ab.txt",   "AB",           "a",        "A",       "_.txt",   "Z~",      "z^",      "10.txt",
          "9.txt",    "same.txt.bak", "sub1/x",   "SUB1x/x", "Sub_/x",  "sub[/x"})
        QVERIFY(WriteTestFile(root + '/' + QString::fromLatin1(name), "x"));
    const QDir qdir(root);
    QCOMPARE(ListDirectory(qdir, CFileNameFilter(QStringList("*"))).CandidateFiles,
             QDirCandidates(qdir, QStringList("*")));
    QStringList directories = qdir.entryList(QStringList("*"), QDir::Dirs, QDir::NoSort);
    directories.removeAll(".");
    directories.removeAll("..");
    QCOMPARE(ListDirectory(qdir, CFileNameFilter(QStringList("*"))).SubDirectories, directories);
}

QTEST_GUILESS_MAIN(TestSearchFastPath)
#include "tst_searchfastpath.moc"
