// A search through the window: the buttons' match modes, the driver's
// histories, error box, summary, tray tool-tip and hint, the results table,
// cancelling, and walks over real temporary trees with links.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSet>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>
#include <sys/resource.h>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/csearchrun.h"
#include "testsupport.h"
#include "update/core/versionnumbers.h"
#include "windowdriver.h"

namespace {

QStringList Items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

void SetRadioButtons(CLintra &w, const QString &mode)
{
    QRadioButton *whole = Control<QRadioButton>(w, "MatchWholeWord_RadioButton");
    QRadioButton *substring = Control<QRadioButton>(w, "MatchSubstring_RadioButton");
    if (mode == QLatin1String("whole")) {
        whole->click();
    } else if (mode == QLatin1String("substring")) {
        substring->click();
    } else {
        whole->setAutoExclusive(false);
        substring->setAutoExclusive(false);
        whole->setChecked(false);
        substring->setChecked(false);
        whole->setAutoExclusive(true);
        substring->setAutoExclusive(true);
    }
}

} // namespace

class TestSearchWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void searchButtonRules_data();
    void searchButtonRules();
    void fullTextOpensOnlyPlainTextFiles();
    void directoryLinkToItsOwnRootFinishes_data();
    void directoryLinkToItsOwnRootFinishes();
    void resultsTableColumns();
    void summaryAndHeading_data();
    void summaryAndHeading();
    void trayToolTipShortensLongDirectories_data();
    void trayToolTipShortensLongDirectories();
    void hintOnlyWhenThePaneIsEmpty();
    void searchWithoutCandidatesLeavesTheBarBusy();
    void outOfDescriptorsIsSaidNotHidden();
    void vanishedFilesStillCount();
    void radioClickDuringSearch();
    void cancelInTheMiddleOfTheTree_data();
    void cancelInTheMiddleOfTheTree();
    void selectionAndCancelDuringALargeSearch_data();
    void selectionAndCancelDuringALargeSearch();
    void historiesKeepOrderAndNormalisedTexts();
    void blankTexts();
    void directoryWithTwoBlanksIsSearched();
    void invalidDirectoryShowsErrorBox_data();
    void invalidDirectoryShowsErrorBox();
    void browseSetsTheDirectoryCancelKeepsAll();
};

// --- Match modes of the buttons ---------------------------------------------------

void TestSearchWindow::searchButtonRules_data()
{
    QTest::addColumn<bool>("fullText");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<bool>("wordSeparated");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("wholeWordAfter");

    QTest::newRow("filename forces substring")
        << false << "lph"
        << "whole" << true << "ALPHA.dat" << QByteArray() << true << false;
    QTest::newRow("filename, c++ literal")
        << false << "c++"
        << "whole" << true << "notes-C++.odt" << QByteArray() << true << false;
    QTest::newRow("one keyword, whole-word radio, inside a word")
        << true << "alpha"
        << "whole" << true << "f.txt" << QByteArray("the alphabet") << false << true;
    QTest::newRow("one keyword, whole-word radio, a word")
        << true << "alpha"
        << "whole" << true << "f.txt" << QByteArray("an ALPHA.") << true << true;
    QTest::newRow("one keyword, substring radio")
        << true << "alpha"
        << "substring" << true << "f.txt" << QByteArray("the alphabet") << true << false;
    QTest::newRow("one keyword, no radio checked acts as whole word")
        << true << "alpha"
        << "none" << true << "f.txt" << QByteArray("the alphabet") << false << true;
    QTest::newRow("one keyword, language without blanks")
        << true << "alpha"
        << "whole" << false << "f.txt" << QByteArray("the alphabet") << true << true;
    QTest::newRow("two keywords force whole word")
        << true << "alpha beta"
        << "substring" << true << "f.txt" << QByteArray("alphabet\nbeta") << false << true;
    QTest::newRow("two keywords, whole words found")
        << true << "alpha beta"
        << "substring" << true << "f.txt" << QByteArray("alpha\n\nbeta!") << true << true;
    QTest::newRow("two keywords, language without blanks")
        << true << "alpha beta"
        << "substring" << false << "f.txt" << QByteArray("alphabet betamax") << true << true;
    QTest::newRow("repeated keyword counts twice")
        << true << "alpha alpha"
        << "substring" << true << "f.txt" << QByteArray("alphabet") << false << true;
    QTest::newRow("c++ whole word, blank after")
        << true << "c++"
        << "whole" << true << "f.txt" << QByteArray("I like c++ a lot") << true << true;
    QTest::newRow("c++ whole word, word character after")
        << true << "c++"
        << "whole" << true << "f.txt" << QByteArray("c++x") << false << true;
    QTest::newRow("(x whole word, blank before")
        << true << "(x"
        << "whole" << true << "f.txt" << QByteArray("open (x here") << true << true;
    QTest::newRow("dotted capital I finds itself")
        << true << QString::fromUtf8("İstanbul") << "whole" << true << "f.txt"
        << QByteArray("to \xC4\xB0stanbul") << true << true;
    QTest::newRow("name beginning with U+FEFF")
        << true << "alpha"
        << "whole" << true << (QChar(QChar::ByteOrderMark) + QStringLiteral("bom.txt")) << QByteArray("alpha")
        << true << true;
    QTest::newRow("folder beginning with U+FEFF")
        << true << "alpha"
        << "whole" << true << (QChar(QChar::ByteOrderMark) + QStringLiteral("sub/deep.txt"))
        << QByteArray("alpha") << true << true;
    QTest::newRow("c++ substring") << true << "c++"
                                   << "substring" << true << "f.txt" << QByteArray("I like c++ a lot") << true
                                   << false;
}

