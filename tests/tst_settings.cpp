// The window's settings across runs, and hiding into and coming back from
// the tray. Each case builds the window on a settings store laid out as an
// earlier run would have left it (in the temporary XDG_CONFIG_HOME).

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include "app/clintra.h"
#include "app/core/settingstable.h"
#include "app/ui_clintra.h"
#include "search/core/plaintextfilters.h"
#include "testsupport.h"
#include "update/core/installationid.h"
#include "windowdriver.h"

namespace {

const QString WellFormedId = QStringLiteral("0123ABCD-10040061-456789EF-FEDCBA98-00486856-76543210");

void PresetSettings(const QVariantMap &values)
{
    ResetTestSettings();
    QSettings settings(TestSettingsFile(), QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

QVariant StoredValue(const QString &key)
{
    return QSettings(TestSettingsFile(), QSettings::IniFormat).value(key);
}

QStringList StoredKeys()
{
    QStringList keys = QSettings(TestSettingsFile(), QSettings::IniFormat).allKeys();
    keys.sort();
    return keys;
}

// What is on the disk, not what a settings object may still hold in memory.
QByteArray SettingsFileOnDisk()
{
    QFile file(TestSettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Fills the window's drop-down list of that name with the items.
void SetItems(const CLintra &window, const char *box, const QStringList &items)
{
    QComboBox *comboBox = Control<QComboBox>(window, box);
    comboBox->clear();
    comboBox->addItems(items);
}

QStringList NumberedItems(const QString &prefix, int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << prefix + QString::number(i);
    return items;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    // Loading.
    void firstStartWritesOnlyTheIdentifierAndUsesDefaults();
    void storedIdentifier_data();
    void storedIdentifier();
    void updateInterval_data();
    void updateInterval();
    void valuesOfTheWrongTypeFallBackToDefaults();
    void historiesFillOnlyTheDropDownLists();
    void storedPositionOffEveryScreenIsReplaced_data();
    void storedPositionOffEveryScreenIsReplaced();

    // Saving.
    void historiesAreCappedAtTen_data();
    void historiesAreCappedAtTen();
    void directoryItemsAreOnlyTrimmedKeywordItemsAlsoSimplified();
    void geometryAndIntervalRoundTrip();
    void userPlainTextPatternsJoinTheList();
    void lastCheckTimeIsWrittenOnlyAfterACheckStarted();

    // Tray.
    void trayNoticeFlagReachesTheStoreAtTheNextSave();
    void laterClosesShowNoNotice();
    void restoring_data();
    void restoring();
    void quitDisablesTheMenuAndSaves();
    void exitButtonSaves();
    void closingWithoutTrayEndsTheProgram();
};

void TestSettings::firstStartWritesOnlyTheIdentifierAndUsesDefaults()
{
    ResetTestSettings();
    CLintra window;
    const QString id = StoredValue(QStringLiteral("RegNumber")).toString();
    QVERIFY(CheckInstallationIdFormat(id));
    // Written at once by the load, and nothing else is written before a save.
    QVERIFY(SettingsFileOnDisk().contains("RegNumber=" + id.toLatin1()));
    QCOMPARE(StoredKeys(), QStringList{QStringLiteral("RegNumber")});

    // At its least size, whatever was stored, wholly on the (small) screen.
    QCOMPARE(window.size(), window.minimumSize());
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(window.geometry()));
    QCOMPARE(Control<QComboBox>(window, "Dir2Search_ComboBox")->count(), 0);
    QCOMPARE(Control<QComboBox>(window, "Keywords2Search_ComboBox")->count(), 0);
    QCOMPARE(window.UpdateCheck().IntervalDays(), 3);
    // No check time yet: the automatic update check was due at once.
    QVERIFY(window.UpdateCheck().Started());
    QVERIFY(!Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible());
}

void TestSettings::storedIdentifier_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("kept");
    // Well-formed values stay, whatever the characters of the groups.
    QTest::newRow("upper-case") << QVariant(WellFormedId) << true;
    QTest::newRow("lower-case") << QVariant(WellFormedId.toLower()) << true;
    QTest::newRow("typed by hand") << QVariant(QStringLiteral(
                                          "abcdefgh-ijklmnop-qrstuvwx-yz012345-6789ABCD-EFGHIJKL"))
                                   << true;
    // Malformed ones are replaced.
    QTest::newRow("empty") << QVariant(QString()) << false;
    QTest::newRow("52 characters") << QVariant(WellFormedId.left(52)) << false;
    QTest::newRow("54 characters") << QVariant(WellFormedId + QLatin1Char('F')) << false;
    QTest::newRow("dashes elsewhere")
        << QVariant(QStringLiteral("0123ABC-D10040061-456789EF-FEDCBA98-00486856-76543210")) << false;
    QTest::newRow("sixth dash") << QVariant(QString(WellFormedId).replace(2, 1, QLatin1Char('-'))) << false;
    QTest::newRow("a number") << QVariant(12345) << false;
}

void TestSettings::storedIdentifier()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, kept);
    PresetSettings(
        {{QStringLiteral("RegNumber"), stored}, {QStringLiteral("HowOftenCheckUpdatesInDays"), 5}});
    CLintra window;
    const QString id = StoredValue(QStringLiteral("RegNumber")).toString();
    if (kept) {
        QCOMPARE(id, stored.toString());
    } else {
        QVERIFY(id != stored.toString());
        QVERIFY(CheckInstallationIdFormat(id));
    }
    QVERIFY(SettingsFileOnDisk().contains("RegNumber=" + id.toLatin1()));
    // The load writes no other key.
    QCOMPARE(StoredKeys(),
             (QStringList{QStringLiteral("HowOftenCheckUpdatesInDays"), QStringLiteral("RegNumber")}));
    QCOMPARE(StoredValue(QStringLiteral("HowOftenCheckUpdatesInDays")).toInt(), 5);
}

void TestSettings::updateInterval_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("days");
    QTest::newRow("absent") << QVariant() << 3;
    QTest::newRow("0") << QVariant(0) << 3;
    QTest::newRow("8") << QVariant(8) << 3;
    QTest::newRow("-1") << QVariant(-1) << 3;
    QTest::newRow("text") << QVariant(QStringLiteral("weekly")) << 3;
    QTest::newRow("1") << QVariant(1) << 1;
    QTest::newRow("7") << QVariant(7) << 7;
}

