#ifndef LINTRA_SETTINGSFILE_H
#define LINTRA_SETTINGSFILE_H

#include <QString>
#include <QVariantMap>

// Writes a settings file (Qt's INI form) as a whole: the values go to a new
// file beside it, which is flushed to the disk and read back in full before
// it takes the old one's place in one step. So the file on disk is always
// either the old one or the whole new one, also on a full disk, where Qt's
// own writer can leave a file cut short and still report success. On
// failure the new file is removed and false returned.
bool WriteSettingsFile(const QString &filePath, const QVariantMap &values);

// The platform's part (nixplatform.cpp): whether the file's
// data reached the disk.
bool FlushFileToDisk(const QString &filePath);

#endif