void TestSearchWindow::searchButtonRules()
{
    QFETCH(bool, fullText);
    QFETCH(QString, keywords);
    QFETCH(QString, radio);
    QFETCH(bool, wordSeparated);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, found);
    QFETCH(bool, wholeWordAfter);

    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath(fileName), content));
    CLintra w(LanguageEnvironment(wordSeparated));
    SetRadioButtons(w, radio);
    RunSearch(w, dir.path(), keywords, fullText ? SearchWhatFullText : SearchWhatFilename);

    QCOMPARE(TablePaths(w).size(), found ? 1 : 0);
    QCOMPARE(ControlText(w, "ResultContentHeader_Label"),
             fullText ? "File Content in Charset" : "Matched Filename");
    QCOMPARE(Control<QRadioButton>(w, "MatchWholeWord_RadioButton")->isChecked(), wholeWordAfter);
    QCOMPARE(Control<QRadioButton>(w, "MatchSubstring_RadioButton")->isChecked(), !wholeWordAfter);
}

// --- Candidates and links -------------------------------------------------------

// Listed names are read whatever they hold, known binary types never, any
// other file when its start holds no NUL byte; the summary counts what was
// searched. Hidden entries and skipped folders hold for both kinds.
void TestSearchWindow::fullTextOpensOnlyPlainTextFiles()
{
    QTemporaryDir dir;
    const QByteArray nul("al\0pha alpha", 13);
    for (const char *name : {"notes.doc", "Makefile", "README", "NOTES.TXT", "notes.Txt", "main.rs",
                             "README.md.orig", "configure.ac", ".env", "node_modules/x.js", "build2/y.c"})
        QVERIFY(WriteTestFile(dir.filePath(QString::fromLatin1(name)), "alpha"));
    QVERIFY(WriteTestFile(dir.filePath("data.bin"), QByteArray(60000, 'x') + nul));
    QVERIFY(WriteTestFile(dir.filePath("early.dat"), nul + QByteArray(60000, 'x')));
    QVERIFY(WriteTestFile(dir.filePath("listed.txt"), nul));
    QVERIFY(WriteTestFile(dir.filePath("wide"), Utf16Bytes(QChar(0xFEFF) + QString(" alpha"), true)));
    const QStringList text = {"Makefile",   "README",         "NOTES.TXT",        "notes.Txt",
                              "main.rs",    "README.md.orig", "data.bin",         "configure.ac",
                              "listed.txt", "wide",           "node_modules/x.js"};
    QSet<QString> expected;
    for (const QString &name : text)
        expected << dir.filePath(name);
    CLintra w;
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(TablePathSet(w), expected + QSet<QString>{dir.filePath("build2/y.c")});
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 12);

    Control<QCheckBox>(w, "IncludeHidden_CheckBox")->setChecked(true);
    Control<QComboBox>(w, "SkipFolders_ComboBox")->setEditText(" node_modules,  build* ");
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    expected.remove(dir.filePath("node_modules/x.js"));
    QCOMPARE(TablePathSet(w), expected + QSet<QString>{dir.filePath(".env")});
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 11);
    QCOMPARE(Control<QComboBox>(w, "SkipFolders_ComboBox")->itemText(0), QString("node_modules, build*"));

    RunSearch(w, dir.path(), "e", SearchWhatFilename);
    QCOMPARE(TablePathSet(w).size(), 11);
    QVERIFY(TablePathSet(w).contains(dir.filePath(".env")));
    Control<QCheckBox>(w, "IncludeHidden_CheckBox")->setChecked(false);
    RunSearch(w, dir.path(), "e", SearchWhatFilename);
    QCOMPARE(TablePathSet(w).size(), 10);
}

