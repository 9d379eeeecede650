// The application shell's logic without a window: the session-end watcher
// (SIGTERM and SIGHUP, and the quit request a session manager's "die" sends,
// reach the event loop as one signal and nothing else happens to the
// process), and the start directory taken from the arguments.

#include <QtTest>

#include <csignal>

#include "app/core/commandline.h"
#include "app/core/sessionendsignals.h"

class TestAppCore : public QObject
{
    Q_OBJECT

private slots:
    void startDirectoryFromArguments_data();
    void startDirectoryFromArguments();
    void signalReachesTheEventLoop_data();
    void signalReachesTheEventLoop();
    void quitRequestIsTakenOver();
    void otherEventsPass();
};

void TestAppCore::signalReachesTheEventLoop_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestAppCore::signalReachesTheEventLoop()
{
    QFETCH(int, signalNumber);
    CSessionEndSignals watcher;
    QSignalSpy spy(&watcher, &CSessionEndSignals::SessionEnding);
    // Without the watcher's handler this would end the test process.
    std::raise(signalNumber);
    QVERIFY(spy.isEmpty()); // not from inside the handler
    QTRY_COMPARE(spy.size(), 1);
}

void TestAppCore::quitRequestIsTakenOver()
{
    CSessionEndSignals watcher;
    QSignalSpy spy(&watcher, &CSessionEndSignals::SessionEnding);
    QTimer::singleShot(0, [] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    });
    // The event loop runs on: only the watcher's receiver decides to quit.
    QTimer::singleShot(200, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), 7);
    QCOMPARE(spy.size(), 1);
}

void TestAppCore::otherEventsPass()
{
    CSessionEndSignals watcher;
    QSignalSpy spy(&watcher, &CSessionEndSignals::SessionEnding);
    QObject target;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    QCoreApplication::processEvents();
    QCOMPARE(spy.size(), 0);
}

void TestAppCore::startDirectoryFromArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("directory");
    const QString program = QStringLiteral("lintra");
    // Started from /home/u.
    QTest::newRow("none") << QStringList{program} << QString();
    QTest::newRow("absolute") << QStringList{program, "/home/u/notes"} << "/home/u/notes";
    QTest::newRow("relative") << QStringList{program, "notes"} << "/home/u/notes";
    QTest::newRow("dot") << QStringList{program, "."} << "/home/u";
    QTest::newRow("cleaned") << QStringList{program, "/home/u/./notes/../docs/"} << "/home/u/docs";
    QTest::newRow("blanks and CJK") << QStringList{program, "/home/u/My 笔记"} << "/home/u/My 笔记";
    QTest::newRow("first of two") << QStringList{program, "/a", "/b"} << "/a";
    QTest::newRow("options are skipped") << QStringList{program, "-x", "--long", "/a"} << "/a";
    QTest::newRow("a Qt option's value is no directory")
        << QStringList{program, "-session", "id", "/a"} << "/a";
    QTest::newRow("after --, a dash is a name") << QStringList{program, "--", "-dir"} << "/home/u/-dir";
    QTest::newRow("empty argument") << QStringList{program, ""} << QString();
    QTest::newRow("file URL") << QStringList{program, "file:///home/u/My%20Notes/"} << "/home/u/My Notes";
    QTest::newRow("URL of another host") << QStringList{program, "file://server/share"} << QString();
}

void TestAppCore::startDirectoryFromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, directory);
    QCOMPARE(StartDirectoryFromArguments(arguments, QStringLiteral("/home/u")), directory);
}

QTEST_GUILESS_MAIN(TestAppCore)
#include "tst_appcore.moc"
