// The results table's context menu: its three actions, when they are usable,
// the path copied and the folder opened (the rules for both are
// tst_filelocation's).

#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QTemporaryDir>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "testsupport.h"
#include "viewer/core/filelocation.h"
#include "windowdriver.h"

class TestViewerTableActions : public QObject
{
    Q_OBJECT

private slots:
    void actionsAsBuilt();
    void usableOnlyOnAFilenameCell_data();
    void usableOnlyOnAFilenameCell();
    void menuShowsTheRule();
    void copiedPathOnLinux();
    void openFolderStartsTheFileManager();
    void tearDown();
};

void TestViewerTableActions::actionsAsBuilt()
{
    CLintra window;
    QAction *openFile = Control<QAction>(window, "OpenFile_Action");
    QAction *copy = Control<QAction>(window, "CopyFilePath_Action");
    QAction *open = Control<QAction>(window, "OpenContainingFolder_Action");
    // The keys work in the table (and the pane) without the menu; the pane's own keys follow.
    QCOMPARE(Control<CResultsTable>(window, "FilesFound_TableWidget")->actions().mid(0, 3),
             (QList<QAction *>{openFile, copy, open}));
    QCOMPARE(openFile->text(), QStringLiteral("&Open"));
    QCOMPARE(copy->text(), QStringLiteral("Copy File &Path"));
    QCOMPARE(copy->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    QCOMPARE(copy->statusTip(),
             QStringLiteral("<font face=\"verdana\">Copy the full path of the selected file to "
                            "the clipboard.</font>"));
    QCOMPARE(open->text(), QStringLiteral("Open Containing &Folder"));
    QCOMPARE(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    QCOMPARE(open->statusTip(),
             QStringLiteral("<font face=\"verdana\">Open the folder that contains the selected "
                            "file in the system File Explorer.</font>"));
    // QIcon::isNull() is false even for a missing file: look at the pixels.
    QCOMPARE(PictureProblem(copy->icon().pixmap(16)), QString());
    QCOMPARE(PictureProblem(open->icon().pixmap(16)), QString());
    QCOMPARE(PictureProblem(openFile->icon().pixmap(16)), QString());
    QCOMPARE(copy->parent(), &window);
    QVERIFY(window.actions().isEmpty());
}

void TestViewerTableActions::usableOnlyOnAFilenameCell_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("usable");

    QTest::newRow("empty table") << 0 << 0 << 0 << false;
    QTest::newRow("filename cell") << 2 << 1 << 0 << true;
    QTest::newRow("size cell") << 2 << 1 << 1 << false;
    QTest::newRow("time cell") << 2 << 0 << 2 << false;
    QTest::newRow("below the last row") << 2 << 5 << 0 << false;
}

void TestViewerTableActions::usableOnlyOnAFilenameCell()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(int, column);
    CLintra window;
    window.resize(900, 600);
    CResultsTable *table = Control<CResultsTable>(window, "FilesFound_TableWidget");
    for (int i = 0; i < rows; ++i)
        window.AddResultRows(QStringList{QStringLiteral("/tmp/result %1.txt").arg(i)}, SearchWhatFilename);
    // Where the cell is, or would be below the rows.
    const int height = table->verticalHeader()->defaultSectionSize();
    const QPoint point(table->columnViewportPosition(column) + 2, row * height + height / 2);
    QTEST(table->FileCellAt(point), "usable");
}

void TestViewerTableActions::menuShowsTheRule()
{
    CLintra window;
    window.AddResultRows(QStringList{"/tmp/a.txt"}, SearchWhatFilename);
    CResultsTable *table = Control<CResultsTable>(window, "FilesFound_TableWidget");
    QStringList seen;
    for (int column : {0, 1}) {
        QTimer::singleShot(0, [&seen] {
            QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *action : menu->actions())
                seen << action->text() + (action->isEnabled() ? " on" : " off") +
                            (action == menu->defaultAction() ? " default" : "");
            seen << menu->font().family();
            menu->close();
        });
        const QRect cell = table->visualRect(CellIndex(window, 0, column));
        QVERIFY(
            QMetaObject::invokeMethod(&window, "ShowFilesTableContextMenu", Q_ARG(QPoint, cell.center())));
    }
    // A filename search has no lines to show.
    QCOMPARE(seen,
             (QStringList{"&Open on default", "Copy File &Path on", "Open Containing &Folder on", " on",
                          "Show Matching &Lines off", "verdana", "&Open off default", "Copy File &Path off",
                          "Open Containing &Folder off", " on", "Show Matching &Lines off", "verdana"}));
    // Closed, the menu leaves the keys working.
    QVERIFY(Control<QAction>(window, "CopyFilePath_Action")->isEnabled());
}

void TestViewerTableActions::copiedPathOnLinux()
{
    if (RunningPlatform != Linux)
        QSKIP("Linux only");
    CLintra window;
    window.AddResultRows(QStringList{"/data/my notes/a.txt", "/data/b.txt"}, SearchWhatFilename);
    CResultsTable *table = Control<CResultsTable>(window, "FilesFound_TableWidget");
    table->setCurrentIndex(CellIndex(window, 0, 2));
    Control<QAction>(window, "CopyFilePath_Action")->trigger();
    QCOMPARE(QApplication::clipboard()->text(QClipboard::Clipboard), QStringLiteral("/data/my notes/a.txt"));
    table->setCurrentIndex(CellIndex(window, 1, 0));
    Control<QAction>(window, "CopyFilePath_Action")->trigger();
    QCOMPARE(QApplication::clipboard()->text(QClipboard::Clipboard), QStringLiteral("/data/b.txt"));
}

// A stand-in xdg-open on the PATH records what it was given.
void TestViewerTableActions::openFolderStartsTheFileManager()
{
    if (RunningPlatform != Linux || QFile::exists(QString::fromLatin1(NautilusProgram)))
        QSKIP("needs Linux without nautilus, so that xdg-open is started");
    QTemporaryDir dir;
    const QString record = dir.filePath("arguments");
    const QString opener = dir.filePath("bin/xdg-open");
    QVERIFY(
        WriteTestFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record.toLocal8Bit() + "'\n"));
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner);
    const QString handler = dir.filePath("bin/xdg-mime");
    QVERIFY(WriteTestFile(handler, "#!/bin/sh\necho org.example.Files.desktop\n"));
    QFile::setPermissions(handler, QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.filePath("bin")) + ':' + path);

    CLintra window;
    window.AddResultRows(QStringList{dir.filePath("my notes/a.txt")}, SearchWhatFilename);
    Control<CResultsTable>(window, "FilesFound_TableWidget")->setCurrentIndex(CellIndex(window, 0, 0));
    Control<QAction>(window, "OpenContainingFolder_Action")->trigger();
    QVERIFY(Control<QProcess>(window, "FileExplorer_Process")->waitForFinished());
    qputenv("PATH", path);
    QFile written(record);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(written.readAll()), "1\n" + dir.filePath("my notes") + "\n");
}

// The window goes with rows and a row on show: nothing it tears down is
// reached after it has gone.
void TestViewerTableActions::tearDown()
{
    QPointer<CResultsTable> table;
    {
        CLintra window;
        window.AddResultRows(QStringList{"/tmp/a.txt", "/tmp/b.txt"}, SearchWhatFilename);
        table = Control<CResultsTable>(window, "FilesFound_TableWidget");
        table->selectRow(1);
        QCOMPARE(ControlText(window, "FileContent_TextEdit", "plainText"), "/tmp/b.txt");
    }
    QVERIFY(table.isNull());
}

QTEST_MAIN(TestViewerTableActions)
#include "tst_viewertableactions.moc"