void TestSearchWindow::directoryLinkToItsOwnRootFinishes_data()
{
    QTest::addColumn<bool>("fullText");
    QTest::newRow("filename") << false;
    QTest::newRow("full text") << true;
}

void TestSearchWindow::directoryLinkToItsOwnRootFinishes()
{
    QFETCH(bool, fullText);
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(WriteTestFile(root + "/alpha.txt", "alpha"));
    QVERIFY(WriteTestFile(root + "/sub/alpha2.txt", "alpha"));
    QVERIFY(QFile::link(root, root + "/sub/loop"));

    CLintra w;
    RunSearch(w, root, "alpha", fullText ? SearchWhatFullText : SearchWhatFilename);
    QCOMPARE(TablePaths(w).size(), 2);
    QCOMPARE(TablePathSet(w), (QSet<QString>{root + "/alpha.txt", root + "/sub/alpha2.txt"}));
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 2);
}

// --- Table, summary, tray tool-tip, hint --------------------------------------------------

void TestSearchWindow::resultsTableColumns()
{
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("s0.dat"), QByteArray()));
    QVERIFY(WriteTestFile(dir.filePath("s1024.dat"), QByteArray(1024, 'x')));
    QVERIFY(WriteTestFile(dir.filePath("s1025.dat"), QByteArray(1025, 'x')));
    QVERIFY(WriteTestFile(dir.filePath("<b>s.dat"), "x"));
    QVERIFY(WriteTestFile(dir.filePath((QChar(QChar::ByteOrderMark) + QStringLiteral("s2048.dat"))),
                          QByteArray(2048, 'x')));
    CLintra w;
    RunSearch(w, dir.path(), ".DAT", SearchWhatFilename);

    const CResultsTable *table = Control<CResultsTable>(w, "FilesFound_TableWidget");
    QCOMPARE(table->rowCount(), 5);
    QMap<QString, QString> sizes;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString path = CellText(w, row, 0);
        sizes[QFileInfo(path).fileName()] = CellText(w, row, 1);
        QCOMPARE(CellText(w, row, 2), QFileInfo(path).lastModified().toString(Qt::TextDate));
        QCOMPARE(CellData(w, row, 1, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        // Rows are dragged out as files.
        QCOMPARE(CellIndex(w, row, 0).flags(),
                 Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
        if (path.endsWith("<b>s.dat"))
            QCOMPARE(CellData(w, row, 0, Qt::ToolTipRole).toString(),
                     "<font face=\"verdana\">" + dir.path() + "/&lt;b&gt;s.dat</font>");
    }
    QCOMPARE(sizes.value("s0.dat"), QStringLiteral("0"));
    QCOMPARE(sizes.value("s1024.dat"), QStringLiteral("1"));
    QCOMPARE(sizes.value("s1025.dat"), QStringLiteral("2"));
    QCOMPARE(sizes.value((QChar(QChar::ByteOrderMark) + QStringLiteral("s2048.dat"))), QStringLiteral("2"));
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size (KB)"));
}

void TestSearchWindow::summaryAndHeading_data()
{
    QTest::addColumn<bool>("fullText");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("hint");

    QTest::newRow("full text") << true << "alpha"
                               << "1 of the 2 searched files contain(s) the given keyword(s)."
                               << "File Content in Charset"
                               << "FYI: You may click any row in the left pane to see the matched text.";
    QTest::newRow("filename") << false << "A.T"
                              << "1 of the 2 searched files have/has the given keyword(s) in filename."
                              << "Matched Filename"
                              << "FYI: You may click any row in the left pane to see the full filename.";
}

void TestSearchWindow::summaryAndHeading()
{
    QFETCH(bool, fullText);
    QFETCH(QString, keywords);
    QFETCH(QString, summary);
    QFETCH(QString, heading);
    QFETCH(QString, hint);

    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("a.txt"), "alpha"));
    QVERIFY(WriteTestFile(dir.filePath("b.txt"), "beta"));
    CLintra w;
    RunSearch(w, dir.path(), keywords, fullText ? SearchWhatFullText : SearchWhatFilename);

    QCOMPARE(Status(w), summary);
    QCOMPARE(ControlText(w, "ResultContentHeader_Label"), heading);
    QVERIFY(!Control<QLabel>(w, "ResultContentHeader_Label")->isHidden());
    QCOMPARE(Control<QComboBox>(w, "ResultContentCharset_ComboBox")->isHidden(), !fullText);
    if (fullText) {
        const QComboBox *charsets = Control<QComboBox>(w, "ResultContentCharset_ComboBox");
        QCOMPARE(charsets->currentData().toInt(), QTextCodec::codecForLocale()->mibEnum());
    }
    QCOMPARE(ControlText(w, "FileContent_TextEdit", "plainText"), hint);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 2);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->value(), 2);
}

