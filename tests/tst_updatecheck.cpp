// The update check of the window against a real HTTP server on 127.0.0.1:
// what is sent, what the user is told for each answer, the silent automatic
// check, the busy warning, the time-out and quitting while a check runs.

#include <QtTest>

#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "testsupport.h"
#include "update/core/updaterequest.h"
#include "update/core/versionnumbers.h"
#include "windowdriver.h"

namespace {

const QByteArray LatestPath = "/products/desktop/lintra/windows/latest/";
// The document of the version this program is.
const char Installed[] = "P" LINTRA_VERSION "\nB" LINTRA_BUILD_STAMP;
const int CheckEnds = 60000; // generous: a wait, not a measurement

// Answers GET requests from a table of paths (404 for others) and records
// each request. While Holding, requests are received but left unanswered
// until ReleaseHeld().
class CLocalHttpServer
{
public:
    struct CRequest
    {
        QByteArray Method;
        QByteArray Path;
        QMap<QByteArray, QByteArray> Headers; // names lower-cased
    };

    QList<CRequest> Requests;
    bool Holding = false;

    bool Listen()
    {
        QObject::connect(&Server, &QTcpServer::newConnection, &Server, [this] { Accept(); });
        return Server.listen(QHostAddress::LocalHost, 0);
    }

    QString Url(const QByteArray &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(Server.serverPort()).arg(QLatin1String(path));
    }

    void Serve(const QByteArray &path, int status, const QByteArray &body) { Routes[path] = {status, body}; }
    // Announces the whole body but sends only its first half, then hangs up.
    void ServeCut(const QByteArray &path, const QByteArray &body)
    {
        Serve(path, 200, body);
        CutRoutes.insert(path);
    }
    void Reset()
    {
        Routes.clear();
        CutRoutes.clear();
        Requests.clear();
        Held.clear();
        Holding = false;
    }

    void ReleaseHeld()
    {
        Holding = false;
        for (const auto &held : qAsConst(Held)) {
            if (held.first)
                Answer(held.first, held.second);
        }
        Held.clear();
    }

    bool HeldConnectionsClosed() const
    {
        for (const auto &held : Held) {
            if (held.first && held.first->state() == QAbstractSocket::ConnectedState)
                return false;
        }
        return true;
    }

private:
    QTcpServer Server;
    QMap<QByteArray, QPair<int, QByteArray>> Routes;
    QSet<QByteArray> CutRoutes;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> Held;

    void Accept()
    {
        while (QTcpSocket *socket = Server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket] { socket->close(); });
        }
    }

    void Read(QTcpSocket *socket)
    {
        QByteArray head = socket->property("head").toByteArray() + socket->readAll();
        socket->setProperty("head", head);
        if (!head.contains("\r\n\r\n") || socket->property("seen").toBool())
            return;
        socket->setProperty("seen", true);
        const QList<QByteArray> lines = head.left(head.indexOf("\r\n\r\n")).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        CRequest request{requestLine.value(0), requestLine.value(1), {}};
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            request.Headers[lines.at(i).left(colon).trimmed().toLower()] =
                lines.at(i).mid(colon + 1).trimmed();
        }
        Requests.append(request);
        if (Holding)
            Held.append({socket, request.Path});
        else
            Answer(socket, request.Path);
    }

    void Answer(QTcpSocket *socket, const QByteArray &path)
    {
        const QPair<int, QByteArray> route = Routes.value(path, {404, QByteArray("no such document")});
        const QByteArray reason = route.first == 200 ? "OK" : route.first == 404 ? "Not Found" : "Error";
        socket->write("HTTP/1.1 " + QByteArray::number(route.first) + ' ' + reason +
                      "\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(route.second.size()) + "\r\n\r\n" +
                      (CutRoutes.contains(path) ? route.second.left(route.second.size() / 2) : route.second));
        socket->disconnectFromHost();
    }
};

// tests/updateserver.py in one of its modes, for one test: started by it,
// killed with it.
class CScriptServer
{
public:
    explicit CScriptServer(const QString &mode)
    {
        Process.start(QStringLiteral("python3"),
                      {QFINDTESTDATA("updateserver.py"), Dir.filePath("port"), Dir.filePath("log"), mode});
    }
    ~CScriptServer()
    {
        Process.kill();
        Process.waitForFinished();
    }
    // The document's address once the server listens, else empty.
    QString Url(const QByteArray &path) const
    {
        QFile port(Dir.filePath("port"));
        if (!port.open(QIODevice::ReadOnly))
            return QString();
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port.readAll().toInt()).arg(QLatin1String(path));
    }

