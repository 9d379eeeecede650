// Searches through the window over trees that fight back: links that loop,
// special files, files and folders that change or vanish mid-search, huge and
// deep trees, odd names and odd contents. Each must finish with the right
// files and without hanging or crashing.

#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QLocalServer>
#include <QProcess>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/core/resultsmodel.h"
#include "search/cresultstable.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

const QByteArray Keyword = "zephyrine";

QString Make(const QDir &root, const QString &relative, const QByteArray &bytes)
{
    const QString path = root.filePath(relative);
    if (!WriteTestFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QSet<QString> Set(const QStringList &paths)
{
    return QSet<QString>(paths.begin(), paths.end());
}

// Runs the unreadable-entries case in a child process as the unprivileged
// user "nobody" (root reads everything), and prints the table.
int UnreadableChild()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString open = Make(root, "open.txt", "a " + Keyword + " b\n");
    const QString locked = Make(root, "locked.txt", "a " + Keyword + " b\n");
    Make(root, "closed/inside.txt", "a " + Keyword + " b\n");
    chmod(QFile::encodeName(locked).constData(), 0);
    chmod(QFile::encodeName(root.filePath("closed")).constData(), 0);

    CLintra w;
    for (TEnumSearchWhat what : {SearchWhatFullText, SearchWhatFilename}) {
        RunSearch(w, root.path(), what == SearchWhatFullText ? QString(Keyword) : QString("o"), what);
        QTextStream(stdout) << (what == SearchWhatFullText ? "fulltext" : "filename") << ": "
                            << TablePaths(w).join(',').remove(root.path() + '/') << " | " << Status(w)
                            << '\n';
    }
    chmod(QFile::encodeName(root.filePath("closed")).constData(), 0700);
    return 0;
}

} // namespace

class TestHostileTrees : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void linksToAncestorsAreFollowedOnce();
    void specialFilesAreNeverOpened();
    void deviceBehindALinkIsNeverOpened();
    void unreadableFilesAndFoldersAreSkipped();
    void filesChangingDuringTheSearch();
    void folderRemovedWhileWalked();
    void hundredThousandFilesInOneFolder();
    void nestingTwoHundredLevelsDeep_data();
    void nestingTwoHundredLevelsDeep();
    void oddNames();
    void sparseFourGigabyteFile();
    void binaryFileOfZeros();
};

void TestHostileTrees::linksToAncestorsAreFollowedOnce()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString top = Make(root, "top.txt", Keyword + "\n");
    const QString deep = Make(root, "a/b/deep.txt", Keyword + "\n");
    QVERIFY(QFile::link(root.filePath("a"), root.filePath("a/b/up")));
    QVERIFY(QFile::link(root.path(), root.filePath("a/b/root")));

    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w).size(), 2);
    QCOMPARE(TablePathSet(w), Set({top, deep}));
}

void TestHostileTrees::specialFilesAreNeverOpened()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString plain = Make(root, "plain.txt", Keyword + "\n");
    QVERIFY(mkfifo(QFile::encodeName(root.filePath("x.txt")).constData(), 0600) == 0);
    QDir().mkpath(root.filePath("sock"));
    QLocalServer server;
    QVERIFY(server.listen(root.filePath("sock/x.txt")));

    // Opening the pipe for reading would block forever: it must not even be listed.
    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{plain});
    RunSearch(w, root.path(), "x.txt", SearchWhatFilename);
    QVERIFY(TablePaths(w).isEmpty());
    QVERIFY(Status(w).startsWith("0 of the 1 searched files"));
}

void TestHostileTrees::deviceBehindALinkIsNeverOpened()
{
    QTemporaryDir temp;
    QTemporaryDir elsewhere;
    const QDir root(temp.path());
    QVERIFY(QFile::link("/dev/zero", root.filePath("zero.txt")));
    QVERIFY(QFile::link("/dev/zero", QDir(elsewhere.path()).filePath("endless.log")));
    QVERIFY(QFile::link(elsewhere.path(), root.filePath("linked")));
    const QString plain = Make(root, "linked-not/plain.txt", Keyword + "\n");

    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{plain});
    RunSearch(w, root.path(), ".", SearchWhatFilename);
    QCOMPARE(TablePaths(w), QStringList{plain});
}

