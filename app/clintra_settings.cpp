// The main window's settings: loaded once at construction, saved on hiding
// into the tray, on quitting and when the session ends. The installation
// identifier is also read by start-up, before the window exists, for the
// single-instance guard. Each call opens the store for itself, so
// nothing is cached between calls; the keys, defaults and value rules are in
// app/core/settingstable.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>

#include "app/core/settingstable.h"
#include "update/core/installationid.h"
#include "update/core/versionstamp.h"

namespace {

QVariant Load(const QSettings &settings, TEnumSetting setting)
{
    return StoredValueOrDefault(setting, settings.value(SettingKey(setting)));
}

void Save(QSettings &settings, TEnumSetting setting, const QVariant &value)
{
    settings.setValue(SettingKey(setting), value);
}

// The history goes into the drop-down list only: the edit field starts empty.
void LoadHistory(QComboBox *comboBox, const QStringList &history)
{
    comboBox->insertItems(0, history);
    comboBox->setCurrentIndex(-1);
    comboBox->clearEditText();
}

QStringList HistoryItems(const QComboBox *comboBox)
{
    QStringList items;
    for (int i = 0; i < comboBox->count() && i < MaxHistoryItems; ++i)
        items << comboBox->itemText(i);
    return items;
}

QList<QRect> ScreenGeometries()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    return screens;
}

} // namespace

void CLintra::SetSettingsStoreNames()
{
    QCoreApplication::setOrganizationName(QLatin1String(MakerName));
    QCoreApplication::setOrganizationDomain(QLatin1String(MakerDomain));
    QCoreApplication::setApplicationName(QStringLiteral("Lintra"));
}

QString CLintra::LoadInstallationId()
{
    QSettings settings;
    QString id = Load(settings, InstallationIdSetting).toString();
    if (!CheckInstallationIdFormat(id)) {
        id = CreateInstallationId();
        // Written at once: the single-instance guard and any other instance
        // started meanwhile must see the same identifier.
        Save(settings, InstallationIdSetting, id);
        settings.sync();
    }
    return id;
}

void CLintra::LoadSettings()
{
    InstallationId = LoadInstallationId();
    QSettings settings;
    // The frame is not known before the window is shown: a title bar's height is kept free.
    const QMargins frame(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const QRect placed = OnScreenWindowGeometry(
        Load(settings, WindowPositionSetting).toPoint(), Load(settings, WindowSizeSetting).toSize(),
        minimumSizeHint().expandedTo(minimumSize()), frame, ScreenGeometries());
    resize(placed.size());
    move(placed.topLeft());
    SysTrayInfoShown = Load(settings, SysTrayInfoShownSetting).toBool();
    LoadHistory(ui->Dir2Search_ComboBox, Load(settings, LastSearchedDirsSetting).toStringList());
    LoadHistory(ui->Keywords2Search_ComboBox, Load(settings, LastSearchedKeywordsSetting).toStringList());
    UpdateCheckIntervalDays =
        UpdateCheckIntervalFromStore(settings.value(SettingKey(UpdateCheckIntervalSetting)));
    LastUpdateCheckTime = Load(settings, LastUpdateCheckTimeSetting).toDateTime();
}

void CLintra::SaveSettings()
{
    QSettings settings;
    Save(settings, WindowSizeSetting, size());
    Save(settings, WindowPositionSetting, pos());
    Save(settings, SysTrayInfoShownSetting, SysTrayInfoShown);
    Save(settings, LastSearchedDirsSetting, DirectoryHistoryForStore(HistoryItems(ui->Dir2Search_ComboBox)));
    Save(settings, LastSearchedKeywordsSetting,
         KeywordHistoryForStore(HistoryItems(ui->Keywords2Search_ComboBox)));
    Save(settings, UpdateCheckIntervalSetting, UpdateCheckIntervalDays);
    if (UpdateCheckStarted)
        Save(settings, LastUpdateCheckTimeSetting, LastUpdateCheckTime);
}
