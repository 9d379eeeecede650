// The results table's context menu: its three actions, when they are usable,
// the copied path and the command that opens a result's folder.

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

Q_DECLARE_METATYPE(TEnumPlatform)

class TestViewerTableActions : public QObject
{
    Q_OBJECT

private slots:
    void actionsAsBuilt();
    void usableOnlyOnAFilenameCell_data();
    void usableOnlyOnAFilenameCell();
    void menuShowsTheRule();
    void copiedPathOnLinux();
    void clipboardPath_data();
    void clipboardPath();
    void folderOpenCommand_data();
    void folderOpenCommand();
    void fileManagerItemUri_data();
    void fileManagerItemUri();
    void openFolderStartsTheFileManager();
    void tearDown();
};

void TestViewerTableActions::actionsAsBuilt()
{
    CLintra window;
    QCOMPARE(window.FilesTableContextMenu_Actions,
             (QList<QAction *>{window.OpenFile_Action, window.CopyFilePath_Action,
                               window.OpenContainingFolder_Action}));
    QCOMPARE(window.OpenFile_Action->text(), QStringLiteral("&Open"));
    QAction *copy = window.CopyFilePath_Action;
    QCOMPARE(copy->text(), QStringLiteral("Copy File &Path"));
    QCOMPARE(copy->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    QCOMPARE(copy->statusTip(),
             QStringLiteral("<font face=\"verdana\">Copy the full path of the selected file to "
                            "the clipboard.</font>"));
    QAction *open = window.OpenContainingFolder_Action;
    QCOMPARE(open->text(), QStringLiteral("Open Containing &Folder"));
    QCOMPARE(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    QCOMPARE(open->statusTip(),
             QStringLiteral("<font face=\"verdana\">Open the folder that contains the selected "
                            "file in the system File Explorer.</font>"));
    // QIcon::isNull() is false even for a missing file: look at the pixels.
    QCOMPARE(PictureProblem(copy->icon().pixmap(16)), QString());
    QCOMPARE(PictureProblem(open->icon().pixmap(16)), QString());
    QCOMPARE(PictureProblem(window.OpenFile_Action->icon().pixmap(16)), QString());
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
    CResultsTable *table = window.ui->FilesFound_TableWidget;
    for (int i = 0; i < rows; ++i)
        window.AddResultRows(QStringList{QStringLiteral("/tmp/result %1.txt").arg(i)});
    // Where the cell is, or would be below the rows.
    const int height = table->verticalHeader()->defaultSectionSize();
    const QPoint point(table->columnViewportPosition(column) + 2, row * height + height / 2);
    QTEST(window.FilesTableActionsUsable(point), "usable");
}

void TestViewerTableActions::menuShowsTheRule()
{
    CLintra window;
    window.AddResultRows(QStringList{"/tmp/a.txt"});
    CResultsTable *table = window.ui->FilesFound_TableWidget;
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
        QMetaObject::invokeMethod(&window, "ShowFilesTableContextMenu", Q_ARG(QPoint, cell.center()));
    }
    QCOMPARE(seen, (QStringList{"&Open on default", "Copy File &Path on", "Open Containing &Folder on",
                                "verdana", "&Open off default", "Copy File &Path off",
                                "Open Containing &Folder off", "verdana"}));
    QVERIFY(!window.CopyFilePath_Action->isEnabled());
}

void TestViewerTableActions::copiedPathOnLinux()
{
    if (RunningPlatform != Linux)
        QSKIP("Linux only");
    CLintra window;
    window.AddResultRows(QStringList{"/data/my notes/a.txt", "/data/b.txt"});
    CResultsTable *table = window.ui->FilesFound_TableWidget;
    table->setCurrentIndex(CellIndex(window, 0, 2));
    window.CopyFilePath_Action->trigger();
    QCOMPARE(QApplication::clipboard()->text(QClipboard::Clipboard), QStringLiteral("/data/my notes/a.txt"));
    table->setCurrentIndex(CellIndex(window, 1, 0));
    window.CopyFilePath_Action->trigger();
    QCOMPARE(QApplication::clipboard()->text(QClipboard::Clipboard), QStringLiteral("/data/b.txt"));
}

void TestViewerTableActions::clipboardPath_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<TEnumPlatform>("platform");
    QTest::addColumn<QString>("copied");

    QTest::newRow("windows, slashes") << "C:/data/notes.txt" << Windows << "C:\\data\\notes.txt";
    QTest::newRow("windows, backslashes") << "C:\\data\\notes.txt" << Windows << "C:\\data\\notes.txt";
    QTest::newRow("linux, as shown") << "/home/u/notes.txt" << Linux << "/home/u/notes.txt";
    QTest::newRow("linux, backslash in a name") << "/home/u/a\\b.txt" << Linux << "/home/u/a\\b.txt";
}