private:
    QTemporaryDir Dir;
    QProcess Process;
};

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private:
    CLocalHttpServer Server;

    CUpdateCheckConfig Config(int deadlineMs = DefaultUpdateCheckDeadlineMs) const
    {
        return {Server.Url(LatestPath), deadlineMs};
    }

    // A window whose automatic check has asked for the document before the
    // server had one (a 404, silently) and ended.
    std::unique_ptr<CLintra> IdleWindow(int deadlineMs = DefaultUpdateCheckDeadlineMs)
    {
        auto window = std::make_unique<CLintra>(Config(deadlineMs));
        if (!QTest::qWaitFor([&] { return !window->UpdateCheck().IsRunning(); }, CheckEnds))
            return nullptr;
        Server.Requests.clear();
        return window;
    }

private slots:
    void initTestCase() { QVERIFY(Server.Listen()); }
    void init()
    {
        ResetTestSettings();
        Server.Reset();
    }

    void automaticCheck_data();
    void automaticCheck();
    void manualCheck_data();
    void manualCheck();
    void serverMarkupIsShownAsText();
    void serverThatNeverAnswersIsANetworkError();
    void serverThatDripsIsCutAtTheDeadline_data();
    void serverThatDripsIsCutAtTheDeadline();
    void userAgentReachesServer();
    void startedCheckRecordsItsTime();
    void automaticCheckWaitsForInterval();
    void secondPressShowsBusyWarning();
    void quittingWhileCheckRuns_data();
    void quittingWhileCheckRuns();
};

void TestUpdateCheck::automaticCheck_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("dialogTitle"); // empty: the check stays silent

    QTest::newRow("update available")
        << 200 << QByteArray("P0.108\nB20100101") << "Norvane Lintra Update Auto-Check";
    QTest::newRow("nothing new") << 200 << QByteArray(Installed) << "";
    QTest::newRow("older version") << 200 << QByteArray("P0.99\nB29991231") << "";
    QTest::newRow("malformed document") << 200 << QByteArray("Lintra 0.108 is out!") << "";
    QTest::newRow("empty body") << 200 << QByteArray() << "";
    QTest::newRow("HTTP 404") << 404 << QByteArray("P0.108\nB20100101") << "";
    QTest::newRow("HTTP 500") << 500 << QByteArray("P0.108\nB20100101") << "";
}

void TestUpdateCheck::automaticCheck()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, dialogTitle);
    Server.Serve(LatestPath, status, body);

    CModalDialogCloser closer;
    CLintra window(Config()); // a first start: the automatic check is due at once
    QTRY_VERIFY_WITH_TIMEOUT(!window.UpdateCheck().IsRunning(), CheckEnds);

    QCOMPARE(Server.Requests.size(), 1);
    if (dialogTitle.isEmpty()) {
        QCOMPARE(closer.Seen.size(), 0);
        return;
    }
    QCOMPARE(closer.Seen.size(), 1);
    QCOMPARE(closer.Seen.first().Title, dialogTitle);
    // The drawn size is the least; a longer text gets more (tst_formfit).
    QCOMPARE(closer.Seen.first().TextSize.expandedTo(QSize(400, 100)), closer.Seen.first().TextSize);
}

void TestUpdateCheck::manualCheck_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("isMessageBox");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("textSize");

    const QString checkTitle = QStringLiteral("Norvane Lintra Check Updates");
    const QString available =
        QStringLiteral("Updates available!\n\nThe installed version is: " LINTRA_VERSION
                       "-B" LINTRA_BUILD_STAMP "\nThe latest version is: %1\n"
                       "Please go to http://www.norvane.example/downloads/ to get the latest version!");
    const QString none =
        QStringLiteral("No updates available!\n\nThe installed is already the latest version: " LINTRA_VERSION
                       "-B" LINTRA_BUILD_STAMP);
    const QString networkError =
        QStringLiteral("Can not get program update information. Please check your Internet connection!");

    QTest::newRow("update available") << 200 << QByteArray("P0.108\nB20100101") << false << checkTitle
                                      << available.arg("0.108-B20100101") << QSize(400, 100);
    QTest::newRow("update after a NUL-cut body") << 200 << QByteArray("p1.0\r\nb1\0junk\n", 14) << false
                                                 << checkTitle << available.arg("1.0-B1") << QSize(400, 100);
    QTest::newRow("no update") << 200 << QByteArray(Installed) << false << checkTitle << none
                               << QSize(400, 70);
    QTest::newRow("malformed document")
        << 200 << QByteArray("P0.108\nB20100701\n") << true << "Network Error" << networkError << QSize();
    QTest::newRow("HTTP 404") << 404 << QByteArray("P0.108\nB20100101") << true << "Network Error"
                              << networkError << QSize();
    QTest::newRow("a redirect's body")
        << 301 << QByteArray("P9.9\nB99999999") << true << "Network Error" << networkError << QSize();

    // Hostile or broken servers: anything but a whole document is a check that could not be done.
    QByteArray noise(4096, '\0');
    quint32 state = 2010;
    for (char &byte : noise)
        byte = char((state = state * 1103515245u + 12345u) >> 24);
    QTest::newRow("random bytes") << 200 << noise << true << "Network Error" << networkError << QSize();
    QTest::newRow("an HTML page") << 200
                                  << QByteArray("<html><body><h1>P0.108</h1>\n<p>B20100701</p></body></html>")
                                  << true << "Network Error" << networkError << QSize();
    // Valid once trimmed, were it read whole: only the cap makes it no document.
    QByteArray huge = "P0.108\nB20100701" + QByteArray(100 * 1024 * 1024, ' ');
    QTest::newRow("100 MB reply") << 200 << huge << true << "Network Error" << networkError << QSize();
    QTest::newRow("cut half-way") << -1 << QByteArray("P0.108\nB20100701") << true << "Network Error"
                                  << networkError << QSize();
}