void TestSettings::updateInterval()
{
    QFETCH(QVariant, stored);
    QFETCH(int, days);
    QVariantMap values{{QStringLiteral("RegNumber"), WellFormedId}};
    if (stored.isValid())
        values.insert(QStringLiteral("HowOftenCheckUpdatesInDays"), stored);
    PresetSettings(values);
    CLintra window;
    QCOMPARE(window.UpdateCheck().IntervalDays(), days);
}

void TestSettings::valuesOfTheWrongTypeFallBackToDefaults()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId},
                    {QStringLiteral("size"), QStringLiteral("huge")},
                    {QStringLiteral("position"), QStringLiteral("left")},
                    {QStringLiteral("LastCheckUpdatesTime"), QStringLiteral("yesterday")}});
    CLintra window;
    // At its least size, whatever was stored, wholly on the (small) screen.
    QCOMPARE(window.size(), window.minimumSize());
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(window.geometry()));
    // Read as no check yet, so the automatic check was due at once.
    QVERIFY(window.UpdateCheck().Started());
}

void TestSettings::historiesFillOnlyTheDropDownLists()
{
    PresetSettings(
        {{QStringLiteral("RegNumber"), WellFormedId},
         {QStringLiteral("LastSearchedDirs"), QStringList{QStringLiteral("/b"), QStringLiteral("/a")}},
         {QStringLiteral("LastSearchedKeywords"), QStringList{QStringLiteral("one two")}}});
    CLintra window;
    QComboBox *dirs = Control<QComboBox>(window, "Dir2Search_ComboBox");
    QCOMPARE(dirs->count(), 2);
    QCOMPARE(dirs->itemText(0), QStringLiteral("/b"));
    QCOMPARE(dirs->itemText(1), QStringLiteral("/a"));
    QCOMPARE(dirs->currentIndex(), -1);
    QCOMPARE(dirs->currentText(), QString());
    // A list of one item is stored as a plain text and must come back as a list.
    QComboBox *keywords = Control<QComboBox>(window, "Keywords2Search_ComboBox");
    QCOMPARE(keywords->count(), 1);
    QCOMPARE(keywords->itemText(0), QStringLiteral("one two"));
    QCOMPARE(keywords->currentText(), QString());
}

