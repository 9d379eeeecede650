#include "app/core/settingsfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>

namespace {

// How a value reads back from the file: numbers and flags come back as text,
// a list of one as its item, an empty list as nothing.
QStringList AsTexts(const QVariant &value)
{
    if (!value.isValid())
        return {};
    if (value.type() == QVariant::StringList)
        return value.toStringList();
    return {value.toString()};
}

bool SameStoredValue(const QVariant &written, const QVariant &read)
{
    return written == read || (read.type() != QVariant::Invalid && AsTexts(written) == AsTexts(read)) ||
           (AsTexts(written).isEmpty() && AsTexts(read).isEmpty());
}

bool WriteValues(const QString &filePath, const QVariantMap &values)
{
    QSettings file(filePath, QSettings::IniFormat);
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        file.setValue(value.key(), value.value());
    file.sync();
    return file.status() == QSettings::NoError;
}

// Qt keeps what it wrote in memory and trusts it while the file's size and
// time stay as it saw them: a new time makes it read the disk.
bool ForgetWrittenValues(const QString &filePath)
{
    QFile file(filePath);
    const QDateTime written = QFileInfo(filePath).lastModified();
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(written.addSecs(-1), QFileDevice::FileModificationTime);
}

// Every key back, with its value: a file cut short loses its last ones.
bool ReadsBackWhole(const QString &filePath, const QVariantMap &values)
{
    if (!FlushFileToDisk(filePath) || !ForgetWrittenValues(filePath))
        return false;
    const QSettings file(filePath, QSettings::IniFormat);
    if (file.status() != QSettings::NoError || file.allKeys().size() != values.size())
        return false;
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (!file.contains(value.key()) || !SameStoredValue(value.value(), file.value(value.key())))
            return false;
    }
    return true;
}

} // namespace

bool WriteSettingsFile(const QString &filePath, const QVariantMap &values)
{
    const QFileInfo target(filePath);
    // As Qt's own writer does: the settings folder is made on the first save.
    if (!QDir().mkpath(target.absolutePath()))
        return false;
    QTemporaryFile scratch(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
    if (!scratch.open())
        return false;
    scratch.close();
    const QString newFile = scratch.fileName();
    // The file keeps who may read it.
    if (target.exists())
        QFile::setPermissions(newFile, QFile::permissions(filePath));
    const bool whole = WriteValues(newFile, values) && ReadsBackWhole(newFile, values);
    // One step of the system, replacing the old file: never a moment without one.
    if (whole &&
        std::rename(QFile::encodeName(newFile).constData(), QFile::encodeName(filePath).constData()) == 0)
        return true;
    QFile::remove(newFile);
    return false;
}
