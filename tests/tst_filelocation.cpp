// Where a result is, as the table's actions hand it on: the path copied to
// the clipboard, the command that opens its folder, the address given to
// the desktop's file manager, and whether the file is still there.

#include <QtTest>

#include "viewer/core/fileexistencecheck.h"
#include "viewer/core/filelocation.h"

Q_DECLARE_METATYPE(TEnumPlatform)

class TestFileLocation : public QObject
{
    Q_OBJECT

private slots:
    void clipboardPath_data();
    void clipboardPath();
    void folderOpenCommand_data();
    void folderOpenCommand();
    void fileManagerItemUri_data();
    void fileManagerItemUri();
    void onlyTheLatestExistenceQuestionIsAnswered();
};

void TestFileLocation::clipboardPath_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<TEnumPlatform>("platform");
    QTest::addColumn<QString>("copied");

    QTest::newRow("windows, slashes") << "C:/data/notes.txt" << Windows << "C:\\data\\notes.txt";
    QTest::newRow("windows, backslashes") << "C:\\data\\notes.txt" << Windows << "C:\\data\\notes.txt";
    QTest::newRow("linux, as shown") << "/home/u/notes.txt" << Linux << "/home/u/notes.txt";
    QTest::newRow("linux, backslash in a name") << "/home/u/a\\b.txt" << Linux << "/home/u/a\\b.txt";
}

void TestFileLocation::clipboardPath()
{
    QFETCH(QString, shown);
    QFETCH(TEnumPlatform, platform);
    QTEST(ClipboardFilePath(shown, platform), "copied");
}

void TestFileLocation::folderOpenCommand_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<TEnumPlatform>("platform");
    QTest::addColumn<bool>("nautilus");
    // The desktop's folder handler, and a file manager found installed.
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    const QString files = "org.example.Files.desktop";
    QTest::newRow("linux with nautilus") << "/home/u/my notes/a.txt" << Linux << true << ""
                                         << ""
                                         << "/usr/bin/nautilus" << QStringList{"/home/u/my notes"};
    QTest::newRow("linux without nautilus") << "/home/u/a.txt" << Linux << false << files << ""
                                            << "xdg-open" << QStringList{"/home/u"};
    QTest::newRow("linux, file in the root") << "/a.txt" << Linux << false << files << ""
                                             << "xdg-open" << QStringList{"/"};
    // xdg-open would start Lintra again.
    QTest::newRow("linux, Lintra the folder handler")
        << "/home/u/a.txt" << Linux << false << "example.norvane.Lintra.desktop"
        << "/usr/bin/pcmanfm"
        << "/usr/bin/pcmanfm" << QStringList{"/home/u"};
    QTest::newRow("linux, no folder handler") << "/home/u/a.txt" << Linux << false << ""
                                              << "/usr/bin/thunar"
                                              << "/usr/bin/thunar" << QStringList{"/home/u"};
    QTest::newRow("linux, nothing to show folders")
        << "/home/u/a.txt" << Linux << false << "example.norvane.Lintra.desktop"
        << ""
        << "" << QStringList{};
    QTest::newRow("windows") << "/data/my notes/a.txt" << Windows << false << ""
                             << ""
                             << "C:\\Windows\\explorer.exe" << QStringList{"\\data\\my notes"};
}

void TestFileLocation::folderOpenCommand()
{
    QFETCH(QString, shown);
    QFETCH(TEnumPlatform, platform);
    CFolderHandlers handlers;
    QFETCH(bool, nautilus);
    handlers.NautilusInstalled = nautilus;
    QFETCH(QString, handler);
    handlers.DefaultFolderEntry = handler;
    QFETCH(QString, installed);
    handlers.InstalledFileManager = installed;
    const CFolderOpenCommand command = FolderOpenCommand(shown, platform, "C:\\Windows", handlers);
    QTEST(command.Program, "program");
    QTEST(command.Arguments, "arguments");
}

// The address handed to the desktop's file manager names the same file on
// disk, whatever the name holds.
void TestFileLocation::fileManagerItemUri_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QByteArray>("onDisk"); // when the shown text is not the name

    QTest::newRow("plain") << "/home/u/a.txt"
                           << "file:///home/u/a.txt" << QByteArray();
    QTest::newRow("blanks") << "/home/u/my notes/a b.txt"
                            << "file:///home/u/my%20notes/a%20b.txt" << QByteArray();
    QTest::newRow("non-ascii letters") << QString::fromUtf8("/home/u/\xc3\xa9t\xc3\xa9/\xe4\xb8\xad.txt")
                                       << "file:///home/u/%C3%A9t%C3%A9/%E4%B8%AD.txt" << QByteArray();
    QTest::newRow("hash, query and percent")
        << "/home/u/#1 ?x=50%25/100%.txt"
        << "file:///home/u/%231%20%3Fx%3D50%2525/100%25.txt" << QByteArray();
    QTest::newRow("newline and tab") << "/home/u/a\nb\tc.txt"
                                     << "file:///home/u/a%0Ab%09c.txt" << QByteArray();
    QTest::newRow("two leading slashes") << "//home/u/a.txt"
                                         << "file:///home/u/a.txt" << QByteArray();
    QTest::newRow("backslash, quote and semicolon") << "/home/u/a\\'b\";c.txt"
                                                    << "file:///home/u/a%5C%27b%22%3Bc.txt" << QByteArray();
    QTest::newRow("bytes that are no text")
        << QString::fromUtf8("/home/u/bad\xef\xbf\xbd.txt") << "file:///home/u/bad%FF.txt"
        << QByteArray("/home/u/bad\xff.txt");
}

void TestFileLocation::fileManagerItemUri()
{
    QFETCH(QString, shown);
    QFETCH(QString, uri);
    QFETCH(QByteArray, onDisk);
    if (onDisk.isEmpty()) {
        QCOMPARE(FileManagerItemUri(shown), uri);
        onDisk = QFile::encodeName(QDir::cleanPath(shown));
    }
    QCOMPARE(FileManagerItemUri(onDisk), uri);
    // Read back as any URI reader does: the same path, byte for byte.
    const QUrl read = QUrl::fromEncoded(uri.toLatin1(), QUrl::StrictMode);
    QVERIFY(read.isValid());
    QCOMPARE(read.scheme(), QStringLiteral("file"));
    QCOMPARE(QByteArray::fromPercentEncoding(read.path(QUrl::FullyEncoded).toLatin1()), onDisk);
}

// Enter on a file that is gone, then at once on one that is there: only the
// second is answered, later and on this thread.
void TestFileLocation::onlyTheLatestExistenceQuestionIsAnswered()
{
    QTemporaryDir dir;
    QFile here(dir.filePath("here.txt"));
    QVERIFY(here.open(QIODevice::WriteOnly));
    CFileExistenceCheck check;
    QStringList answers;
    for (const QString &path : {dir.filePath("gone.txt"), here.fileName()})
        check.Ask(QFile::encodeName(path), [&answers, path](bool exists) {
            answers << QFileInfo(path).fileName() + (exists ? " exists" : " gone");
            QCOMPARE(QThread::currentThread(), qApp->thread());
        });
    QVERIFY(answers.isEmpty());
    QTRY_COMPARE(answers, QStringList{"here.txt exists"});
    QTest::qWait(100);
    QCOMPARE(answers, QStringList{"here.txt exists"});
}

QTEST_GUILESS_MAIN(TestFileLocation)
#include "tst_filelocation.moc"
