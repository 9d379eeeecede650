// The update check's logic without window or network: the document format and
// the version comparison, the schedule, and the User-Agent.

#include <QtTest>

#include <QTranslator>

#include "testsupport.h"
#include "update/core/updateevaluation.h"
#include "update/core/updaterequest.h"
#include "update/core/updateschedule.h"
#include "update/core/versionnumbers.h"

namespace {

const QString Id = QStringLiteral("0123ABCD-10040061-4567CDEF-89AB0123-00486856-CDEF4567");

// The installed program's version and build, as the build stamps them; the
// replies below are made newer or older than these.
const QString Installed = QStringLiteral(LINTRA_VERSION);
const QString InstalledBuild = QStringLiteral(LINTRA_BUILD_STAMP);

QString InstalledMajor()
{
    return Installed.section(QLatin1Char('.'), 0, 0);
}

// The installed version with its minor moved by the given steps.
QString Minor(int steps)
{
    return InstalledMajor() + QLatin1Char('.') +
           QString::number(Installed.section(QLatin1Char('.'), 1, 1).toInt() + steps);
}

QString Build(int steps)
{
    return QString::number(InstalledBuild.toLongLong() + steps);
}

// Translates only the product name of the User-Agent, and only in its context.
class CProductNameTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "CUpdateHandler") == 0 &&
            qstrcmp(sourceText, "Norvane.Lintra.Desktop.Windows") == 0)
            return QStringLiteral("Lintra.Translated");
        return QString();
    }
};

} // namespace

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void updateAvailability_data();
    void updateAvailability();
    void unparsableInstalledStampIsNeverOlder();
    void bodyBecomesDocument_data();
    void bodyBecomesDocument();
    void checkDue_data();
    void checkDue();
    void userAgent_data();
    void userAgent();
    void userAgentProductNameIsTranslated();
    void windowsVersionNames_data();
    void windowsVersionNames();
};

void TestUpdate::updateAvailability_data()
{
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("latestVersion");
    QTest::addColumn<QString>("latestBuild");

    // Newer releases than the installed one
    QTest::newRow("newer minor, older build")
        << "P" + Minor(1) + "\nB" + Build(-1) << true << Minor(1) << Build(-1);
    QTest::newRow("same version, newer build")
        << "P" + Installed + "\nB" + Build(1) << true << Installed << Build(1);
    const QString major = QString::number(InstalledMajor().toInt() + 1);
    QTest::newRow("newer major, lower-case letters") << "p" + major + ".0\nb1" << true << major + ".0"
                                                     << "1";
    QTest::newRow("third version part ignored") << "P" + Minor(1) + ".3\nB1" << true << Minor(1) + ".3"
                                                << "1";
    QTest::newRow("CR before the LF") << "P" + Minor(1) + "\r\nB1" << true << Minor(1) << "1";
    QTest::newRow("blanks around the lines") << " P" + Minor(1) + " \n\tB1  " << true << Minor(1) << "1";
    QTest::newRow("largest unsigned numbers")
        << "P4294967295.4294967295\nB4294967295" << true << "4294967295.4294967295"
        << "4294967295";
    // A reply may pass the parser with markup after the minor; the dialog escapes it.
    const QString markup = Minor(1) + ".<a href=\"http://evil.example/\">x</a>";
    QTest::newRow("markup after the minor") << "P" + markup + "\nB1" << true << markup << "1";

    // Not newer
    QTest::newRow("same version and build") << "P" + Installed + "\nB" + InstalledBuild << false << ""
                                            << "";
    QTest::newRow("same version, older build") << "P" + Installed + "\nB" + Build(-1) << false << ""
                                               << "";
    // Compared as numbers: a minor of fewer digits is older, though it sorts after as text.
    const QString nines(Minor(0).section(QLatin1Char('.'), 1).size() - 1, QLatin1Char('9'));
    QTest::newRow("shorter minor of nines is older")
        << "P" + InstalledMajor() + "." + nines + "\nB29991231" << false << ""
        << "";
    QTest::newRow("leading zeros, same minor")
        << "P" + InstalledMajor() + ".0" + Minor(0).section(QLatin1Char('.'), 1) + "\nB" + InstalledBuild
        << false << ""
        << "";

    // Line structure
    QTest::newRow("empty body") << "" << false << ""
                                << "";
    QTest::newRow("one line") << "P0.108" << false << ""
                              << "";
    QTest::newRow("trailing LF makes three parts") << "P0.108\nB20100701\n"
                                                   << false << ""
                                                   << "";
    QTest::newRow("leading LF") << "\nP0.108\nB20100701" << false << ""
                                << "";
    QTest::newRow("empty line between") << "P0.108\n\nB20100701" << false << ""
                                        << "";
    QTest::newRow("CR only, no LF") << "P0.108\rB20100701" << false << ""
                                    << "";
    QTest::newRow("lines swapped") << "B20100701\nP0.108" << false << ""
                                   << "";
    QTest::newRow("blank build line") << "P0.108\n   " << false << ""
                                      << "";

    // Invalid data
    QTest::newRow("no P") << "0.108\nB20100701" << false << ""
                          << "";
    QTest::newRow("no B") << "P0.108\n20100701" << false << ""
                          << "";
    QTest::newRow("minor not a number") << "P0.10x\nB1" << false << ""
                                        << "";
    QTest::newRow("no minor") << "P0\nB1" << false << ""
                              << "";
    QTest::newRow("empty minor") << "P0.\nB1" << false << ""
                                 << "";
    QTest::newRow("empty major") << "P.108\nB1" << false << ""
                                 << "";
    QTest::newRow("letter only") << "P\nB1" << false << ""
                                 << "";
    QTest::newRow("build not a number") << "P0.108\nB2010x" << false << ""
                                        << "";
    QTest::newRow("build letter only") << "P0.108\nB" << false << ""
                                       << "";
    QTest::newRow("negative build") << "P0.108\nB-1" << false << ""
                                    << "";
    QTest::newRow("build beyond 32 bits") << "P0.108\nB4294967296" << false << ""
                                          << "";
    QTest::newRow("major beyond 32 bits") << "P4294967296.0\nB1" << false << ""
                                          << "";
    QTest::newRow("hexadecimal build") << "P0.108\nB0x10" << false << ""
                                       << "";
}

