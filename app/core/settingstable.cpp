#include "app/core/settingstable.h"

#include <QDateTime>

namespace {

struct CSettingDefinition
{
    TEnumSetting Setting;
    const char *Key;
    QVariant Default;
};

const QList<CSettingDefinition> &SettingDefinitions()
{
    static const QList<CSettingDefinition> definitions = {
        {InstallationIdSetting, "RegNumber", QVariant(QString())},
        {WindowSizeSetting, "size", QVariant(QSize(681, 552))},
        {WindowPositionSetting, "position", QVariant(QPoint(269, 102))},
        {SysTrayInfoShownSetting, "IfMinimize2SysTrayInfoShown", QVariant(false)},
        {LastSearchedDirsSetting, "LastSearchedDirs", QVariant(QStringList())},
        {LastSearchedKeywordsSetting, "LastSearchedKeywords", QVariant(QStringList())},
        {UpdateCheckIntervalSetting, "HowOftenCheckUpdatesInDays", QVariant(DefaultUpdateCheckIntervalDays)},
        {LastUpdateCheckTimeSetting, "LastCheckUpdatesTime", QVariant(QDateTime())},
    };
    return definitions;
}

const CSettingDefinition &Definition(TEnumSetting setting)
{
    for (const CSettingDefinition &definition : SettingDefinitions()) {
        if (definition.Setting == setting)
            return definition;
    }
    Q_UNREACHABLE();
}

QStringList FirstHistoryItems(const QStringList &items)
{
    return items.mid(0, MaxHistoryItems);
}

} // namespace

QString SettingKey(TEnumSetting setting)
{
    return QLatin1String(Definition(setting).Key);
}

QVariant SettingDefault(TEnumSetting setting)
{
    return Definition(setting).Default;
}

QVariant StoredValueOrDefault(TEnumSetting setting, const QVariant &stored)
{
    const QVariant fallback = SettingDefault(setting);
    QVariant value = stored;
    if (!value.isValid() || !value.convert(fallback.userType()))
        return fallback;
    return value;
}

int UpdateCheckIntervalFromStore(const QVariant &stored)
{
    bool isNumber = false;
    const int days = stored.toInt(&isNumber);
    if (!isNumber || days < 1 || days > 7)
        return DefaultUpdateCheckIntervalDays;
    return days;
}

QStringList DirectoryHistoryForStore(const QStringList &items)
{
    QStringList history;
    for (const QString &item : FirstHistoryItems(items))
        history << item.trimmed();
    return history;
}

QStringList KeywordHistoryForStore(const QStringList &items)
{
    QStringList history;
    for (const QString &item : FirstHistoryItems(items))
        history << item.simplified();
    return history;
}

QPoint OnScreenWindowPosition(const QPoint &stored, const QSize &size, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return stored;
    // An empty rectangle intersects nothing; a window has at least one pixel.
    const QRect window(stored, size.expandedTo(QSize(1, 1)));
    for (const QRect &screen : screens) {
        if (screen.intersects(window))
            return stored;
    }
    return SettingDefault(WindowPositionSetting).toPoint();
}
