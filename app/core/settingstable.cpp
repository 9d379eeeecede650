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
        {WindowMaximizedSetting, "maximized", QVariant(false)},
        {ResultColumnWidthsSetting, "ResultColumnWidths", QVariant(QStringList())},
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

// Stored numbers are the user's to edit: bounded before any sum, so that
// nothing overflows however large they are.
const int FarOff = 1 << 20;
// Wider than any screen: a stored column width beyond it is no width.
const int WidestColumn = 16384;

QPoint Bounded(const QPoint &point)
{
    return QPoint(qBound(-FarOff, point.x(), FarOff), qBound(-FarOff, point.y(), FarOff));
}

QSize Bounded(const QSize &size)
{
    return QSize(qBound(0, size.width(), FarOff), qBound(0, size.height(), FarOff));
}

// The first coordinate at which a span of length fits in [low, low + room).
int Clamped(int position, int length, int low, int room)
{
    return qMax(low, qMin(position, low + room - length));
}

} // namespace

QRect OnScreenWindowGeometry(const QPoint &storedPosition, const QSize &size, const QSize &minimum,
                             const QMargins &frame, const QList<QRect> &screens)
{
    const QPoint stored = Bounded(storedPosition);
    QSize inner = Bounded(size).expandedTo(minimum);
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
    // A size saved on a larger screen is cut to this one's room.
    inner = inner.boundedTo(screen->size().shrunkBy(frame)).expandedTo(minimum);
    const QSize whole = inner.grownBy(frame);
    position.setX(Clamped(position.x(), whole.width(), screen->left(), screen->width()));
    position.setY(Clamped(position.y(), whole.height(), screen->top(), screen->height()));
    return QRect(position, inner);
}

QList<int> ResultColumnWidthsFromStore(const QVariant &stored, const QList<int> &least)
{
    const QStringList texts = stored.toStringList();
    if (texts.size() != least.size())
        return least;
    QList<int> widths;
    for (int i = 0; i < least.size(); ++i) {
        bool isNumber = false;
        const int width = texts.at(i).toInt(&isNumber);
        if (!isNumber || width > WidestColumn)
            return least;
        widths << qMax(width, least.at(i));
    }
    return widths;
}
