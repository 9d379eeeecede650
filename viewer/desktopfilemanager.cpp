#include "viewer/desktopfilemanager.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>

#include "viewer/core/filelocation.h"

const char FileManager1Service[] = "org.freedesktop.FileManager1";

namespace {

const char FileManager1Path[] = "/org/freedesktop/FileManager1";

} // namespace

bool DesktopFileManagerAvailable(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    const QString service = QString::fromLatin1(FileManager1Service);
    const QDBusConnectionInterface *daemon = bus.interface();
    if (!daemon)
        return false;
    if (daemon->isServiceRegistered(service))
        return true;
    const QDBusReply<QStringList> activatable = daemon->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(service);
}

bool ShowFileInDesktopFileManager(const QDBusConnection &bus, const QByteArray &path, QObject *context,
                                  const std::function<void()> &failed)
{
    if (!DesktopFileManagerAvailable(bus))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(FileManager1Service), QString::fromLatin1(FileManager1Path),
        QString::fromLatin1(FileManager1Service), QStringLiteral("ShowItems"));
    // No start-up notification id: the program does not take part in one.
    call << QStringList{FileManagerItemUri(path)} << QString();
    // Asynchronous: a file manager the bus has to start first may take a while.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [failed](QDBusPendingCallWatcher *finished) {
                         if (finished->isError())
                             failed();
                         finished->deleteLater();
                     });
    return true;
}
