#ifndef LINTRA_DESKTOPFILEMANAGER_H
#define LINTRA_DESKTOPFILEMANAGER_H

#include <QString>

#include <functional>

class QDBusConnection;
class QObject;

// Asks the desktop's file manager to open the folder of a file with the file
// selected, through the org.freedesktop.FileManager1 interface that Linux file
// managers offer on the session bus. It only delivers the request: how the
// folder is shown, and what to do where no file manager answers, is the
// caller's.

extern const char FileManager1Service[];

// Whether a file manager offers the interface on the bus, running or to be
// started by the bus on the first call.
bool DesktopFileManagerAvailable(const QDBusConnection &bus);

// False at once when none is available; else the request is on its way and
// `failed` runs later, on the thread of `context` and only while it lives, if
// the file manager answers with an error.
bool ShowFileInDesktopFileManager(const QDBusConnection &bus, const QByteArray &path, QObject *context,
                                  const std::function<void()> &failed);

#endif
