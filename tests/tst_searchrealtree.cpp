// Searches through the window over trees nobody here wrote (the installed Qt
// headers and the Python standard library), compared with find and grep run
// on the same candidates: regular files that are neither hidden, nor inside
// a hidden directory, nor links; for a full-text search those whose names
// match the plain-text patterns, and the others without a NUL byte in their
// first 51,200 bytes (or with a UTF-16 or UTF-32 byte-order mark) and of no
// known binary type. grep reads bytes, the search reads decoded lines,
// so the differences the search is meant to have are allowed, and each one
// must be explained by one of them:
//  - a line longer than 25600 characters is tested in pieces, so a keyword
//    that straddles a cut is not found there (grep finds it);
//  - a whole word has no word character directly before or after it, as
//    with grep -w; the rows whose keywords begin or end with punctuation are
//    also compared with grep -P "(?<!\w)(...)(?!\w)", which says the same;
//  - a file starting with a UTF-16 or UTF-32 byte-order mark is decoded by
//    the search, while grep sees its bytes.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/core/plaintextfilters.h"
#include "search/core/textfilescan.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

using PathSet = QSet<QString>;

QString PythonStandardLibrary()
{
    const QDir lib(QStringLiteral("/usr/lib"));
    for (const QString &name : lib.entryList(QStringList(QStringLiteral("python3.*")), QDir::Dirs))
        if (QFile::exists(lib.filePath(name + QStringLiteral("/os.py"))))
            return lib.filePath(name);
    return QString();
}

QString TreeRoot(const QString &tree)
{
    if (tree == QLatin1String("qt headers"))
        return QLibraryInfo::location(QLibraryInfo::HeadersPath);
    return PythonStandardLibrary();
}

QByteArray RunTool(const QString &program, const QStringList &arguments,
                   const QByteArray &input = QByteArray())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(-1))
        qFatal("%s did not run", qPrintable(program));
    return process.readAllStandardOutput();
}

PathSet SplitNulList(const QByteArray &output, char separator)
{
    PathSet paths;
    for (const QByteArray &path : output.split(separator))
        if (!path.isEmpty())
            paths << QString::fromLocal8Bit(path);
    return paths;
}

// find's own idea of the candidates: -L follows directory links as the walk does,
// -xtype f then keeps regular files that are not links themselves.
PathSet FindCandidates(const QString &root, const QStringList &nameTests)
{
    QStringList arguments{"-L", root, "-mindepth", "1", "-name", ".*", "-prune", "-o", "-xtype", "f"};
    arguments << nameTests << QStringLiteral("-print0");
    return SplitNulList(RunTool(QStringLiteral("find"), arguments), '\0');
}

QStringList NameTests(const QStringList &patterns)
{
    QStringList tests;
    for (const QString &pattern : patterns)
        tests << QStringLiteral("-o") << QStringLiteral("-iname") << pattern;
    tests.first() = QStringLiteral("(");
    return tests << QStringLiteral(")");
}

bool StartsAsText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(51200);
    return !head.contains('\0') || head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF") ||
           head.startsWith(QByteArray("\0\0\xFE\xFF", 4));
}

// The listed names, and the files of other names that their start shows to be text.
PathSet PlainTextCandidates(const QString &root)
{
    PathSet candidates = FindCandidates(root, NameTests(PlainTextFilePatterns()));
    QStringList others = NameTests(PlainTextFilePatterns() + BinaryFilePatterns());
    others.prepend(QStringLiteral("!"));
    for (const QString &path : FindCandidates(root, others))
        if (StartsAsText(path))
            candidates << path;
    return candidates;
}

PathSet GrepFiles(const PathSet &files, const QStringList &grepArguments)
{
    QByteArray list;
    for (const QString &file : files)
        list += file.toLocal8Bit() + '\0';
    const QStringList arguments = QStringList{"-0", "grep", "-l", "-s", "-i"} + grepArguments;
    return SplitNulList(RunTool(QStringLiteral("xargs"), arguments, list), '\n');
}

bool HasLineLongerThanACut(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (QString::fromUtf8(line).size() > MaxLineLength)
            return true;
    return false;
}

bool StartsWithUtf16Or32Bom(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(2);
    return head == QByteArray("\xFF\xFE", 2) || head == QByteArray("\xFE\xFF", 2) ||
           head == QByteArray(2, '\0');
}

