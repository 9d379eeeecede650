// Closing the window under a Wayland compositor, on the desktop the test is
// started on: tests/weston_closing.sh runs one case per process under
// weston, first without any tray, then with a D-Bus tray (Qt looks for that
// tray once per process). Unlike the window tests, the desktop decides here:
// nothing replaces the question whether a tray is there.

#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QSettings>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

QVariant StoredValue(const QString &key)
{
    return QSettings(TestSettingsFile(), QSettings::IniFormat).value(key);
}

} // namespace

class TestTrayWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland")); }
    void init() { ResetTestSettings(); }
    void closingWithoutTray();
    void closingIntoDBusTray();
};

void TestTrayWayland::closingWithoutTray()
{
    CLintra window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Control<QComboBox>(window, "Dir2Search_ComboBox")->addItem(QStringLiteral("/before/close"));
    QStringList titles;
    QVERIFY(CloseEndsEventLoop(window, titles));
    QCOMPARE(titles, QStringList());
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedDirs")).toStringList(),
             QStringList{QStringLiteral("/before/close")});
}

void TestTrayWayland::closingIntoDBusTray()
{
    CLintra window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(CloseIntoTray(window), QStringList{QStringLiteral("FYI")});
    QVERIFY(!window.isVisible());
    QVERIFY(Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible());
    // The script reads the registration from the tray's log after this
    // process has ended; the registration is sent from Qt's D-Bus thread.
    QTest::qWait(1000);
    Control<QAction>(window, "SysTrayIconRestore_Action")->trigger();
    QVERIFY(window.isVisible());
    QVERIFY(!Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible());
}

QTEST_MAIN(TestTrayWayland)
#include "tst_traywayland.moc"