void TestSettings::storedPositionOffEveryScreenIsReplaced_data()
{
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QPoint>("placed");
    // The offscreen platform has one screen at (0, 0); its size varies between Qt builds.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::newRow("on the screen") << QPoint(10, 5) << QPoint(10, 5);
    // Moved wholly onto the screen, anywhere (checked below).
    QTest::newRow("one pixel on the screen") << screen.bottomRight() << QPoint(-1, -1);
    QTest::newRow("beyond the right edge") << QPoint(screen.right() + 1, 20) << QPoint(-1, -1);
    QTest::newRow("far above and left") << QPoint(-5000, -5000) << QPoint(-1, -1);
}

void TestSettings::storedPositionOffEveryScreenIsReplaced()
{
    QFETCH(QPoint, stored);
    QFETCH(QPoint, placed);
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}, {QStringLiteral("position"), stored}});
    CLintra window;
    if (placed != QPoint(-1, -1))
        QCOMPARE(window.pos(), placed);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(QRect(window.pos(), window.size())));
}

void TestSettings::historiesAreCappedAtTen_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("saved");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("10") << 10 << 10;
    QTest::newRow("12") << 12 << 10;
}

void TestSettings::historiesAreCappedAtTen()
{
    QFETCH(int, items);
    QFETCH(int, saved);
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window;
    SetItems(window, "Dir2Search_ComboBox", NumberedItems(QStringLiteral("/dir"), items));
    SetItems(window, "Keywords2Search_ComboBox", NumberedItems(QStringLiteral("word"), items));
    Control<QComboBox>(window, "Dir2Search_ComboBox")->setEditText(QStringLiteral("/typed but not searched"));
    window.SaveSettings();
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedDirs")).toStringList(),
             NumberedItems(QStringLiteral("/dir"), saved));
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedKeywords")).toStringList(),
             NumberedItems(QStringLiteral("word"), saved));
}

void TestSettings::directoryItemsAreOnlyTrimmedKeywordItemsAlsoSimplified()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window;
    SetItems(window, "Dir2Search_ComboBox",
             {QStringLiteral("  /data/two  blanks\t "), QStringLiteral("/plain")});
    SetItems(window, "Keywords2Search_ComboBox", {QStringLiteral(" alpha   beta\tgamma ")});
    window.SaveSettings();
    // A path with two blanks in a row is another path than one with one blank.
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedDirs")).toStringList(),
             (QStringList{QStringLiteral("/data/two  blanks"), QStringLiteral("/plain")}));
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedKeywords")).toStringList(),
             QStringList{QStringLiteral("alpha beta gamma")});
}

