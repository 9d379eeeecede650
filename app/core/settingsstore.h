#ifndef LINTRA_SETTINGSSTORE_H
#define LINTRA_SETTINGSSTORE_H

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

class QSettings;

// What the program may do with its settings file, decided before the file
// is opened: a file reached through links is followed to its end, and
// anything there but a regular file (a device, a FIFO, a folder) is never
// opened, since reading a FIFO would block and writing would replace the
// device. A link to a regular file is written through to that file, which
// is replaced at once as a whole.
enum TEnumSettingsState
{
    SettingsKept,     // read and written
    SettingsReadOnly, // read; nothing written (the file or its folder cannot be written)
    SettingsNotKept   // neither read nor written
};

TEnumSettingsState SettingsFileState(const QString &filePath);

// The user's settings file ($XDG_CONFIG_HOME/ORGANISATION/APPLICATION.conf);
// empty where the platform keeps settings elsewhere (the Windows registry),
// which is then always used as it is. Implemented per platform.
QString UserSettingsFilePath(const QString &organisation, const QString &application);

// One use of the settings: values come from the file when it may be read,
// and go to it only when it may be written; otherwise a value set stays in
// this object, so that what the program set during the call is what it reads.
class CSettingsStore
{
public:
    // The file's state is decided here, once.
    explicit CSettingsStore(const QString &filePath);
    ~CSettingsStore();

    TEnumSettingsState State() const { return StoreState; }
    QVariant Value(const QString &key) const;
    void SetValue(const QString &key, const QVariant &value);
    // Writes what was set to the file, replacing it as a whole; false when
    // it could not be written (then the file on disk is the old one).
    bool Sync();

private:
    TEnumSettingsState StoreState;
    QString FilePath; // where links lead; empty for the platform's own store
    std::unique_ptr<QSettings> Settings;
    // Set values, written to a file only as a whole file (settingsfile.h).
    QVariantMap Unsaved;
    bool Changed = false;
    bool Written = true;
};

#endif