void TestSearchWindow::trayToolTipShortensLongDirectories_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("shown");

    const QString thirty = QStringLiteral("abcdefghij0123456789ABCDEFGHIJ");
    QTest::newRow("30 characters") << thirty << thirty;
    QTest::newRow("31 characters") << thirty + "K"
                                   << QStringLiteral("...") + QStringLiteral("efghij0123456789ABCDEFGHIJK");
}

void TestSearchWindow::trayToolTipShortensLongDirectories()
{
    QFETCH(QString, directory);
    QFETCH(QString, shown);

    // A relative directory is taken from the working directory; the table shows absolute paths.
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(WriteTestFile(dir.filePath(directory + "/hit.txt"), "alpha"));
    CLintra w(TrayEnvironment(true));
    RunSearch(w, directory, "  alpha ", SearchWhatFullText);
    QDir::setCurrent(previous);
    // The icon takes the summary when the window is hidden into the tray.
    QCOMPARE(CloseIntoTray(w), QStringList{QStringLiteral("FYI")});

    QCOMPARE(shown.size(), 30);
    QCOMPARE(ControlText(w, "SysTrayIcon", "toolTip"),
             QStringLiteral("Norvane Lintra " LINTRA_VERSION "\nDirectory: ") + shown +
                 QStringLiteral("\nKeywords: alpha\n1 of the 1 searched files found."));
    QCOMPARE(TablePaths(w), QStringList{QDir(dir.path()).canonicalPath() + '/' + directory + "/hit.txt"});
}

void TestSearchWindow::hintOnlyWhenThePaneIsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("a.txt"), "alpha"));
    CLintra w;
    RunSearch(w, dir.path(), "beta", SearchWhatFullText);
    QVERIFY(ControlText(w, "FileContent_TextEdit", "plainText").isEmpty());

    // The user opens a result while the search runs.
    CAtFile opened(
        w, 1, [&w] { Control<CContentEdit>(w, "FileContent_TextEdit")->setPlainText("opened by the user"); });
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(TablePaths(w).size(), 1);
    QCOMPARE(ControlText(w, "FileContent_TextEdit", "plainText"), QStringLiteral("opened by the user"));
}

