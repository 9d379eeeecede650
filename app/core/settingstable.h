#ifndef LINTRA_SETTINGSTABLE_H
#define LINTRA_SETTINGSTABLE_H

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

// The values the program keeps between runs: each key's name in the
// settings store and the default it falls back to, and the rules that keep
// what is loaded or saved sound. Reading and writing the store, and applying
// the values to the window, is the window's business.
enum TEnumSetting
{
    InstallationIdSetting,
    WindowSizeSetting,
    WindowPositionSetting,
    SysTrayInfoShownSetting,
    LastSearchedDirsSetting,
    LastSearchedKeywordsSetting,
    UpdateCheckIntervalSetting,
    LastUpdateCheckTimeSetting,
    // The charset of the user's files that are not UTF-8; empty: the language's.
    LegacyCharsetSetting,
    PlainTextByContentSetting,
    IncludeHiddenSetting,
    LastSkippedFoldersSetting,
    WindowMaximizedSetting,
    ResultColumnWidthsSetting
};

const int MaxHistoryItems = 10;
const int DefaultUpdateCheckIntervalDays = 3;

// The key under which the setting is stored ("RegNumber", "size", ...).
QString SettingKey(TEnumSetting setting);

// The value used when the key is absent or holds a value of another type.
QVariant SettingDefault(TEnumSetting setting);

// The stored value converted to the setting's type, or its default.
QVariant StoredValueOrDefault(TEnumSetting setting, const QVariant &stored);

// Days between automatic update checks: the stored number when it is 1 to 7,
// otherwise (absent, not a number, out of range) 3.
int UpdateCheckIntervalFromStore(const QVariant &stored);

// The first ten items, trimmed. Inner blanks belong to the path and stay.
QStringList DirectoryHistoryForStore(const QStringList &items);

// The first ten items, trimmed and with inner runs of white space made one blank.
QStringList KeywordHistoryForStore(const QStringList &items);

// Where a window opens, given the stored frame position and inner size: the
// stored size, never less than minimum and cut to the screen's room; placed wholly on the screen it shows
// most on (the first one if none), moved no further than needed, or at defaultPosition when it shows on none.
// frame: the window frame's extents round the inner size; screens: the screens' available areas.
QRect OnScreenWindowGeometry(const QPoint &stored, const QSize &size, const QSize &minimum,
                             const QMargins &frame, const QList<QRect> &screens);

// The widths of the results' size and date columns: the stored ones where
// both are a sensible width, the given least ones otherwise, and never less.
QList<int> ResultColumnWidthsFromStore(const QVariant &stored, const QList<int> &least);

#endif