void TestUpdate::updateAvailability()
{
    QFETCH(QString, info);
    QFETCH(bool, available);

    QString latestVersion;
    QString latestBuild;
    QCOMPARE(IsUpdateAvailable(Installed, InstalledBuild, info, latestVersion, latestBuild), available);
    if (available) {
        QTEST(latestVersion, "latestVersion");
        QTEST(latestBuild, "latestBuild");
    }
}

void TestUpdate::unparsableInstalledStampIsNeverOlder()
{
    QString version;
    QString build;
    const QString newer = QStringLiteral("P9.9\nB99999999");
    QVERIFY(!IsUpdateAvailable(QStringLiteral("0"), InstalledBuild, newer, version, build));
    QVERIFY(!IsUpdateAvailable("x." + Minor(0).section(QLatin1Char('.'), 1), InstalledBuild, newer, version,
                               build));
    QVERIFY(!IsUpdateAvailable(Installed, QString(), newer, version, build));
}

void TestUpdate::bodyBecomesDocument_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("available");

    QTest::newRow("no NUL") << QByteArray("P0.108\nB20100701") << "P0.108\nB20100701" << true;
    QTest::newRow("NUL right after the second line")
        << QByteArray("P0.108\nB20100701\0\nmore\n", 22) << "P0.108\nB20100701" << true;
    QTest::newRow("NUL inside the first line") << QByteArray("P0.1\0"
                                                             "08\nB1",
                                                             10)
                                               << "P0.1" << false;
    QTest::newRow("NUL first") << QByteArray("\0P0.108\nB1", 10) << "" << false;
    QTest::newRow("high bytes as Latin-1")
        << QByteArray("P0.108\xe9\nB1") << QStringLiteral("P0.108\u00e9\nB1") << false;
    QTest::newRow("empty") << QByteArray() << "" << false;
}

void TestUpdate::bodyBecomesDocument()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, info);
    QFETCH(bool, available);

    const QString document = UpdateInfoFromBody(body);
    QCOMPARE(document, info);
    QString version;
    QString build;
    // An early release is installed: a whole reply is newer.
    QCOMPARE(IsUpdateAvailable(QStringLiteral("0.1"), QStringLiteral("1"), document, version, build),
             available);
}