void TestHostileTrees::unreadableFilesAndFoldersAreSkipped()
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LINTRA_HOSTILE_CHILD", "unreadable");
    child.setProcessEnvironment(env);
    if (geteuid() == 0) {
        // The child creates its own tree and settings folder in /tmp as "nobody".
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_RUNTIME_DIR");
        child.setProcessEnvironment(env);
        child.setWorkingDirectory("/tmp");
        child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                QCoreApplication::applicationFilePath()});
    } else {
        child.start(QCoreApplication::applicationFilePath(), QStringList());
    }
    QVERIFY(child.waitForFinished(120000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    QVERIFY2(child.exitCode() == 0, qPrintable(out + child.readAllStandardError()));
    // The locked file is counted but cannot be read; the closed folder adds nothing.
    QVERIFY2(out.contains("fulltext: open.txt | 1 of the 2 searched files contain(s) the given keyword(s)."),
             qPrintable(out));
    QVERIFY2(out.contains("filename: "), qPrintable(out));
    QVERIFY2(out.contains("| 2 of the 2 searched files have/has the given keyword(s) in filename."),
             qPrintable(out));
    QVERIFY2(!out.contains("inside.txt"), qPrintable(out));
}

void TestHostileTrees::filesChangingDuringTheSearch()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString kept = Make(root, "kept.txt", "x " + Keyword + "\n");
    const QString deleted = Make(root, "deleted.txt", "x " + Keyword + "\n");
    const QString truncated = Make(root, "truncated.txt", QByteArray(5000, 'y') + "\n" + Keyword + "\n");
    const QString grown = Make(root, "grown.txt", "nothing yet\n");

    // Before the first file is read, the others change under the search.
    CLintra w;
    CAtFile change(w, 1, [&] {
        QFile::remove(deleted);
        QFile(truncated).resize(100);
        QFile file(grown);
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(100000, 'z') + "\n" + Keyword + "\n");
    });
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePathSet(w), Set({kept, grown}));
    QCOMPARE(Status(w), QString("2 of the 4 searched files contain(s) the given keyword(s)."));
}

void TestHostileTrees::folderRemovedWhileWalked()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString top = Make(root, "top.txt", Keyword + "\n");
    Make(root, "gone/a.txt", Keyword + "\n");
    Make(root, "gone/deeper/b.txt", Keyword + "\n");
    const QString stays = Make(root, "stays/c.txt", Keyword + "\n");

    CLintra w;
    CAtFile remove(w, 1, [&] { QVERIFY(QDir(root.filePath("gone")).removeRecursively()); });
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePathSet(w), Set({top, stays}));
}

void TestHostileTrees::hundredThousandFilesInOneFolder()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    for (int i = 0; i < 100000; ++i)
        Make(root, QString("f%1.txt").arg(i), i == 77777 ? Keyword : QByteArray("plain"));

    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{root.filePath("f77777.txt")});
    QCOMPARE(Status(w), QString("1 of the 100000 searched files contain(s) the given keyword(s)."));
    RunSearch(w, root.path(), "f7777", SearchWhatFilename);
    QCOMPARE(TablePaths(w).size(), 11); // f7777 and f77770..f77779
}

void TestHostileTrees::nestingTwoHundredLevelsDeep_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("nameLength");
    QTest::newRow("200 levels") << 200 << 4;
    // Paths of more than 4096 bytes, which the system takes in no single call.
    QTest::newRow("160 levels of 40 characters") << 160 << 40;
}

// Made relative to each parent, as no path reaches the deeper levels.
void TestHostileTrees::nestingTwoHundredLevelsDeep()
{
    QFETCH(int, levels);
    QFETCH(int, nameLength);
    QTemporaryDir temp;
    QString path = temp.path();
    QStringList files;
    int directory = open(QFile::encodeName(temp.path()).constData(), O_RDONLY | O_DIRECTORY);
    for (int level = 1; level <= levels && directory >= 0; ++level) {
        const QByteArray name = QByteArray::number(level).rightJustified(nameLength, 'd');
        QCOMPARE(mkdirat(directory, name.constData(), 0700), 0);
        const int child = openat(directory, name.constData(), O_RDONLY | O_DIRECTORY);
        close(directory);
        directory = child;
        path += '/' + QString::fromLatin1(name);
        if (level == 10 || level == levels * 3 / 4 || level == levels) {
            const int file = openat(directory, "bottom.txt", O_WRONLY | O_CREAT, 0600);
            QVERIFY(file >= 0);
            const QByteArray text = "at the " + Keyword + "\n";
            QCOMPARE(write(file, text.constData(), size_t(text.size())), ssize_t(text.size()));
            close(file);
            files << path + "/bottom.txt";
        }
    }
    close(directory);
    QVERIFY(files.last().size() > (nameLength > 4 ? 4096 : 0));

    CLintra w;
    RunSearch(w, temp.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w), files);
    RunSearch(w, temp.path(), "bottom", SearchWhatFilename);
    QCOMPARE(TablePaths(w), files);
    QVERIFY(!Control<QLabel>(w, "SearchUnread_Label")->isVisibleTo(&w));
    // The toolkit cannot remove what it cannot reach by path.
    QCOMPARE(QProcess::execute("rm", {"-rf", temp.path()}), 0);
}

