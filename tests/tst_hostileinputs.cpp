// Input the program does not control: a settings store that is garbage or
// cannot be written (the window starts with its defaults and says nothing),
// and result files that change after the search (the viewer shows what it
// can, pages without crashing, and reports no success it did not have).

#include <QtTest>

#include <QProcess>
#include <QScreen>
#include <QSettings>

#include <sys/stat.h>
#include <unistd.h>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "testsupport.h"
#include "update/core/installationid.h"
#include "windowdriver.h"

namespace {

QByteArray Noise(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char((seed = seed * 1103515245u + 12345u) >> 24);
    return bytes;
}

void VerifyDefaults(const CLintra &w)
{
    // The window's least size, whatever was stored, wholly on the (offscreen, small) screen.
    QCOMPARE(w.size(), w.minimumSize());
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w.geometry()));
    QCOMPARE(Control<QComboBox>(w, "Dir2Search_ComboBox")->count(), 0);
    QCOMPARE(Control<QComboBox>(w, "Keywords2Search_ComboBox")->count(), 0);
    QCOMPARE(w.UpdateCheck().IntervalDays(), 3);
}

QByteArray Lines(int count, const QByteArray &keywordAt = QByteArray(), int keywordLine = -1)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += (i == keywordLine ? keywordAt : QByteArray("plain")) + " line of text " +
                 QByteArray::number(i) + "\n";
    return bytes;
}

// A window with one full-text result row for the file, not yet selected.
struct CViewerFixture
{
    CLintra Window;
    explicit CViewerFixture(const QString &path, const QString &keywords = "needle")
    {
        Control<QComboBox>(Window, "Keywords2Search_ComboBox")->setEditText(keywords);
        Window.AddResultRows(QStringList{path}, SearchWhatFullText);
    }
    void Select()
    {
        Control<CResultsTable>(Window, "FilesFound_TableWidget")->selectRow(0);
        Settle();
    }
    // The file is read on the viewer's thread: waits for its answer.
    void Settle() { WaitForViewer(Window); }
    QString Strip() const
    {
        return Control<CContentEdit>(Window, "FileContent_TextEdit")->Position_Label->text();
    }
    QString Shown() const { return ControlText(Window, "FileContent_TextEdit", "plainText"); }
    // Both paging commands a few times each, as a user clicking on.
    void PageAround()
    {
        for (const char *slot : {"GotoContentEditNextBlock", "GotoContentEditNextBlock",
                                 "GotoContentEditPreviousBlock", "GotoContentEditPreviousBlock"}) {
            QVERIFY(QMetaObject::invokeMethod(&Window, slot));
            Settle();
        }
    }
};

} // namespace

class TestHostileInputs : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void settingsFileOfRandomBytes_data();
    void settingsFileOfRandomBytes();
    void settingsFolderThatCannotBeWritten();
    void resultReplacedByAFolder();
    void resultMadeUnreadable();
    void resultTruncatedAfterTheSearch();
    void resultTruncatedWhilePaging();
    void resultGrownToGigabytes();
    void utf16WithAnOddNumberOfBytes_data();
    void utf16WithAnOddNumberOfBytes();
};

void TestHostileInputs::settingsFileOfRandomBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("noise") << Noise(8192, 7);
    QTest::newRow("noise with NULs") << Noise(4096, 11).replace('a', '\0');
    QTest::newRow("half an ini file") << QByteArray("[General]\nsize=@Size(9999 \nposition=@Poi\nRegNumber=");
}

void TestHostileInputs::settingsFileOfRandomBytes()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(WriteTestFile(TestSettingsFile(), bytes));

    CModalDialogCloser closer;
    {
        CLintra w;
        VerifyDefaults(w);
        w.SaveSettings();
        QCOMPARE(closer.Seen.size(), 0);
    }
    // What the next start reads back is the identifier it made, and the tray notice still to come.
    const QString id = QSettings().value("RegNumber").toString();
    QVERIFY(CheckInstallationIdFormat(id));
    QCOMPARE(QSettings().value("IfMinimize2SysTrayInfoShown").toBool(), false);
    CLintra again;
    QCOMPARE(QSettings().value("RegNumber").toString(), id);
}

void TestHostileInputs::settingsFolderThatCannotBeWritten()
{
    // A file where the settings folder should be: not even root can write there.
    const QString folder = TestConfigHome() + "/Norvane";
    QDir(folder).removeRecursively();
    QVERIFY(WriteTestFile(folder, "not a folder"));

    CModalDialogCloser closer;
    {
        CLintra w;
        VerifyDefaults(w);
        Control<QComboBox>(w, "Dir2Search_ComboBox")->addItem("/some/where");
        w.SaveSettings();
    }
    QCOMPARE(closer.Seen.size(), 0);
    QVERIFY(QFileInfo(folder).isFile());
    QFile::remove(folder);
}

void TestHostileInputs::resultReplacedByAFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("result.txt");
    QVERIFY(WriteTestFile(path, Lines(2000, "needle", 1500)));
    CViewerFixture viewer(path);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path + "/inside"));

    CModalDialogCloser closer;
    viewer.Select();
    QVERIFY(viewer.Shown().isEmpty());
    QCOMPARE(closer.Seen.size(), 0);
    viewer.PageAround();
    QVERIFY(viewer.Shown().isEmpty());
}