void TestSearchWindow::searchWithoutCandidatesLeavesTheBarBusy()
{
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("sub/picture.png"), "alpha"));
    CLintra w;
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(Status(w), QStringLiteral("0 of the 0 searched files contain(s) the given keyword(s)."));
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 0);
    QVERIFY(ControlText(w, "FileContent_TextEdit", "plainText").isEmpty());
}

// No descriptor left for listing the folder: the search waits, then stops
// and says that its result is incomplete, rather than "0 of the 0".
void TestSearchWindow::outOfDescriptorsIsSaidNotHidden()
{
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("sub/a.txt"), "alpha"));
    CLintra w;
    // The automatic update check's thread opens descriptors of its own; it
    // must not take or give back any while the limit is set.
    QTRY_VERIFY_WITH_TIMEOUT(!w.UpdateCheck().IsRunning(), 30000);
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &before), 0);
    // No descriptor left beyond those open now (the listing of /proc/self/fd counts itself).
    rlimit few = before;
    few.rlim_cur = rlim_t(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size() - 1);
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &few), 0);
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    setrlimit(RLIMIT_NOFILE, &before);
    QVERIFY(TablePaths(w).isEmpty());
    QVERIFY(Control<QLabel>(w, "SearchUnread_Label")->isVisibleTo(&w));
    QVERIFY2(
        ControlText(w, "SearchUnread_Label").contains("The search stopped early, the results are incomplete"),
        qPrintable(ControlText(w, "SearchUnread_Label")));
}

void TestSearchWindow::vanishedFilesStillCount()
{
    QTemporaryDir dir;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        QVERIFY(WriteTestFile(dir.filePath(QString::fromLatin1(name)), "alpha"));
    CLintra w;
    // Gone after the listing, before the first one is opened.
    CAtFile remove(w, 1, [&dir] {
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            QFile::remove(dir.filePath(QString::fromLatin1(name)));
    });
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QVERIFY(TablePaths(w).isEmpty());
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->value(), 3);
    QCOMPARE(Status(w), QStringLiteral("0 of the 3 searched files contain(s) the given keyword(s)."));
    // Said beside the summary, and only then.
    QVERIFY(Control<QLabel>(w, "SearchUnread_Label")->isVisibleTo(&w));
    QVERIFY(ControlText(w, "SearchUnread_Label").contains(QStringLiteral(">3 files could not be read.<")));
    // A click away: each with its path and why.
    QStringList listed;
    CModalHandler list([&listed](QWidget *modal) {
        const QTreeWidget *tree = modal->findChild<QTreeWidget *>();
        for (int i = 0; tree && i < tree->topLevelItemCount(); ++i)
            listed << tree->topLevelItem(i)->text(0) + " | " + tree->topLevelItem(i)->text(1);
        modal->close();
    });
    QVERIFY(QMetaObject::invokeMethod(Control<QLabel>(w, "SearchUnread_Label"), "linkActivated",
                                      Q_ARG(QString, "unread")));
    QCOMPARE(listed, (QStringList{dir.filePath("a.txt") + " | No such file or directory",
                                  dir.filePath("b.txt") + " | No such file or directory",
                                  dir.filePath("c.txt") + " | No such file or directory"}));
    RunSearch(w, dir.path(), "alpha", SearchWhatFilename);
    QVERIFY(!Control<QLabel>(w, "SearchUnread_Label")->isVisibleTo(&w));
}