PathSet SearchThroughWindow(const QString &root, const QString &keywords, TEnumSearchWhat what,
                            bool wholeWord, int &candidates)
{
    CLintra w(LanguageEnvironment(true));
    Control<QRadioButton>(w, wholeWord ? "MatchWholeWord_RadioButton" : "MatchSubstring_RadioButton")
        ->click();
    RunSearch(w, root, keywords, what);
    candidates = Control<QProgressBar>(w, "Searching_ProgressBar")->maximum();
    return TablePathSet(w);
}

} // namespace

class TestSearchRealTree : public QObject
{
    Q_OBJECT

private slots:
    void fullTextMatchesGrep_data();
    void fullTextMatchesGrep();
    void filenameMatchesFind_data();
    void filenameMatchesFind();
};

void TestSearchRealTree::fullTextMatchesGrep_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("wholeWord");
    // "w": grep -w; "perl": grep -P with look-arounds, for keywords with punctuation at an end.
    QTest::addColumn<QString>("boundary");

    QTest::newRow("qt, one word") << "qt headers"
                                  << "QMutex" << true << "w";
    QTest::newRow("qt, substring") << "qt headers"
                                   << "mutex" << false << "w";
    QTest::newRow("qt, two words") << "qt headers"
                                   << "QObject Signals" << true << "w";
    QTest::newRow("qt, punctuation at the end") << "qt headers"
                                                << "std::" << true << "perl";
    QTest::newRow("python, one word") << "python"
                                      << "getattr" << true << "w";
    QTest::newRow("python, substring") << "python"
                                       << "__init__" << false << "w";
    QTest::newRow("python, three words") << "python"
                                         << "socket timeout Error" << true << "w";
    QTest::newRow("python, punctuation at the start") << "python"
                                                      << ".append" << true << "perl";
}

void TestSearchRealTree::fullTextMatchesGrep()
{
    QFETCH(QString, tree);
    QFETCH(QString, keywords);
    QFETCH(bool, wholeWord);
    QFETCH(QString, boundary);
    const QString root = TreeRoot(tree);
    if (root.isEmpty() || !QDir(root).exists())
        QSKIP("tree not installed");

    const PathSet candidates = PlainTextCandidates(root);
    int searched = 0;
    const PathSet found = SearchThroughWindow(root, keywords, SearchWhatFullText, wholeWord, searched);
    QCOMPARE(searched, candidates.size());

    PathSet expected = candidates;
    PathSet expectedByGrepW = candidates;
    for (const QString &keyword : keywords.split(' ')) {
        const QString perl =
            QStringLiteral("(?<!\\w)(") + QRegularExpression::escape(keyword) + QStringLiteral(")(?!\\w)");
        const QStringList fixed =
            wholeWord ? QStringList{"-F", "-w", "-e", keyword} : QStringList{"-F", "-e", keyword};
        expectedByGrepW &= GrepFiles(candidates, fixed);
        expected &=
            boundary == QLatin1String("perl") ? GrepFiles(candidates, {"-P", "-e", perl}) : expectedByGrepW;
    }
    QVERIFY2(!expected.isEmpty(), "the keywords should occur in the tree");

    for (const QString &path : expected - found)
        QVERIFY2(HasLineLongerThanACut(path), qPrintable("not found, no line is cut: " + path));
    for (const QString &path : found - expected)
        QVERIFY2(StartsWithUtf16Or32Bom(path), qPrintable("found, grep disagrees: " + path));
    if (boundary == QLatin1String("perl"))
        QCOMPARE(expected, expectedByGrepW);
}

void TestSearchRealTree::filenameMatchesFind_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("keywords");
    QTest::newRow("qt") << "qt headers"
                        << "Private";
    QTest::newRow("qt, two keywords") << "qt headers"
                                      << "_IMPL .H";
    QTest::newRow("python") << "python"
                            << "test";
    QTest::newRow("python, dot") << "python"
                                 << "CONFIG .py";
}

void TestSearchRealTree::filenameMatchesFind()
{
    QFETCH(QString, tree);
    QFETCH(QString, keywords);
    const QString root = TreeRoot(tree);
    if (root.isEmpty() || !QDir(root).exists())
        QSKIP("tree not installed");

    QStringList nameTests;
    for (const QString &keyword : keywords.split(' '))
        nameTests << QStringLiteral("-iname") << QLatin1Char('*') + keyword + QLatin1Char('*');
    const PathSet expected = FindCandidates(root, nameTests);
    QVERIFY2(!expected.isEmpty(), "the keywords should occur in the tree");

    int searched = 0;
    QCOMPARE(SearchThroughWindow(root, keywords, SearchWhatFilename, false, searched), expected);
    QCOMPARE(searched, FindCandidates(root, QStringList()).size());
}

QTEST_MAIN(TestSearchRealTree)
#include "tst_searchrealtree.moc"