void TestUpdateCheck::manualCheck()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, isMessageBox);

    CModalDialogCloser closer;
    std::unique_ptr<CLintra> window = IdleWindow();
    QVERIFY(window);
    if (status < 0)
        Server.ServeCut(LatestPath, body);
    else
        Server.Serve(LatestPath, status, body);
    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->UpdateCheck().IsRunning(), CheckEnds);

    QCOMPARE(Server.Requests.size(), 1);
    QCOMPARE(closer.Seen.size(), 1);
    const CSeenDialog &seen = closer.Seen.first();
    QCOMPARE(seen.IsMessageBox, isMessageBox);
    QTEST(seen.Title, "title");
    QTEST(seen.Text, "text");
    if (isMessageBox) {
        QCOMPARE(seen.Icon, QMessageBox::Warning);
        return;
    }
    // The drawn size is the least; a longer text gets more (tst_formfit).
    QFETCH(QSize, textSize);
    QCOMPARE(seen.TextSize.expandedTo(textSize), seen.TextSize);
}

void TestUpdateCheck::serverMarkupIsShownAsText()
{
    CModalDialogCloser closer;
    std::unique_ptr<CLintra> window = IdleWindow();
    QVERIFY(window);
    Server.Serve(LatestPath, 200, "P0.108.<a href=\"http://evil.example/\">Get it here</a>\nB1");
    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->UpdateCheck().IsRunning(), CheckEnds);

    QCOMPARE(closer.Seen.size(), 1);
    const CSeenDialog &seen = closer.Seen.first();
    QVERIFY2(seen.Text.contains(QLatin1String(
                 "The latest version is: 0.108.<a href=\"http://evil.example/\">Get it here</a>-B1")),
             qPrintable(seen.Text));
    QCOMPARE(seen.LinkTargets, QSet<QString>{QStringLiteral("http://www.norvane.example/downloads/")});
}

void TestUpdateCheck::serverThatNeverAnswersIsANetworkError()
{
    CModalDialogCloser closer;
    std::unique_ptr<CLintra> window = IdleWindow(200);
    QVERIFY(window);
    Server.Holding = true;
    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->UpdateCheck().IsRunning(), CheckEnds);

    QCOMPARE(Server.Requests.size(), 1);
    QCOMPARE(closer.Seen.size(), 1);
    QVERIFY(closer.Seen.first().IsMessageBox);
    QCOMPARE(closer.Seen.first().Title, QStringLiteral("Network Error"));
}

void TestUpdateCheck::serverThatDripsIsCutAtTheDeadline_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("title");
    QTest::newRow("a byte a second") << "drip"
                                     << "Network Error";
    // Cut at the cap at once, never at the deadline.
    QTest::newRow("more than 64 KB at once, then a byte a second") << "spill"
                                                                   << "Network Error";
}

void TestUpdateCheck::serverThatDripsIsCutAtTheDeadline()
{
    // A byte a second keeps any time-out that waits for silence from ending.
    QFETCH(QString, mode);
    CScriptServer dripping(mode);
    QTRY_VERIFY_WITH_TIMEOUT(!dripping.Url(LatestPath).isEmpty(), CheckEnds);
    CModalDialogCloser closer;
    CLintra window(CUpdateCheckConfig{dripping.Url(LatestPath), 2000});
    QTRY_VERIFY_WITH_TIMEOUT(!window.UpdateCheck().IsRunning(), CheckEnds);
    Control<QPushButton>(window, "CheckUpdates_PushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.UpdateCheck().IsRunning(), CheckEnds);

    QCOMPARE(closer.Seen.size(), 1);
    QTEST(closer.Seen.first().Title, "title");
}

void TestUpdateCheck::userAgentReachesServer()
{
    CModalDialogCloser closer;
    std::unique_ptr<CLintra> window = IdleWindow();
    QVERIFY(window);
    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->UpdateCheck().IsRunning(), CheckEnds);

    QCOMPARE(Server.Requests.size(), 1);
    const CLocalHttpServer::CRequest &request = Server.Requests.first();
    QCOMPARE(request.Method, QByteArray("GET"));
    QCOMPARE(request.Path, LatestPath);
    const QString expected =
        QStringLiteral("Norvane.Lintra.Desktop.Windows." LINTRA_VERSION "-B" LINTRA_BUILD_STAMP "/") +
        QSettings().value("RegNumber").toString() + QStringLiteral(" (") + QLocale::system().name() +
        QStringLiteral(")");
    QCOMPARE(QString::fromLatin1(request.Headers.value("user-agent")), expected);
}

