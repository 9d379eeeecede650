// The Windows side of the platform layer (the build picks it or
// nixplatform.cpp). The single-instance lock is a file opened without sharing
// in the user's local application data: Windows closes it, and so frees the
// lock, when the process ends in any way.

#include "app/core/platform.h"
#include "app/core/sessionendsignals.h"
#include "app/core/settingsfile.h"
#include "app/core/settingsstore.h"
#include "app/core/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

#include <windows.h>

CInstanceLock::~CInstanceLock()
{
    Release();
}

bool CInstanceLock::Claim(const QString &runtimeDirectory)
{
    if (Handle != -1)
        return true;
    if (runtimeDirectory.isEmpty())
        return false;
    const QString path = QDir::toNativeSeparators(runtimeDirectory + QStringLiteral("/instance.lock"));
    // No sharing: a second CreateFile fails while this handle is open.
    HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    Handle = reinterpret_cast<qintptr>(file);
    return true;
}

void CInstanceLock::Release()
{
    if (Handle == -1)
        return;
    CloseHandle(reinterpret_cast<HANDLE>(Handle));
    Handle = -1;
}

QString PrivateRuntimeDirectory(QString *problem)
{
    // The user's own profile folder: other users have no access to it.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        if (problem)
            *problem = QStringLiteral("no local application data folder");
        return QString();
    }
    return folder;
}

bool PeerIsSameUser(qintptr)
{
    // The pipe is made with access for the user alone (QLocalServer::UserAccessOption).
    return true;
}

QString UserSettingsFilePath(const QString &, const QString &)
{
    // The registry: no file to check.
    return QString();
}

bool FlushFileToDisk(const QString &filePath)
{
    const QString path = QDir::toNativeSeparators(filePath);
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

bool StartNeedsSystemTray()
{
    return true;
}

bool GraphicalSessionNamed()
{
    // Every Windows session has a desktop.
    return true;
}

// Windows ends a program through its session messages, which Qt turns into
// the quit request CSessionEndSignals watches; there are no signals to add.
qintptr WatchTerminationSignals()
{
    return -1;
}

bool ReadTerminationSignal(qintptr)
{
    return false;
}

void StopWatchingTerminationSignals() {}
