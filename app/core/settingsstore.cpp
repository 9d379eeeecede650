#include "app/core/settingsstore.h"

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
    if (filePath.isEmpty())
        Settings = std::make_unique<QSettings>();
    else
        Settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
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
    if (StoreState == SettingsKept)
        Settings->setValue(key, value);
    else
        Unsaved.insert(key, value);
}

bool CSettingsStore::Sync()
{
    if (StoreState != SettingsKept)
        return false;
    Settings->sync();
    return Settings->status() == QSettings::NoError;
}
