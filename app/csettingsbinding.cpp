#include "app/csettingsbinding.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <cstdio>

#include "app/core/settingsstore.h"
#include "app/core/settingstable.h"
#include "app/csystray.h"
#include "app/messagebox.h"
#include "app/ui_clintra.h"
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

CSettingsBinding::CSettingsBinding(QWidget *window, Ui_CLintra *ui, const CBound &bound)
    : QObject(window)
    , Window(window)
    , ui(ui)
    , Bound(bound)
{
}

void CSettingsBinding::SetSettingsStoreNames()
{
    QCoreApplication::setOrganizationName(QLatin1String(MakerName));
    QCoreApplication::setOrganizationDomain(QLatin1String(MakerDomain));
    QCoreApplication::setApplicationName(QStringLiteral("Lintra"));
}

// Read once per window, and so once per run: where the store cannot keep a
// new identifier, the run still uses one identifier throughout.
QString CSettingsBinding::LoadInstallationId()
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

QString CSettingsBinding::SettingsNotice() const
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
QString CSettingsBinding::LoadLegacyCharsetName()
{
    SetSettingsStoreNames();
    const CSettingsStore settings(SettingsFilePath());
    return Load(settings, LegacyCharsetSetting).toString().trimmed();
}

void CSettingsBinding::LoadSettings()
{
    Bound.Update->SetInstallationId(LoadInstallationId());
    CSettingsStore settings(SettingsFilePath());
    // The frame is not known before the window is shown: a title bar's height is kept free.
    const QMargins frame(0, Window->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const QRect placed = OnScreenWindowGeometry(
        Load(settings, WindowPositionSetting).toPoint(), Load(settings, WindowSizeSetting).toSize(),
        Window->minimumSizeHint().expandedTo(Window->minimumSize()), frame, ScreenGeometries());
    Window->resize(placed.size());
    Window->move(placed.topLeft());
    // Applied when the window is shown: it comes up maximised, and its normal size is the one above.
    if (Load(settings, WindowMaximizedSetting).toBool())
        Window->setWindowState(Window->windowState() | Qt::WindowMaximized);
    LoadResultColumnWidths(Load(settings, ResultColumnWidthsSetting));
    Bound.Tray->SetInfoShown(Load(settings, SysTrayInfoShownSetting).toBool());
    LoadHistory(ui->Dir2Search_ComboBox, Load(settings, LastSearchedDirsSetting).toStringList());
    LoadHistory(ui->Keywords2Search_ComboBox, Load(settings, LastSearchedKeywordsSetting).toStringList());
    LoadHistory(ui->SkipFolders_ComboBox, Load(settings, LastSkippedFoldersSetting).toStringList());
    ui->IncludeHidden_CheckBox->setChecked(Load(settings, IncludeHiddenSetting).toBool());
    Bound.Update->UpdateCheck().SetIntervalDays(
        UpdateCheckIntervalFromStore(settings.Value(SettingKey(UpdateCheckIntervalSetting))));
    Bound.Update->UpdateCheck().SetLastCheckTime(Load(settings, LastUpdateCheckTimeSetting).toDateTime());
    // The user may add plain-text patterns in the file; nothing writes them.
    Bound.Search->SetPlainTextChoice(PlainTextFilePatterns(settings.Value(PlainTextPatternsSettingKey())),
                                     Load(settings, PlainTextByContentSetting).toBool());
}

// The size and date columns as the user left them; the path column takes the rest.
void CSettingsBinding::LoadResultColumnWidths(const QVariant &stored)
{
    CResultsTable *table = ui->FilesFound_TableWidget;
    const QList<int> widths =
        ResultColumnWidthsFromStore(stored, {table->columnWidth(1), table->columnWidth(2)});
    table->setColumnWidth(1, widths.at(0));
    table->setColumnWidth(2, widths.at(1));
}

void CSettingsBinding::SaveSettings(bool userPresent)
{
    CSettingsStore settings(SettingsFilePath());
    // A maximised window keeps the size and place it returns to.
    const QRect normal = Window->isMaximized() && Window->normalGeometry().isValid()
                             ? Window->normalGeometry()
                             : Window->geometry();
    Save(settings, WindowSizeSetting, normal.size());
    Save(settings, WindowPositionSetting, normal.topLeft() - (Window->geometry().topLeft() - Window->pos()));
    Save(settings, WindowMaximizedSetting, Window->isMaximized());
    Save(settings, ResultColumnWidthsSetting,
         QStringList{QString::number(ui->FilesFound_TableWidget->columnWidth(1)),
                     QString::number(ui->FilesFound_TableWidget->columnWidth(2))});
    Save(settings, SysTrayInfoShownSetting, Bound.Tray->InfoShown());
    Save(settings, LastSearchedDirsSetting, DirectoryHistoryForStore(HistoryItems(ui->Dir2Search_ComboBox)));
    Save(settings, LastSearchedKeywordsSetting,
         KeywordHistoryForStore(HistoryItems(ui->Keywords2Search_ComboBox)));
    Save(settings, LastSkippedFoldersSetting, KeywordHistoryForStore(HistoryItems(ui->SkipFolders_ComboBox)));
    Save(settings, IncludeHiddenSetting, ui->IncludeHidden_CheckBox->isChecked());
    const CUpdateCheck &check = Bound.Update->UpdateCheck();
    Save(settings, UpdateCheckIntervalSetting, check.IntervalDays());
    if (check.Started())
        Save(settings, LastUpdateCheckTimeSetting, check.LastCheckTime());
    if (!settings.Sync() && settings.State() == SettingsKept)
        TellSettingsNotSaved(userPresent);
}

// Once a run. While the session ends nobody is asked to press a button: then
// only the terminal hears of it.
void CSettingsBinding::TellSettingsNotSaved(bool userPresent)
{
    if (SettingsNotSavedTold)
        return;
    SettingsNotSavedTold = true;
    const QString text = tr("The settings could not be saved: %1 could not be written in full (is the disk "
                            "full?). The file keeps the settings it had before.")
                             .arg(QDir::toNativeSeparators(SettingsFilePath()));
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    if (userPresent)
        ShowMessageBox(QMessageBox::Warning, tr("Settings"), text);
}