void TestSettings::geometryAndIntervalRoundTrip()
{
    PresetSettings(
        {{QStringLiteral("RegNumber"), WellFormedId}, {QStringLiteral("HowOftenCheckUpdatesInDays"), 6}});
    QSize larger;
    {
        CLintra window;
        // Larger than the least size, and with its title bar still on the (small) screen.
        larger = window.minimumSize() + QSize(40, 2);
        window.resize(larger);
        window.move(30, 0);
        window.SaveSettings();
    }
    QCOMPARE(StoredValue(QStringLiteral("HowOftenCheckUpdatesInDays")).toInt(), 6);
    CLintra window;
    QCOMPARE(window.size(), larger);
    QCOMPARE(window.pos(), QPoint(30, 0));
    QCOMPARE(window.UpdateCheck().IntervalDays(), 6);
    QCOMPARE(StoredValue(QStringLiteral("RegNumber")).toString(), WellFormedId);
}

void TestSettings::userPlainTextPatternsJoinTheList()
{
    PresetSettings(
        {{QStringLiteral("RegNumber"), WellFormedId},
         {QStringLiteral("MorePlainTextFilePatterns"), QStringList{"*.adb", "*.TXT", "*", " Justfile ", ""}},
         {QStringLiteral("PlainTextByContent"), QStringLiteral("false")}});
    CLintra window;
    // Judged by name only, a full-text search reads them; the blank and "*"
    // entries let no other file in.
    QTemporaryDir dir;
    for (const char *name : {"a.adb", "Justfile", "other.xyz"})
        QVERIFY(WriteTestFile(dir.filePath(name), "alpha"));
    RunSearch(window, dir.path(), "alpha", SearchWhatFullText);
    QCOMPARE(TablePathSet(window), (QSet<QString>{dir.filePath("a.adb"), dir.filePath("Justfile")}));
    // Read, never written.
    window.SaveSettings();
    QCOMPARE(StoredValue(QStringLiteral("MorePlainTextFilePatterns")).toStringList().size(), 5);
}

void TestSettings::lastCheckTimeIsWrittenOnlyAfterACheckStarted()
{
    // Recent enough that the automatic check is not due.
    const QDateTime earlier = QDateTime::currentDateTime().addSecs(-3600);
    PresetSettings(
        {{QStringLiteral("RegNumber"), WellFormedId}, {QStringLiteral("LastCheckUpdatesTime"), earlier}});
    CLintra window;
    QCOMPARE(window.UpdateCheck().LastCheckTime(), earlier);
    QVERIFY(!window.UpdateCheck().Started());
    window.UpdateCheck().SetLastCheckTime(earlier.addDays(1));
    window.SaveSettings();
    QCOMPARE(StoredValue(QStringLiteral("LastCheckUpdatesTime")).toDateTime(), earlier);
    window.UpdateCheck().SetStarted(true);
    window.SaveSettings();
    QCOMPARE(StoredValue(QStringLiteral("LastCheckUpdatesTime")).toDateTime(), earlier.addDays(1));
}

void TestSettings::trayNoticeFlagReachesTheStoreAtTheNextSave()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window(TrayEnvironment(true));
    window.show();
    QCOMPARE(CloseIntoTray(window), QStringList{QStringLiteral("FYI")});
    QVERIFY(!window.isVisible());
    QVERIFY(Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible());
    // The close saved before the notice was shown.
    QCOMPARE(StoredValue(QStringLiteral("IfMinimize2SysTrayInfoShown")).toBool(), false);
    window.SaveSettings();
    QCOMPARE(StoredValue(QStringLiteral("IfMinimize2SysTrayInfoShown")).toBool(), true);
}

void TestSettings::laterClosesShowNoNotice()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window(TrayEnvironment(true));
    window.show();
    QCOMPARE(CloseIntoTray(window), QStringList{QStringLiteral("FYI")});
    Control<QAction>(window, "SysTrayIconRestore_Action")->trigger();
    QVERIFY(window.isVisible());
    QCOMPARE(CloseIntoTray(window), QStringList());
    QVERIFY(!window.isVisible());

    // A later run that loaded the saved flag shows none either.
    PresetSettings(
        {{QStringLiteral("RegNumber"), WellFormedId}, {QStringLiteral("IfMinimize2SysTrayInfoShown"), true}});
    CLintra later(TrayEnvironment(true));
    later.show();
    QCOMPARE(CloseIntoTray(later), QStringList());
    QVERIFY(!later.isVisible());
    QVERIFY(Control<QSystemTrayIcon>(later, "SysTrayIcon")->isVisible());
}

