#include "app/core/settingsstore.h"

#include "app/core/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// Links are followed to what they finally name; a loop names nothing usable.
bool FollowLinks(QFileInfo &file)
{
    for (int depth = 0; depth < 40; ++depth) {
        if (!file.isSymLink())
            return true;
        file.setFile(file.symLinkTarget());
    }
    return false;
}

// Where a missing file would be made: the nearest folder that exists must
// let the user create in it.
bool CanBeCreated(const QFileInfo &file)
{
    QFileInfo folder(file.absolutePath());
    while (!folder.exists() && !folder.isSymLink() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace

TEnumSettingsState SettingsFileState(const QString &filePath)
{
    if (filePath.isEmpty())
        return SettingsKept;
    QFileInfo file(filePath);
    if (!FollowLinks(file))
        return SettingsNotKept;
    if (!file.exists())
        return CanBeCreated(file) ? SettingsKept : SettingsReadOnly;
    if (!file.isFile() || !file.isReadable())
        return SettingsNotKept;
    // The file is replaced by a new one beside it: its folder must be writable too.
    const bool writable = file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    return writable ? SettingsKept : SettingsReadOnly;
}

CSettingsStore::CSettingsStore(const QString &filePath)
    : StoreState(SettingsFileState(filePath))
{
    if (StoreState == SettingsNotKept)
        return;
    if (filePath.isEmpty()) {
        Settings = std::make_unique<QSettings>();
        return;
    }
    QFileInfo file(filePath);
    FollowLinks(file);
    FilePath = file.absoluteFilePath();
    Settings = std::make_unique<QSettings>(FilePath, QSettings::IniFormat);
}

CSettingsStore::~CSettingsStore()
{
    // QSettings writes on destruction too; what may not be written was never set on it.
    Sync();
}

QVariant CSettingsStore::Value(const QString &key) const
{
    if (Unsaved.contains(key))
        return Unsaved.value(key);
    return Settings ? Settings->value(key) : QVariant();
}

void CSettingsStore::SetValue(const QString &key, const QVariant &value)
{
    // The platform's own store (the registry) is written by Qt; a file only as a whole.
    if (StoreState == SettingsKept && FilePath.isEmpty()) {
        Settings->setValue(key, value);
        return;
    }
    Unsaved.insert(key, value);
    Changed = true;
}

bool CSettingsStore::Sync()
{
    if (StoreState != SettingsKept)
        return false;
    if (FilePath.isEmpty()) {
        Settings->sync();
        return Settings->status() == QSettings::NoError;
    }
    if (!Changed)
        return Written;
    // Tried once per change: a file that cannot be written now fails the same way at once.
    Changed = false;
    QVariantMap values;
    for (const QString &key : Settings->allKeys())
        values.insert(key, Settings->value(key));
    for (auto value = Unsaved.cbegin(); value != Unsaved.cend(); ++value)
        values.insert(value.key(), value.value());
    Written = WriteSettingsFile(FilePath, values);
    return Written;
}
