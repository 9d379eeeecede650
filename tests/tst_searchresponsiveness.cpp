// The window during a search: the progress is shown once per refresh, never
// backwards, and its last value is exact; the search runs on its own
// threads, so the window's events are handled while a long file is read,
// and Cancel and row selection work there. Nothing here is timed: a long
// file only gives the event rounds time to happen.

#include <QtTest>

#include <QProgressBar>
#include <QTemporaryDir>

#include <functional>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/csearchrun.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

struct CProgressStep
{
    int Value;
    int Maximum;
    QString Status;
};

// A file the pre-filter cannot rule out for "alpha" but whose lines never
// hold it as a whole word, so that every line is read and decoded.
QString WriteLongFile(const QString &path)
{
    const QByteArray line("alphabet soup for a long read\n");
    QByteArray bytes;
    bytes.reserve(32 * 1024 * 1024);
    while (bytes.size() < 32 * 1024 * 1024)
        bytes += line;
    if (!WriteTestFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Runs action in the third event round of the window, counted from when the
// search reaches file `file`, while the search goes on. Each round fires one
// zero timer, which arms the next.
class CInRoundOfFile
{
public:
    CInRoundOfFile(CLintra &w, int file, std::function<void()> action)
        : Window(w)
        , File(file)
        , Action(std::move(action))
        , Start(w, file, [this] { Arm(); })
    {
    }
    int RoundsInFile = 0;

private:
    void Arm()
    {
        QTimer::singleShot(0, [this] {
            if (!Window.SearchRunning())
                return;
            if (++RoundsInFile == 3)
                Action();
            else
                Arm();
        });
    }

    CLintra &Window;
    int File;
    std::function<void()> Action;
    CAtFile Start;
};

} // namespace

class TestSearchResponsiveness : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }
    void everyFileNumberIsWrittenExactly_data();
    void everyFileNumberIsWrittenExactly();
    void cancelInsideALongFile();
    void rowSelectionInsideALongFile();
};

void TestSearchResponsiveness::everyFileNumberIsWrittenExactly_data()
{
    QTest::addColumn<bool>("fullText");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("full text") << true << "Processing file %1 of total %2 files..."
                               << "alpha";
    QTest::newRow("filename") << false << "Checking the name of file %1 of total %2 files..."
                              << "txt";
}

void TestSearchResponsiveness::everyFileNumberIsWrittenExactly()
{
    QFETCH(bool, fullText);
    QFETCH(QString, format);
    QFETCH(QString, keyword);

    // 3 + 40 + 7 files in three directories, so that the total grows twice.
    QTemporaryDir dir;
    const QString root = dir.path();
    const QStringList subs = {"", "/sub", "/sub/deeper"};
    const QList<int> counts = {3, 40, 7};
    for (int d = 0; d < subs.size(); ++d) {
        for (int f = 0; f < counts.at(d); ++f)
            QVERIFY(WriteTestFile(root + subs.at(d) + QString("/f%1.txt").arg(f), "alpha\n"));
    }

    CLintra w;
    QList<CProgressStep> steps;
    QProgressBar *bar = Control<QProgressBar>(w, "Searching_ProgressBar");
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        steps << CProgressStep{value, bar->maximum(), Status(w)};
    });
    RunSearch(w, root, keyword, fullText ? SearchWhatFullText : SearchWhatFilename);

    // Drawn once per refresh, not once per file: some numbers are skipped,
    // none goes back, and the text always says what the bar shows.
    QVERIFY(!steps.isEmpty());
    QVERIFY(steps.size() <= 50);
    for (int i = 0; i < steps.size(); ++i) {
        QVERIFY(i == 0 || steps.at(i).Value > steps.at(i - 1).Value);
        QVERIFY(steps.at(i).Value <= steps.at(i).Maximum);
        QVERIFY(steps.at(i).Status.isEmpty() ||
                steps.at(i).Status == format.arg(steps.at(i).Value).arg(steps.at(i).Maximum) ||
                steps.at(i).Status.startsWith("50 of the 50"));
    }
    QCOMPARE(steps.last().Value, 50);
    QCOMPARE(bar->value(), 50);
    QCOMPARE(bar->maximum(), 50);
    QCOMPARE(TablePaths(w).size(), 50);
    QVERIFY(Status(w).startsWith("50 of the 50 searched files"));
}

void TestSearchResponsiveness::cancelInsideALongFile()
{
    QTemporaryDir dir;
    WriteLongFile(dir.filePath("a-long.txt"));
    QVERIFY(WriteTestFile(dir.filePath("b-short.txt"), "alpha\n"));

    CLintra w;
    Control<CSearchRun>(w, "SearchRun")->SetGiveUpAfter(60000);
    CInRoundOfFile cancel(w, 1, [&w] { Control<QPushButton>(w, "CancelSearch_PushButton")->click(); });
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);

    QCOMPARE(cancel.RoundsInFile, 3);
    QCOMPARE(Control<QProgressBar>(w, "Searching_ProgressBar")->value(), 1);
    QVERIFY(TablePaths(w).isEmpty());
    QCOMPARE(Status(w), QStringLiteral("The search was cancelled at file 1 of 2; 0 found so far."));
}

void TestSearchResponsiveness::rowSelectionInsideALongFile()
{
    QTemporaryDir dir;
    const QString shown = dir.filePath("shown.txt");
    QVERIFY(WriteTestFile(shown, "the alpha line\n"));
    WriteLongFile(dir.filePath("sub/long.txt"));

    CLintra w;
    Control<CSearchRun>(w, "SearchRun")->SetGiveUpAfter(60000);
    CInRoundOfFile select(w, 2, [&w] {
        Control<CResultsTable>(w, "FilesFound_TableWidget")->selectRow(0);
        Control<QPushButton>(w, "CancelSearch_PushButton")->click();
    });
    RunSearch(w, dir.path(), "alpha", SearchWhatFullText);

    QCOMPARE(select.RoundsInFile, 3);
    QCOMPARE(TablePaths(w), QStringList{shown});
    // The user's choice, read on the viewer's thread, stays in the pane: no hint replaces it.
    QTRY_COMPARE(ControlText(w, "FileContent_TextEdit", "plainText"), QStringLiteral("the alpha line\n"));
}

QTEST_MAIN(TestSearchResponsiveness)
#include "tst_searchresponsiveness.moc"