void TestSearchWindow::radioClickDuringSearch()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(WriteTestFile(root + "/top.txt", "alphabet betamax"));
    QVERIFY(WriteTestFile(root + "/sub/below.txt", "alphabet betamax"));
    CLintra w(LanguageEnvironment(true));
    {
        // One keyword: the rule is fixed per directory, so only the next directory changes.
        CAtFile click(w, 1, [&w] { Control<QRadioButton>(w, "MatchSubstring_RadioButton")->click(); });
        SetRadioButtons(w, "whole");
        RunSearch(w, root, "alpha", SearchWhatFullText);
        QCOMPARE(TablePaths(w), QStringList{root + "/sub/below.txt"});
    }
    {
        // Several keywords: the rule is read for every line, so the click counts at once.
        CAtFile click(w, 1, [&w] { Control<QRadioButton>(w, "MatchSubstring_RadioButton")->click(); });
        RunSearch(w, root, "alpha beta", SearchWhatFullText);
        QCOMPARE(TablePaths(w).size(), 2);
    }
    RunSearch(w, root, "alpha beta", SearchWhatFullText);
    QCOMPARE(TablePaths(w).size(), 0);
}

// --- Cancel ------------------------------------------------------------------------------

void TestSearchWindow::cancelInTheMiddleOfTheTree_data()
{
    QTest::addColumn<bool>("fullText");
    QTest::addColumn<bool>("escape");
    QTest::newRow("filename") << false << false;
    QTest::newRow("full text") << true << false;
    QTest::newRow("full text, the Escape key") << true << true;
}

void TestSearchWindow::cancelInTheMiddleOfTheTree()
{
    QFETCH(bool, fullText);
    QFETCH(bool, escape);

    // One directory per level, so the order of the walk is known: 2, 3, then 2 files.
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char *name : {"r1-alpha.txt", "r2-alpha.txt", "a/a1-alpha.txt", "a/a2-alpha.txt",
                             "a/a3-alpha.txt", "a/b/b1-alpha.txt", "a/b/b2-alpha.txt"})
        QVERIFY(WriteTestFile(root + '/' + QString::fromLatin1(name), "alpha"));

    CLintra w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Control<CSearchRun>(w, "SearchRun")->SetGiveUpAfter(60000);
    // Nothing is disabled while a search runs; the click is handled before file 4 is examined.
    auto cancel = std::make_unique<CAtFile>(w, 4, [&] {
        if (escape)
            QTest::keyClick(Control<QComboBox>(w, "Keywords2Search_ComboBox"), Qt::Key_Escape);
        else
            Control<QPushButton>(w, "CancelSearch_PushButton")->click();
    });
    RunSearch(w, root, "alpha", fullText ? SearchWhatFullText : SearchWhatFilename);

    const QStringList paths = TablePaths(w);
    QCOMPARE(paths.size(), 3);
    QCOMPARE(paths.filter("/a/b/").size(), 0);
    QCOMPARE(paths.filter(QRegularExpression("/r\\d-alpha")).size(), 2);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 5);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->value(), 4);
    QCOMPARE(Status(w), QStringLiteral("The search was cancelled at file 4 of 5; 3 found so far."));
    // The next search starts afresh.
    cancel.reset();
    RunSearch(w, root, "alpha", fullText ? SearchWhatFullText : SearchWhatFilename);
    QCOMPARE(TablePaths(w).size(), 7);
}

// --- Histories and the driver's checks ---------------------------------------------------

void TestSearchWindow::selectionAndCancelDuringALargeSearch_data()
{
    QTest::addColumn<bool>("fullText");
    QTest::newRow("filename") << false;
    QTest::newRow("full text") << true;
}