void TestHostileTrees::oddNames()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString newline = Make(root, "two\nlines.txt", Keyword + "\n");
    const QString html = Make(root, "<b>bold</b>.txt", Keyword + "\n");
    // Names that are not valid UTF-8, of a file and of a folder, are kept as
    // bytes: listed, searched and shown with U+FFFD; the table gives back the bytes.
    const QByteArray invalid = QFile::encodeName(root.path()) + "/bad\xff\xfe.txt";
    const QByteArray invalidFolder = QFile::encodeName(root.path()) + "/baddir\xfe";
    const QByteArray inFolder = invalidFolder + "/in.txt";
    QCOMPARE(mkdir(invalidFolder.constData(), 0700), 0);
    for (const QByteArray &path : {invalid, inFolder}) {
        FILE *file = fopen(path.constData(), "w");
        QVERIFY(file);
        fputs(qPrintable(Keyword + "\n"), file);
        fclose(file);
    }
    const QString bad = QChar(QChar::ReplacementCharacter);
    // A line break in a name shows as a mark.
    const QString newlineShown = QString(newline).replace('\n', QChar(0x23CE));
    const QSet<QString> all = Set({newlineShown, html, root.path() + "/bad" + bad + bad + ".txt",
                                   root.path() + "/baddir" + bad + "/in.txt"});

    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePathSet(w), all);
    RunSearch(w, root.path(), ".txt", SearchWhatFilename);
    QCOMPARE(TablePathSet(w), all);
    QSet<QByteArray> bytes;
    CResultsTable *table = Control<CResultsTable>(w, "FilesFound_TableWidget");
    // Sorted, a row is no longer where the search found it: the actions take the row's own file.
    table->sortByColumn(0, Qt::DescendingOrder);
    for (int row = 0; row < 4; ++row) {
        bytes << table->FilePathBytes(row);
        if (table->FilePathBytes(row) == invalid)
            table->setCurrentIndex(table->model()->index(row, 0));
    }
    QVERIFY(bytes.contains(invalid) && bytes.contains(inFolder));
    // Copied in a form that a shell reads back as the file.
    Control<QAction>(w, "CopyFilePath_Action")->trigger();
    const QString pasted = QApplication::clipboard()->text();
    QCOMPARE(pasted, "$'" + root.path() + "/bad\\xff\\xfe.txt'");
    QProcess shell;
    shell.start("bash", {"-c", "cat -- " + pasted});
    QVERIFY(shell.waitForFinished());
    QCOMPARE(shell.readAllStandardOutput(), Keyword + "\n");
    unlink(invalid.constData()); // the toolkit could not remove them either
    unlink(inFolder.constData());
    rmdir(invalidFolder.constData());

    // The table shows the name as text, never as markup.
    for (int row = 0; row < Control<CResultsTable>(w, "FilesFound_TableWidget")->rowCount(); ++row) {
        if (CellText(w, row, 0) == html)
            QVERIFY(CellData(w, row, 0, Qt::ToolTipRole).toString().contains("&lt;b&gt;bold&lt;/b&gt;.txt"));
    }
}

void TestHostileTrees::sparseFourGigabyteFile()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    const QString small = Make(root, "small.txt", Keyword + "\n");
    QFile sparse(root.filePath("sparse.log"));
    QVERIFY(sparse.open(QIODevice::WriteOnly));
    QVERIFY(sparse.resize(qint64(4) << 30));
    sparse.close();

    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{small});
    QCOMPARE(Status(w), QString("1 of the 2 searched files contain(s) the given keyword(s)."));
    QCOMPARE(CellText(w, 0, 1), QString("1"));
}

void TestHostileTrees::binaryFileOfZeros()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    Make(root, "zeros.txt", QByteArray(10 << 20, '\0'));
    const QString found = Make(root, "after.txt", QByteArray(3, '\0') + Keyword + QByteArray(3, '\0'));

    CLintra w;
    RunSearch(w, root.path(), Keyword, SearchWhatFullText);
    QCOMPARE(TablePaths(w), QStringList{found});
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (qgetenv("LINTRA_HOSTILE_CHILD") == "unreadable")
        return UnreadableChild();
    TestHostileTrees test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostiletrees.moc"