void TestUpdateCheck::startedCheckRecordsItsTime()
{
    CModalDialogCloser closer;
    const QDateTime before = QDateTime::currentDateTime();
    CLintra window(Config());
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(window.UpdateCheck().Started());
    QVERIFY(window.UpdateCheck().LastCheckTime() >= before);
    QVERIFY(window.UpdateCheck().LastCheckTime() <= after);
    QTRY_VERIFY_WITH_TIMEOUT(!window.UpdateCheck().IsRunning(), CheckEnds);
}

void TestUpdateCheck::automaticCheckWaitsForInterval()
{
    CModalDialogCloser closer;
    std::unique_ptr<CLintra> window = IdleWindow();
    QVERIFY(window);
    Server.Serve(LatestPath, 200, Installed);
    const QDateTime twoDaysAgo = QDateTime::currentDateTime().addDays(-2);
    window->UpdateCheck().SetIntervalDays(3);
    window->UpdateCheck().SetLastCheckTime(twoDaysAgo);
    window->UpdateCheck().SetStarted(false);

    window->StartUpdateCheck(false);
    QVERIFY(!window->UpdateCheck().IsRunning());
    QCOMPARE(window->UpdateCheck().LastCheckTime(), twoDaysAgo);
    QVERIFY(!window->UpdateCheck().Started());

    window->UpdateCheck().SetLastCheckTime(QDateTime::currentDateTime().addSecs(-3 * 86400));
    window->StartUpdateCheck(false);
    QVERIFY(window->UpdateCheck().IsRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!window->UpdateCheck().IsRunning(), CheckEnds);
    QCOMPARE(Server.Requests.size(), 1);
    QCOMPARE(closer.Seen.size(), 0);
}

void TestUpdateCheck::secondPressShowsBusyWarning()
{
    CModalDialogCloser closer;
    std::unique_ptr<CLintra> window = IdleWindow();
    QVERIFY(window);
    Server.Serve(LatestPath, 200, Installed);
    Server.Holding = true;
    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Server.Requests.size(), 1, CheckEnds);
    CUpdateThread *running = window->UpdateCheck().RunningWorker();

    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    QCOMPARE(closer.Seen.size(), 1);
    QVERIFY(closer.Seen.first().IsMessageBox);
    QCOMPARE(closer.Seen.first().Icon, QMessageBox::Warning);
    QCOMPARE(closer.Seen.first().Title, QStringLiteral("FYI"));
    QCOMPARE(
        closer.Seen.first().Text,
        QStringLiteral("An early attempt to check updates has not finished yet, please hold on a while."));
    QCOMPARE(window->UpdateCheck().RunningWorker(), running);

    Server.ReleaseHeld();
    QTRY_VERIFY_WITH_TIMEOUT(!window->UpdateCheck().IsRunning(), CheckEnds);
    QCOMPARE(closer.Seen.size(), 2);
    QCOMPARE(closer.Seen.last().Title, QStringLiteral("Norvane Lintra Check Updates"));
    QCOMPARE(Server.Requests.size(), 1);
}

void TestUpdateCheck::quittingWhileCheckRuns_data()
{
    QTest::addColumn<bool>("requestReachedServer");
    QTest::newRow("request held by the server") << true;
    QTest::newRow("thread just started") << false;
}

void TestUpdateCheck::quittingWhileCheckRuns()
{
    QFETCH(bool, requestReachedServer);
    CModalDialogCloser closer;
    // Far beyond the test's own time limit: only an abort ends this check.
    std::unique_ptr<CLintra> window = IdleWindow(24 * 3600 * 1000);
    QVERIFY(window);
    Server.Holding = true;
    Control<QPushButton>(*window, "CheckUpdates_PushButton")->click();
    if (requestReachedServer)
        QTRY_COMPARE_WITH_TIMEOUT(Server.Requests.size(), 1, CheckEnds);

    window.reset();
    QTRY_VERIFY_WITH_TIMEOUT(Server.HeldConnectionsClosed(), CheckEnds);
    QCOMPARE(closer.Seen.size(), 0);
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