// 40 directories of 50 files, every other one a match: the user opens the
// second row while rows are still being added, then cancels at file 1234.
void TestSearchWindow::selectionAndCancelDuringALargeSearch()
{
    QFETCH(bool, fullText);
    QTemporaryDir dir;
    const QString root = dir.path();
    QStringList order;
    for (int d = 0; d < 40; ++d) {
        for (int f = 0; f < 50; ++f) {
            const QString path = root + QString("/d%1/f%2-%3.txt")
                                            .arg(d, 2, 10, QChar('0'))
                                            .arg(f, 2, 10, QChar('0'))
                                            .arg(f % 2 ? "alpha" : "omega");
            QVERIFY(WriteTestFile(path, f % 2 ? "alpha\n" : "omega\n"));
            order << path;
        }
    }
    CLintra w;
    Control<CSearchRun>(w, "SearchRun")->SetGiveUpAfter(60000);
    CAtFile select(w, 500, [&] { Control<CResultsTable>(w, "FilesFound_TableWidget")->selectRow(1); });
    CAtFile cancel(w, 1234, [&w] { Control<QPushButton>(w, "CancelSearch_PushButton")->click(); });
    RunSearch(w, root, "alpha", fullText ? SearchWhatFullText : SearchWhatFilename);

    // Every match before file 1234 in walk order, none after it.
    QStringList expected;
    for (int i = 0; i < 1233; ++i) {
        if (order.at(i).endsWith("alpha.txt"))
            expected << order.at(i);
    }
    QCOMPARE(TablePaths(w), expected);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->value(), 1234);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->maximum(), 1250);
    // The file is read on the viewer's thread; the search went on meanwhile.
    QTRY_COMPARE(ControlText(w, "FileContent_TextEdit", "plainText"),
                 fullText ? QStringLiteral("alpha\n") : order.at(3));
    QCOMPARE(Status(w),
             QString("The search was cancelled at file 1234 of 1250; %1 found so far.").arg(expected.size()));
}

void TestSearchWindow::historiesKeepOrderAndNormalisedTexts()
{
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("a.txt"), "alpha beta gamma delta"));
    CLintra w;
    QComboBox *keywords = Control<QComboBox>(w, "Keywords2Search_ComboBox");
    QComboBox *directories = Control<QComboBox>(w, "Dir2Search_ComboBox");

    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    RunSearch(w, dir.path(), "beta", SearchWhatFullText);
    QCOMPARE(Items(keywords), (QStringList{"beta", "alpha"}));
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(Items(keywords), (QStringList{"beta", "alpha"}));
    QCOMPARE(keywords->currentIndex(), 1);

    // What Enter added as typed gives way to the normalised text.
    keywords->addItem(" gamma   delta ");
    RunSearch(w, dir.path(), " gamma   delta ", SearchWhatFullText);
    QCOMPARE(Items(keywords), (QStringList{"gamma delta", "beta", "alpha"}));
    QCOMPARE(TablePaths(w).size(), 1);

    // The same for a padded directory: it gives way to the trimmed one.
    directories->addItem(dir.path() + "  ");
    RunSearch(w, dir.path() + "  ", "alpha", SearchWhatFilename);
    QCOMPARE(Items(directories), QStringList{dir.path()});
    QCOMPARE(directories->currentIndex(), 0);
    directories->addItem("  " + dir.path() + " ");
    RunSearch(w, "  " + dir.path() + " ", "alpha", SearchWhatFullText);
    QCOMPARE(Items(directories), QStringList{dir.path()});
}

void TestSearchWindow::blankTexts()
{
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("a.txt"), "alpha"));
    CLintra w;
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(TablePaths(w).size(), 1);
    const QString summary = Status(w);

    // Full text with blank keywords: nothing at all.
    QTemporaryDir other;
    RunSearch(w, other.path(), "  \t ", SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{dir.filePath("a.txt")});
    QCOMPARE(Items(Control<QComboBox>(w, "Dir2Search_ComboBox")), QStringList{dir.path()});
    QVERIFY(!Control<QLabel>(w, "ResultContentHeader_Label")->isHidden());

    // Filename with blank keywords: the directory is remembered, the results cleared.
    RunSearch(w, other.path(), "  ", SearchWhatFilename);
    QCOMPARE(Items(Control<QComboBox>(w, "Dir2Search_ComboBox")), (QStringList{other.path(), dir.path()}));
    QCOMPARE(TablePaths(w), QStringList{QString()});
    QVERIFY(ControlText(w, "FileContent_TextEdit", "plainText").isEmpty());
    QVERIFY(Control<QLabel>(w, "ResultContentHeader_Label")->isHidden());
    QVERIFY(Control<QComboBox>(w, "ResultContentCharset_ComboBox")->isHidden());
    QCOMPARE(Status(w), summary);

    // A blank directory clears too.
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    RunSearch(w, "   ", "alpha", SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{QString()});
}