void TestViewerTableActions::clipboardPath()
{
    QFETCH(QString, shown);
    QFETCH(TEnumPlatform, platform);
    QTEST(ClipboardFilePath(shown, platform), "copied");
}

void TestViewerTableActions::folderOpenCommand_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<TEnumPlatform>("platform");
    QTest::addColumn<bool>("nautilus");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("linux with nautilus") << "/home/u/my notes/a.txt" << Linux << true << "/usr/bin/nautilus"
                                         << QStringList{"/home/u/my notes"};
    QTest::newRow("linux without nautilus")
        << "/home/u/a.txt" << Linux << false << "xdg-open" << QStringList{"/home/u"};
    QTest::newRow("linux, file in the root") << "/a.txt" << Linux << false << "xdg-open" << QStringList{"/"};
    QTest::newRow("windows") << "/data/my notes/a.txt" << Windows << false << "C:\\Windows\\explorer.exe"
                             << QStringList{"\\data\\my notes"};
}

void TestViewerTableActions::folderOpenCommand()
{
    QFETCH(QString, shown);
    QFETCH(TEnumPlatform, platform);
    QFETCH(bool, nautilus);
    const CFolderOpenCommand command = FolderOpenCommand(shown, platform, "C:\\Windows", nautilus);
    QTEST(command.Program, "program");
    QTEST(command.Arguments, "arguments");
}

// The address handed to the desktop's file manager names the same file on
// disk, whatever the name holds.
void TestViewerTableActions::fileManagerItemUri_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("uri");

    QTest::newRow("plain") << "/home/u/a.txt"
                           << "file:///home/u/a.txt";
    QTest::newRow("blanks") << "/home/u/my notes/a b.txt"
                            << "file:///home/u/my%20notes/a%20b.txt";
    QTest::newRow("non-ascii letters") << QString::fromUtf8("/home/u/\xc3\xa9t\xc3\xa9/\xe4\xb8\xad.txt")
                                       << "file:///home/u/%C3%A9t%C3%A9/%E4%B8%AD.txt";
    QTest::newRow("hash, query and percent") << "/home/u/#1 ?x=50%25/100%.txt"
                                             << "file:///home/u/%231%20%3Fx%3D50%2525/100%25.txt";
    QTest::newRow("newline and tab") << "/home/u/a\nb\tc.txt"
                                     << "file:///home/u/a%0Ab%09c.txt";
    QTest::newRow("two leading slashes") << "//home/u/a.txt"
                                         << "file:///home/u/a.txt";
    QTest::newRow("backslash, quote and semicolon") << "/home/u/a\\'b\";c.txt"
                                                    << "file:///home/u/a%5C%27b%22%3Bc.txt";
}

void TestViewerTableActions::fileManagerItemUri()
{
    QFETCH(QString, shown);
    QFETCH(QString, uri);
    QCOMPARE(FileManagerItemUri(shown), uri);
    // Read back as any URI reader does: the same path, byte for byte.
    const QUrl read = QUrl::fromEncoded(uri.toLatin1(), QUrl::StrictMode);
    QVERIFY(read.isValid());
    QCOMPARE(read.scheme(), QStringLiteral("file"));
    QCOMPARE(QByteArray::fromPercentEncoding(read.path(QUrl::FullyEncoded).toLatin1()),
             QFile::encodeName(QDir::cleanPath(shown)));
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
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.filePath("bin")) + ':' + path);

    CLintra window;
    window.AddResultRows(QStringList{dir.filePath("my notes/a.txt")});
    window.ui->FilesFound_TableWidget->setCurrentIndex(CellIndex(window, 0, 0));
    window.OpenContainingFolder_Action->trigger();
    QVERIFY(window.FileExplorer_Process.waitForFinished());
    qputenv("PATH", path);
    QFile written(record);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(written.readAll()), "1\n" + dir.filePath("my notes") + "\n");
}

void TestViewerTableActions::tearDown()
{
    CLintra window;
    window.AddResultRows(QStringList{"/tmp/a.txt", "/tmp/b.txt"});
    window.SearchWhat = SearchWhatFilename;
    window.DisconnectFilesTableSignals();
    window.ui->FilesFound_TableWidget->selectRow(1);
    QCOMPARE(window.CurrentResultRow, -1);
    window.DestroyFilesTableActions();
    QVERIFY(window.FilesTableContextMenu_Actions.isEmpty());
    QVERIFY(!window.CopyFilePath_Action && !window.OpenContainingFolder_Action);
    window.DestroyFilesTableActions();
}

QTEST_MAIN(TestViewerTableActions)
#include "tst_viewertableactions.moc"
