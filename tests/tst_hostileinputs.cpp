// Input the program does not control: a settings store that is garbage or
// cannot be written. The window starts with its defaults and says nothing.

#include <QtTest>

#include <QSettings>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "testsupport.h"
#include "update/installationid.h"

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
    QVERIFY(CheckInstallationIdFormat(w.InstallationId));
    QCOMPARE(w.size(), QSize(681, 552));
    QCOMPARE(w.pos(), QPoint(269, 102));
    QCOMPARE(w.ui->Dir2Search_ComboBox->count(), 0);
    QCOMPARE(w.ui->Keywords2Search_ComboBox->count(), 0);
    QCOMPARE(w.UpdateCheckIntervalDays, 3);
    QCOMPARE(w.SysTrayInfoShown, false);
}

} // namespace

class TestHostileInputs : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void settingsFileOfRandomBytes_data();
    void settingsFileOfRandomBytes();
    void settingsFolderThatCannotBeWritten();
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
    // What the next start reads back is the identifier it made.
    const QString id = QSettings().value("RegNumber").toString();
    QVERIFY(CheckInstallationIdFormat(id));
    CLintra again;
    QCOMPARE(again.InstallationId, id);
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
        w.ui->Dir2Search_ComboBox->addItem("/some/where");
        w.SaveSettings();
    }
    QCOMPARE(closer.Seen.size(), 0);
    QVERIFY(QFileInfo(folder).isFile());
    QFile::remove(folder);
}

QTEST_MAIN(TestHostileInputs)
#include "tst_hostileinputs.moc"
