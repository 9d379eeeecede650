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
        {LegacyCharsetSetting, "LegacyCharset", QVariant(QString())},
        {PlainTextByContentSetting, "PlainTextByContent", QVariant(true)},
        {IncludeHiddenSetting, "IncludeHiddenFilesAndFolders", QVariant(false)},
        {LastSkippedFoldersSetting, "LastSkippedFolders", QVariant(QStringList())},
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

namespace {

int OverlapArea(const QRect &a, const QRect &b)
{
    const QRect overlap = a.intersected(b);
    return overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
}

// The first coordinate at which a span of length fits in [low, low + room).
int Clamped(int position, int length, int low, int room)
{
    return qMax(low, qMin(position, low + room - length));
}

} // namespace

QRect OnScreenWindowGeometry(const QPoint &stored, const QSize &size, const QSize &minimum,
                             const QMargins &frame, const QList<QRect> &screens)
{
    QSize inner = size.expandedTo(minimum);
    if (screens.isEmpty())
        return QRect(stored, inner);
    const auto outer = [&frame](const QPoint &at, const QSize &innerSize) {
        return QRect(at, innerSize.grownBy(frame));
    };
    QPoint position = stored;
    const QRect *screen = nullptr;
    int best = 0;
    for (const QRect &candidate : screens) {
        const int area = OverlapArea(candidate, outer(stored, inner));
        if (area > best) {
            best = area;
            screen = &candidate;
        }
    }
    if (!screen) {
        screen = &screens.first();
        position = SettingDefault(WindowPositionSetting).toPoint();
    }
    // A size saved on a larger screen is not restored.
    if (inner.grownBy(frame).width() > screen->width() || inner.grownBy(frame).height() > screen->height())
        inner = minimum;
    const QSize whole = inner.grownBy(frame);
    position.setX(Clamped(position.x(), whole.width(), screen->left(), screen->width()));
    position.setY(Clamped(position.y(), whole.height(), screen->top(), screen->height()));
    return QRect(position, inner);
}