void TestHostileInputs::resultMadeUnreadable()
{
    // Root reads everything: run this case again as the unprivileged "nobody".
    if (geteuid() == 0) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_RUNTIME_DIR");
        child.setProcessEnvironment(env);
        child.setWorkingDirectory("/tmp");
        child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                QCoreApplication::applicationFilePath(), "resultMadeUnreadable"});
        QVERIFY(child.waitForFinished(120000));
        QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput() + child.readAllStandardError());
        return;
    }
    QTemporaryDir dir;
    const QString small = dir.filePath("small.txt");
    const QString big = dir.filePath("big.txt");
    QVERIFY(WriteTestFile(small, Lines(10, "needle", 5)));
    QVERIFY(WriteTestFile(big, Lines(5000, "needle", 4000)));
    for (const QString &path : {small, big}) {
        CViewerFixture viewer(path);
        chmod(QFile::encodeName(path).constData(), 0);
        CModalDialogCloser closer;
        viewer.Select();
        QVERIFY(viewer.Shown().isEmpty());
        QCOMPARE(closer.Seen.size(), 0);
        // Never claim a whole document was loaded when nothing was.
        QVERIFY(
            !ControlText(viewer.Window, "FileContent_TextEdit", "toolTip").contains("loaded successfully"));
        viewer.PageAround();
        QVERIFY(viewer.Shown().isEmpty());
    }
}

void TestHostileInputs::resultTruncatedAfterTheSearch()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("result.txt");
    QVERIFY(WriteTestFile(path, Lines(5000, "needle", 4900)));
    CViewerFixture viewer(path);
    QVERIFY(QFile(path).resize(300));

    viewer.Select();
    QCOMPARE(viewer.Shown(), QString::fromLatin1(Lines(5000).left(300)));
    QVERIFY(!Control<CContentEdit>(viewer.Window, "FileContent_TextEdit")->PartialDocument);
}

void TestHostileInputs::resultTruncatedWhilePaging()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("result.txt");
    QVERIFY(WriteTestFile(path, Lines(20000, "needle", 9000)));
    CViewerFixture viewer(path);
    viewer.Select();
    QVERIFY(viewer.Strip().startsWith("Block "));
    QVERIFY(!viewer.Strip().startsWith("Block 1 of"));
    QVERIFY(viewer.Shown().contains("needle"));

    // Shorter than the block on show: paging finds less, or nothing, but goes on.
    QVERIFY(QFile(path).resize(1000));
    CModalDialogCloser closer;
    viewer.PageAround();
    viewer.PageAround();
    QVERIFY(closer.Seen.size() > 0);
}

void TestHostileInputs::resultGrownToGigabytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("result.log");
    QVERIFY(WriteTestFile(path, Lines(100, "needle", 50)));
    CViewerFixture viewer(path);
    // Gigabytes of zero bytes without a single line end behind the text.
    QVERIFY(QFile(path).resize(qint64(3) << 30));

    viewer.Select();
    QVERIFY(Control<CContentEdit>(viewer.Window, "FileContent_TextEdit")->PartialDocument);
    QVERIFY(viewer.Strip().startsWith("Block 1 of about"));
    QVERIFY(viewer.Shown().startsWith("plain line of text 0"));
    QVERIFY(viewer.Shown().contains("needle line of text 50"));
    CModalDialogCloser closer;
    QVERIFY(QMetaObject::invokeMethod(&viewer.Window, "GotoContentEditNextBlock"));
    viewer.Settle();
    QVERIFY(viewer.Strip().startsWith("Block 2 of about"));
    QVERIFY(QMetaObject::invokeMethod(&viewer.Window, "GotoContentEditPreviousBlock"));
    viewer.Settle();
    QVERIFY(viewer.Strip().startsWith("Block 1 of about"));
    QVERIFY(viewer.Shown().contains("needle line of text 50"));
    QCOMPARE(closer.Seen.size(), 0);
}

void TestHostileInputs::utf16WithAnOddNumberOfBytes_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("whole file") << 100;
    QTest::newRow("in blocks") << 20000;
}

void TestHostileInputs::utf16WithAnOddNumberOfBytes()
{
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.txt");
    const QString text = QString::fromLatin1(Lines(lines, "needle", lines / 2));
    QByteArray bytes("\xff\xfe");
    bytes += QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    bytes += 'x'; // half a code unit at the end
    QVERIFY(WriteTestFile(path, bytes));

    CViewerFixture viewer(path);
    viewer.Select();
    QVERIFY(viewer.Shown().contains("needle line of text " + QString::number(lines / 2)));
    CModalDialogCloser closer;
    for (int i = 0; i < 40; ++i)
        QVERIFY(QMetaObject::invokeMethod(&viewer.Window, "GotoContentEditNextBlock"));
    viewer.PageAround();
    QVERIFY(!viewer.Shown().contains(QChar(0xFFFD)) || viewer.Shown().endsWith(QChar(0xFFFD)));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestHostileInputs test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_hostileinputs.moc"
