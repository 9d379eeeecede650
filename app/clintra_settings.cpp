// The main window's settings: loaded once at construction, saved on hiding
// into the tray, on quitting and when the session ends. Each call opens the
// store for itself, so nothing is cached between calls; the keys, defaults
// and value rules are in app/core/settingstable, and what may be done with
// the file (read and write, only read, or nothing at all) in
// app/core/settingsstore.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include <cstdio>

#include "app/core/settingsstore.h"
#include "app/core/settingstable.h"
#include "app/csystray.h"
#include "search/core/plaintextfilters.h"
#include "search/csearchdriver.h"
#include "update/core/installationid.h"
#include "update/core/versionstamp.h"
#include "update/cupdatedialogs.h"

namespace {

QVariant Load(const CSettingsStore &settings, TEnumSetting setting)
{
    return StoredValueOrDefault(setting, settings.Value(SettingKey(setting)));
}

void Save(CSettingsStore &settings, TEnumSetting setting, const QVariant &value)
{
    settings.SetValue(SettingKey(setting), value);
}

QString SettingsFilePath()
{
    return UserSettingsFilePath(QCoreApplication::organizationName(), QCoreApplication::applicationName());
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

// Read once per window, and so once per run: where the store cannot keep a
// new identifier, the run still uses one identifier throughout.
QString CLintra::LoadInstallationId()
{
    CSettingsStore settings(SettingsFilePath());
    QString id = Load(settings, InstallationIdSetting).toString();
    if (!CheckInstallationIdFormat(id)) {
        id = CreateInstallationId();
        // Written at once: an instance started later must find the same identifier.
        Save(settings, InstallationIdSetting, id);
        settings.Sync();
    }
    return id;
}

QString CLintra::SettingsNotice() const
{
    const QString path = QDir::toNativeSeparators(SettingsFilePath());
    switch (SettingsFileState(SettingsFilePath())) {
    case SettingsKept:
        break;
    case SettingsReadOnly:
        return tr("The settings cannot be saved: %1 or its folder cannot be written. The window's size and "
                  "position, the directory and keyword histories and the update schedule will not be kept "
                  "after this run.")
            .arg(path);
    case SettingsNotKept:
        return tr("No settings are kept: %1 is not a regular file that can be read. Lintra neither reads "
                  "nor writes it; the window's size and position, the directory and keyword histories and "
                  "the update schedule will not be kept after this run.")
            .arg(path);
    }
    return QString();
}

// Read before the rest of the settings: the charset decides how the window
// reads every file. Nothing writes it; the user sets it in the file.
QString CLintra::LoadLegacyCharsetName()
{
    SetSettingsStoreNames();
    const CSettingsStore settings(SettingsFilePath());
    return Load(settings, LegacyCharsetSetting).toString().trimmed();
}

void CLintra::LoadSettings()
{
    UpdateDialogs->SetInstallationId(LoadInstallationId());
    CSettingsStore settings(SettingsFilePath());
    // The frame is not known before the window is shown: a title bar's height is kept free.
    const QMargins frame(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const QRect placed = OnScreenWindowGeometry(
        Load(settings, WindowPositionSetting).toPoint(), Load(settings, WindowSizeSetting).toSize(),
        minimumSizeHint().expandedTo(minimumSize()), frame, ScreenGeometries());
    resize(placed.size());
    move(placed.topLeft());
    // Applied when the window is shown: it comes up maximised, and its normal size is the one above.
    if (Load(settings, WindowMaximizedSetting).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
    LoadResultColumnWidths(Load(settings, ResultColumnWidthsSetting));
    SysTray->SetInfoShown(Load(settings, SysTrayInfoShownSetting).toBool());
    LoadHistory(ui->Dir2Search_ComboBox, Load(settings, LastSearchedDirsSetting).toStringList());
    LoadHistory(ui->Keywords2Search_ComboBox, Load(settings, LastSearchedKeywordsSetting).toStringList());
    LoadHistory(ui->SkipFolders_ComboBox, Load(settings, LastSkippedFoldersSetting).toStringList());
    ui->IncludeHidden_CheckBox->setChecked(Load(settings, IncludeHiddenSetting).toBool());
    UpdateCheck().SetIntervalDays(
        UpdateCheckIntervalFromStore(settings.Value(SettingKey(UpdateCheckIntervalSetting))));
    UpdateCheck().SetLastCheckTime(Load(settings, LastUpdateCheckTimeSetting).toDateTime());
    // The user may add plain-text patterns in the file; nothing writes them.
    SearchDriver->SetPlainTextChoice(PlainTextFilePatterns(settings.Value(PlainTextPatternsSettingKey())),
                                     Load(settings, PlainTextByContentSetting).toBool());
}

// The size and date columns as the user left them; the path column takes the rest.
void CLintra::LoadResultColumnWidths(const QVariant &stored)
{
    CResultsTable *table = ui->FilesFound_TableWidget;
    const QList<int> widths =
        ResultColumnWidthsFromStore(stored, {table->columnWidth(1), table->columnWidth(2)});
    table->setColumnWidth(1, widths.at(0));
    table->setColumnWidth(2, widths.at(1));
}

void CLintra::SaveSettings(bool userPresent)
{
    CSettingsStore settings(SettingsFilePath());
    // A maximised window keeps the size and place it returns to.
    const QRect normal = isMaximized() && normalGeometry().isValid() ? normalGeometry() : geometry();
    Save(settings, WindowSizeSetting, normal.size());
    Save(settings, WindowPositionSetting, normal.topLeft() - (geometry().topLeft() - pos()));
    Save(settings, WindowMaximizedSetting, isMaximized());
    Save(settings, ResultColumnWidthsSetting,
         QStringList{QString::number(ui->FilesFound_TableWidget->columnWidth(1)),
                     QString::number(ui->FilesFound_TableWidget->columnWidth(2))});
    Save(settings, SysTrayInfoShownSetting, SysTray->InfoShown());
    Save(settings, LastSearchedDirsSetting, DirectoryHistoryForStore(HistoryItems(ui->Dir2Search_ComboBox)));
    Save(settings, LastSearchedKeywordsSetting,
         KeywordHistoryForStore(HistoryItems(ui->Keywords2Search_ComboBox)));
    Save(settings, LastSkippedFoldersSetting, KeywordHistoryForStore(HistoryItems(ui->SkipFolders_ComboBox)));
    Save(settings, IncludeHiddenSetting, ui->IncludeHidden_CheckBox->isChecked());
    Save(settings, UpdateCheckIntervalSetting, UpdateCheck().IntervalDays());
    if (UpdateCheck().Started())
        Save(settings, LastUpdateCheckTimeSetting, UpdateCheck().LastCheckTime());
    if (!settings.Sync() && settings.State() == SettingsKept)
        TellSettingsNotSaved(userPresent);
}

// Once a run. While the session ends nobody is asked to press a button: then
// only the terminal hears of it.
void CLintra::TellSettingsNotSaved(bool userPresent)
{
    if (SettingsNotSavedTold)
        return;
    SettingsNotSavedTold = true;
    const QString text = tr("The settings could not be saved: %1 could not be written in full (is the disk "
                            "full?). The file keeps the settings it had before.")
                             .arg(QDir::toNativeSeparators(SettingsFilePath()));
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    if (userPresent)
        ShowMessage(QMessageBox::Warning, tr("Settings"), text);
}