void TestUpdate::checkDue_data()
{
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QDateTime>("lastCheck");
    QTest::addColumn<int>("intervalDays");
    QTest::addColumn<bool>("due");

    const QDateTime now(QDate(2010, 6, 10), QTime(12, 0));
    QTest::newRow("never checked") << false << QDateTime() << 3 << true;
    QTest::newRow("2 days ago, every 3 days") << false << now.addDays(-2) << 3 << false;
    QTest::newRow("one second short of 3 days") << false << now.addSecs(-3 * 86400 + 1) << 3 << false;
    QTest::newRow("exactly 3 x 86400 s") << false << now.addSecs(-3 * 86400) << 3 << true;
    QTest::newRow("a week ago, every 7 days") << false << now.addDays(-7) << 7 << true;
    QTest::newRow("last check in the future") << false << now.addSecs(3600) << 3 << true;
    QTest::newRow("checked this very second") << false << now << 3 << true;
    QTest::newRow("manual right after a check") << true << now.addSecs(-1) << 7 << true;
}

void TestUpdate::checkDue()
{
    QFETCH(bool, manual);
    QFETCH(QDateTime, lastCheck);
    QFETCH(int, intervalDays);

    const QDateTime now(QDate(2010, 6, 10), QTime(12, 0));
    QTEST(IsUpdateCheckDue(manual, now, lastCheck, intervalDays), "due");
}

void TestUpdate::userAgent_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("platform");
    QTest::addColumn<QString>("windowsName");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("agent");

    const QString prefix = QStringLiteral("Norvane.Lintra.Desktop.Windows");
    QTest::newRow("Windows XP, Chinese")
        << "0.107"
        << "20100610" << int(Windows) << "Windows XP"
        << "zh_CN" << prefix + ".0.107-B20100610/" + Id + " (Windows XP (zh_CN))";
    QTest::newRow("Windows 7, English")
        << "0.107"
        << "20100610" << int(Windows) << "Windows 7"
        << "en_US" << prefix + ".0.107-B20100610/" + Id + " (Windows 7 (en_US))";
    QTest::newRow("Linux") << "0.107"
                           << "20100610" << int(Linux) << "Windows 7"
                           << "zh_CN" << prefix + ".0.107-B20100610/" + Id + " (zh_CN)";
    QTest::newRow("no version") << ""
                                << "20100610" << int(Linux) << ""
                                << "C" << prefix + "-B20100610/" + Id + " (C)";
    QTest::newRow("no build") << "0.107"
                              << "" << int(Linux) << ""
                              << "de_DE" << prefix + ".0.107/" + Id + " (de_DE)";
}

void TestUpdate::userAgent()
{
    QFETCH(QString, version);
    QFETCH(QString, build);
    QFETCH(int, platform);
    QFETCH(QString, windowsName);
    QFETCH(QString, locale);

    QTEST(UpdateUserAgent(version, build, Id, TEnumPlatform(platform), windowsName, locale), "agent");
}

void TestUpdate::userAgentProductNameIsTranslated()
{
    CProductNameTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString agent = UpdateUserAgent(QStringLiteral("0.107"), QStringLiteral("20100610"), Id, Linux,
                                          QString(), QStringLiteral("fr_FR"));
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(agent, "Lintra.Translated.0.107-B20100610/" + Id + " (fr_FR)");
}

void TestUpdate::windowsVersionNames_data()
{
    QTest::addColumn<int>("winVersion");
    QTest::addColumn<QString>("name");

    QTest::newRow("WV_32s") << 0x0001 << "Windows 3.1 with Win 32s";
    QTest::newRow("WV_DOS_based") << 0x000f << "MS-DOS-based Windows";
    QTest::newRow("WV_XP") << 0x0030 << "Windows XP";
    QTest::newRow("WV_2003") << 0x0040 << "Windows Server 2003";
    QTest::newRow("WV_WINDOWS7") << 0x0090 << "Windows 7";
    QTest::newRow("WV_CENET") << 0x0200 << "Windows CE .NET";
    QTest::newRow("WV_CE_based") << 0x0f00 << "CE-based Windows";
    QTest::newRow("WV_WINDOWS8 is not in the table") << 0x00a0 << "Windows Unknown Version";
    QTest::newRow("WV_None") << 0x0000 << "Windows Unknown Version";
}

void TestUpdate::windowsVersionNames()
{
    QFETCH(int, winVersion);
    QTEST(WindowsVersionName(winVersion), "name");
}

QTEST_GUILESS_MAIN(TestUpdate)
#include "tst_update.moc"