// The icon's activation reasons and the "Restore" entry; -1 stands for the entry.
void TestSettings::restoring_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("restores");
    QTest::newRow("click") << int(QSystemTrayIcon::Trigger) << true;
    QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << true;
    QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << true;
    QTest::newRow("Restore entry") << -1 << true;
    QTest::newRow("context menu") << int(QSystemTrayIcon::Context) << false;
    QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << false;
}

void TestSettings::restoring()
{
    QFETCH(int, reason);
    QFETCH(bool, restores);
    PresetSettings(
        {{QStringLiteral("RegNumber"), WellFormedId}, {QStringLiteral("IfMinimize2SysTrayInfoShown"), true}});
    CLintra window(TrayEnvironment(true));
    window.showMaximized();
    QCOMPARE(CloseIntoTray(window), QStringList());
    if (reason < 0)
        Control<QAction>(window, "SysTrayIconRestore_Action")->trigger();
    else
        emit Control<QSystemTrayIcon>(window, "SysTrayIcon")
            ->activated(QSystemTrayIcon::ActivationReason(reason));
    QCOMPARE(window.isVisible(), restores);
    QCOMPARE(Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible(), !restores);
    // A window maximized before it was hidden comes back in its normal size.
    if (restores)
        QVERIFY(!(window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)));
}

void TestSettings::quitDisablesTheMenuAndSaves()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window(TrayEnvironment(true));
    window.show();
    QCOMPARE(CloseIntoTray(window), QStringList{QStringLiteral("FYI")});
    Control<QComboBox>(window, "Keywords2Search_ComboBox")->addItem(QStringLiteral("after the close"));
    Control<QAction>(window, "SysTrayIconQuit_Action")->trigger();
    QVERIFY(!Control<QAction>(window, "SysTrayIconQuit_Action")->isEnabled());
    QVERIFY(!Control<QAction>(window, "SysTrayIconRestore_Action")->isEnabled());
    // Quitting right after the first close stores the notice as seen.
    QCOMPARE(StoredValue(QStringLiteral("IfMinimize2SysTrayInfoShown")).toBool(), true);
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedKeywords")).toStringList(),
             QStringList{QStringLiteral("after the close")});
}

void TestSettings::exitButtonSaves()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window;
    window.show();
    Control<QComboBox>(window, "Dir2Search_ComboBox")->addItem(QStringLiteral("/before/exit"));
    Control<QPushButton>(window, "ExitProgram_PushButton")->click();
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedDirs")).toStringList(),
             QStringList{QStringLiteral("/before/exit")});
    QCOMPARE(StoredValue(QStringLiteral("size")).toSize(), window.size());
    // The tray menu stays usable on this path.
    QVERIFY(Control<QAction>(window, "SysTrayIconQuit_Action")->isEnabled());
}

// Where the desktop has no tray nothing could bring a hidden window back.
void TestSettings::closingWithoutTrayEndsTheProgram()
{
    PresetSettings({{QStringLiteral("RegNumber"), WellFormedId}});
    CLintra window(TrayEnvironment(false));
    window.show();
    Control<QComboBox>(window, "Dir2Search_ComboBox")->addItem(QStringLiteral("/before/close"));
    QStringList titles;
    QVERIFY(CloseEndsEventLoop(window, titles));
    QCOMPARE(titles, QStringList());
    QVERIFY(!Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible());
    QCOMPARE(StoredValue(QStringLiteral("LastSearchedDirs")).toStringList(),
             QStringList{QStringLiteral("/before/close")});
    QCOMPARE(StoredValue(QStringLiteral("IfMinimize2SysTrayInfoShown")).toBool(), false);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
