// The session-end watcher: SIGTERM and SIGHUP, and the quit request a
// session manager's "die" sends, reach the event loop as one signal and
// nothing else happens to the process.

#include <QtTest>

#include <csignal>

#include "app/core/sessionendsignals.h"

class TestSessionEnd : public QObject
{
    Q_OBJECT

private slots:
    void signalReachesTheEventLoop_data();
    void signalReachesTheEventLoop();
    void quitRequestIsTakenOver();
    void otherEventsPass();
};

void TestSessionEnd::signalReachesTheEventLoop_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestSessionEnd::signalReachesTheEventLoop()
{
    QFETCH(int, signalNumber);
    CSessionEndSignals watcher;
    QSignalSpy spy(&watcher, &CSessionEndSignals::SessionEnding);
    // Without the watcher's handler this would end the test process.
    std::raise(signalNumber);
    QVERIFY(spy.isEmpty()); // not from inside the handler
    QTRY_COMPARE(spy.size(), 1);
}

void TestSessionEnd::quitRequestIsTakenOver()
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

void TestSessionEnd::otherEventsPass()
{
    CSessionEndSignals watcher;
    QSignalSpy spy(&watcher, &CSessionEndSignals::SessionEnding);
    QObject target;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    QCoreApplication::processEvents();
    QCOMPARE(spy.size(), 0);
}

QTEST_GUILESS_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
