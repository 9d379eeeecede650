// The installation identifier (packing of its time, layout, form check) and
// the single-instance lock.

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

#include "app/core/singleinstance.h"
#include "testsupport.h"
#include "update/core/installationid.h"

class TestIdentity : public QObject
{
    Q_OBJECT

private slots:
    void packTimeStamp_data();
    void packTimeStamp();
    void packTimeStampRefusesUnpackableTimes_data();
    void packTimeStampRefusesUnpackableTimes();
    void identifierLayout();
    void identifiersOfOneSecondShareTheirTimeGroups();
    void createdIdentifierIsWellFormedAndUpperCase();
    void checkFormat_data();
    void checkFormat();
    void secondClaimIsRefusedUntilTheFirstIsReleased();
    void lockOfAKilledInstanceDoesNotLockOut();
};

void TestIdentity::packTimeStamp_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("packed");
    QTest::newRow("build day") << QDateTime(QDate(2010, 6, 10), QTime(12, 34, 56)) << "1004006100486856";
    QTest::newRow("first second of 2000")
        << QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)) << "1000001008000000";
    QTest::newRow("last second of 9999")
        << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)) << "4C662223090D3259";
}

void TestIdentity::packTimeStamp()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, packed);
    QString text = QStringLiteral("prefix:");
    QVERIFY(PackTimeStamp(time, text));
    // Appended, in lower case as produced; an identifier shows it upper-cased.
    QCOMPARE(text, QStringLiteral("prefix:") + packed.toLower());
}

void TestIdentity::packTimeStampRefusesUnpackableTimes_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::newRow("invalid") << QDateTime();
    QTest::newRow("year 10000") << QDateTime(QDate(10000, 1, 1), QTime(0, 0, 0));
    QTest::newRow("year before 0") << QDateTime(QDate(-5, 1, 1), QTime(0, 0, 0));
}

void TestIdentity::packTimeStampRefusesUnpackableTimes()
{
    QFETCH(QDateTime, time);
    QString text = QStringLiteral("kept");
    QVERIFY(!PackTimeStamp(time, text));
    QCOMPARE(text, QStringLiteral("kept"));
}

void TestIdentity::identifierLayout()
{
    const QUuid uuid(QStringLiteral("{0123abcd-4567-89ef-fedc-ba9876543210}"));
    const QDateTime time(QDate(2010, 6, 10), QTime(12, 34, 56)); // packs to 1004006100486856
    // UUID digits 1-8, time 1-8, UUID 9-16, UUID 17-24, time 9-16, UUID 25-32.
    QCOMPARE(CreateInstallationId(time, uuid),
             QStringLiteral("0123ABCD-10040061-456789EF-FEDCBA98-00486856-76543210"));
}

void TestIdentity::identifiersOfOneSecondShareTheirTimeGroups()
{
    const QDateTime time(QDate(2024, 2, 29), QTime(8, 15, 0));
    const QStringList first = CreateInstallationId(time, QUuid::createUuid()).split(QLatin1Char('-'));
    const QStringList second = CreateInstallationId(time, QUuid::createUuid()).split(QLatin1Char('-'));
    QCOMPARE(first.at(1), second.at(1));
    QCOMPARE(first.at(4), second.at(4));
    QVERIFY(first.at(0) + first.at(2) + first.at(3) + first.at(5) !=
            second.at(0) + second.at(2) + second.at(3) + second.at(5));
}

void TestIdentity::createdIdentifierIsWellFormedAndUpperCase()
{
    const QRegularExpression layout(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{8}){5}$"));
    const QString id = CreateInstallationId();
    QVERIFY2(layout.match(id).hasMatch(), qPrintable(id));
    QVERIFY(CheckInstallationIdFormat(id));
    QVERIFY(CreateInstallationId() != id);
    // A clock that cannot be packed still gives an identifier that is kept.
    QVERIFY(CheckInstallationIdFormat(CreateInstallationId(QDateTime(), QUuid::createUuid())));
}

void TestIdentity::checkFormat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const QString good = QStringLiteral("0123ABCD-10040061-456789EF-FEDCBA98-00486856-76543210");

    // The groups are not examined.
    QTest::newRow("created by the program") << good << true;
    QTest::newRow("lower-case letters") << good.toLower() << true;
    QTest::newRow("not hexadecimal") << QStringLiteral(
                                            "zzzzzzzz-#!#!#!#!-........-        -gggggggg-xxxxxxxx")
                                     << true;

    // Wrong layout.
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("52 characters") << good.left(52) << false;
    QTest::newRow("54 characters") << good + QLatin1Char('0') << false;
    QTest::newRow("sixth dash") << QString(good).replace(3, 1, QLatin1Char('-')) << false;
    QTest::newRow("dash moved by one")
        << QStringLiteral("0123ABCD1-0040061-456789EF-FEDCBA98-00486856-76543210") << false;
    QTest::newRow("other separator") << QString(good).replace(QLatin1Char('-'), QLatin1Char('_')) << false;
}

void TestIdentity::checkFormat()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(CheckInstallationIdFormat(text), accepted);
}

void TestIdentity::secondClaimIsRefusedUntilTheFirstIsReleased()
{
    QTemporaryDir folder;
    auto *first = new CInstanceLock;
    QVERIFY(first->Claim(folder.path()));
    {
        CInstanceLock second;
        QVERIFY(!second.Claim(folder.path()));
        // The refused claim must not have taken the running one's lock away.
        CInstanceLock third;
        QVERIFY(!third.Claim(folder.path()));
    }
    delete first;
    CInstanceLock afterRelease;
    QVERIFY(afterRelease.Claim(folder.path()));
}

void TestIdentity::lockOfAKilledInstanceDoesNotLockOut()
{
    QTemporaryDir folder;
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        // Dies holding the lock, without any clean-up, as a killed instance does.
        auto *lock = new CInstanceLock;
        _exit(lock->Claim(folder.path()) ? 0 : 1);
    }
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    CInstanceLock lock;
    QVERIFY(lock.Claim(folder.path()));
}

QTEST_GUILESS_MAIN(TestIdentity)
#include "tst_identity.moc"