void TestSearchWindow::directoryWithTwoBlanksIsSearched()
{
    QTemporaryDir dir;
    const QString notes = dir.path() + "/My  Notes";
    QVERIFY(WriteTestFile(notes + "/a.txt", "alpha"));
    CLintra w;
    RunSearch(w, " " + notes + " ", "alpha", SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{notes + "/a.txt"});
    QCOMPARE(Items(Control<QComboBox>(w, "Dir2Search_ComboBox")), QStringList{notes});
}

void TestSearchWindow::invalidDirectoryShowsErrorBox_data()
{
    QTest::addColumn<QString>("invalid");
    QTest::newRow("missing directory") << "missing";
    QTest::newRow("a file, not a directory") << "a.txt";
}

void TestSearchWindow::invalidDirectoryShowsErrorBox()
{
    QFETCH(QString, invalid);
    QTemporaryDir dir;
    QVERIFY(WriteTestFile(dir.filePath("a.txt"), "alpha"));
    CLintra w;
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{dir.filePath("a.txt")});

    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    CModalHandler handler([&](QWidget *modal) {
        if (QMessageBox *box = qobject_cast<QMessageBox *>(modal)) {
            text = box->text();
            icon = box->icon();
        }
        modal->close();
    });
    RunSearch(w, dir.filePath(invalid), "beta", SearchWhatFullText);

    QCOMPARE(handler.Handled, 1);
    QCOMPARE(text, QStringLiteral("Error: Invalid path given! Please have it corrected.\n\n") +
                       dir.filePath(invalid));
    QCOMPARE(icon, QMessageBox::Critical);
    // The results stay; heading and histories have already changed.
    QCOMPARE(TablePaths(w), QStringList{dir.filePath("a.txt")});
    QCOMPARE(ControlText(w, "ResultContentHeader_Label"), QStringLiteral("File Content in Charset"));
    QCOMPARE(Items(Control<QComboBox>(w, "Dir2Search_ComboBox")),
             (QStringList{dir.filePath(invalid), dir.path()}));
    QCOMPARE(Items(Control<QComboBox>(w, "Keywords2Search_ComboBox")), (QStringList{"beta", "alpha"}));
    QVERIFY(Control<QPushButton>(w, "DoFullTextSearch_PushButton")->isEnabled());
}

void TestSearchWindow::browseSetsTheDirectoryCancelKeepsAll()
{
    QTemporaryDir dir;
    const QString notes = dir.path() + "/My  Notes";
    QVERIFY(WriteTestFile(notes + "/a.txt", "alpha"));
    CLintra w;
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(TablePaths(w).size(), 1);

    QString caption;
    CModalHandler choose([&](QWidget *modal) {
        QFileDialog *dialog = qobject_cast<QFileDialog *>(modal);
        caption = modal->windowTitle();
        dialog->setDirectory(notes);
        static_cast<QDialog *>(dialog)->accept();
    });
    Control<QToolButton>(w, "BrowseDir_ToolButton")->click();
    QCOMPARE(choose.Handled, 1);
    QCOMPARE(caption, QStringLiteral("Select a Directory"));
    QCOMPARE(ControlText(w, "Dir2Search_ComboBox", "currentText"), notes);
    // Browsing never searches.
    QCOMPARE(TablePaths(w), QStringList{notes + "/a.txt"});

    CModalHandler cancel([](QWidget *modal) { qobject_cast<QFileDialog *>(modal)->reject(); });
    Control<QToolButton>(w, "BrowseDir_ToolButton")->click();
    QCOMPARE(cancel.Handled, 1);
    // Cancelled: nothing changes.
    QCOMPARE(TablePaths(w), QStringList{notes + "/a.txt"});
    QVERIFY(!Control<QLabel>(w, "ResultContentHeader_Label")->isHidden());
    QCOMPARE(ControlText(w, "Dir2Search_ComboBox", "currentText"), notes);
}

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
