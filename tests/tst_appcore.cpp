// The application shell's logic without a window: the session-end watcher
// (SIGTERM and SIGHUP, and the quit request a session manager's "die" sends,
// reach the event loop as one signal and nothing else happens to the
// process), the start directory taken from the arguments, and where a
// stored window geometry is placed on the screens.

#include <QtTest>

#include <csignal>

#include "app/core/commandline.h"
#include "app/core/sessionendsignals.h"
#include "app/core/settingstable.h"

class TestAppCore : public QObject
{
    Q_OBJECT

private slots:
    void startDirectoryFromArguments_data();
    void startDirectoryFromArguments();
    void onScreenPosition_data();
    void onScreenPosition();
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
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestAppCore::signalReachesTheEventLoop()
{
    QFETCH(int, signalNumber);
    CSessionEndSignals watcher;
    QSignalSpy spy(&watcher, &CSessionEndSignals::SessionEnding);
    // Without the watcher's handler this would end the test process; a
    // flood must neither block the handler nor end the session twice.
    for (int i = 0; i < 1000; ++i)
        std::raise(signalNumber);
    QVERIFY(spy.isEmpty()); // not from inside the handler
    QTRY_COMPARE(spy.size(), 1);
    QTest::qWait(50);
    QCOMPARE(spy.size(), 1);
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

void TestAppCore::onScreenPosition_data()
{
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("placed");
    // Two monitors side by side (see below); the least size is
    // 681 x 552 and a title bar of 30 pixels is kept free above.
    const QSize least(681, 552);
    QTest::newRow("first screen") << QPoint(100, 100) << least << QRect(100, 100, 681, 552);
    QTest::newRow("second screen") << QPoint(2500, 300) << least << QRect(2500, 300, 681, 552);
    QTest::newRow("across both, more on the second")
        << QPoint(1700, 300) << least << QRect(1920, 300, 681, 552);
    QTest::newRow("mostly above and left") << QPoint(-680, -581) << least << QRect(0, 0, 681, 552);
    QTest::newRow("off the bottom") << QPoint(269, 600) << least << QRect(269, 498, 681, 552);
    QTest::newRow("just left of the first") << QPoint(-681, 100) << least << QRect(269, 102, 681, 552);
    QTest::newRow("right of the second") << QPoint(3200, 100) << least << QRect(269, 102, 681, 552);
    QTest::newRow("below the second") << QPoint(2000, 1024) << least << QRect(269, 102, 681, 552);
    QTest::newRow("larger, fits") << QPoint(10, 10) << QSize(1200, 900) << QRect(10, 10, 1200, 900);
    QTest::newRow("larger than the screen") << QPoint(0, 0) << QSize(4000, 3000) << QRect(0, 0, 1920, 1050);
    QTest::newRow("higher than the second with its title bar")
        << QPoint(2000, 0) << QSize(1000, 1000) << QRect(2000, 0, 1000, 994);
    QTest::newRow("the lowest position") << QPoint(INT_MIN, INT_MIN) << least << QRect(269, 102, 681, 552);
    QTest::newRow("the largest size")
        << QPoint(100, 100) << QSize(INT_MAX, INT_MAX) << QRect(0, 0, 1920, 1050);
    QTest::newRow("less than the least") << QPoint(10, 10) << QSize(300, 200) << QRect(10, 10, 681, 552);
}

void TestAppCore::onScreenPosition()
{
    QFETCH(QPoint, stored);
    QFETCH(QSize, size);
    QFETCH(QRect, placed);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    QCOMPARE(OnScreenWindowGeometry(stored, size, QSize(681, 552), QMargins(0, 30, 0, 0), screens), placed);
}

QTEST_GUILESS_MAIN(TestAppCore)
#include "tst_appcore.moc"
