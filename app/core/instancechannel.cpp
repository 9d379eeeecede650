#include "app/core/instancechannel.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include "app/core/singleinstance.h"

namespace {

const int MaxRequestBytes = 64 * 1024;
// A caller that connects and then says nothing is dropped after this.
const int RequestTimeoutMs = 5000;
const char OpenRequest[] = "OPEN ";
const char Answer[] = "OK\n";
// Qt's server closes itself for good when an accept fails (the process out
// of descriptors, say): how often it is checked and made to listen again.
const int ListenCheckMs = 500;

QString SocketPath(const QString &runtimeDirectory)
{
    return runtimeDirectory + QStringLiteral("/instance.socket");
}

} // namespace

CInstanceChannel::CInstanceChannel(QObject *parent)
    : QObject(parent)
    , Server(new QLocalServer(this))
    , ListenCheck(new QTimer(this))
{
    connect(ListenCheck, &QTimer::timeout, this, &CInstanceChannel::CheckListening);
    Server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(Server, &QLocalServer::newConnection, this, &CInstanceChannel::Accept);
}

bool CInstanceChannel::Listen(const QString &runtimeDirectory)
{
    Path = SocketPath(runtimeDirectory);
    ListenCheck->start(ListenCheckMs);
    return ListenAgain();
}

// Qt's server still counts as listening once it has closed itself; what
// shows it is the socket file it removed.
void CInstanceChannel::CheckListening()
{
    if (!Server->isListening() || !QFileInfo::exists(Path))
        ListenAgain();
}

bool CInstanceChannel::ListenAgain()
{
    Server->close();
    QLocalServer::removeServer(Path);
    const bool listening = Server->listen(Path);
    // Said once per stretch without a socket, not at every try.
    if (!listening && !NotListeningSaid)
        qWarning("Lintra cannot listen on %s (%s); later starts cannot reach this one until it can.",
                 qUtf8Printable(Path), qUtf8Printable(Server->errorString()));
    NotListeningSaid = !listening;
    return listening;
}

void CInstanceChannel::Accept()
{
    while (QLocalSocket *socket = Server->nextPendingConnection()) {
        // The channel keeps its callers: listening again closes the server, not them.
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        QTimer::singleShot(RequestTimeoutMs, socket, &QLocalSocket::abort);
        // The request may have come with the connection.
        ReadRequest(socket);
    }
}

void CInstanceChannel::ReadRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxRequestBytes)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(MaxRequestBytes).trimmed();
    if (!line.startsWith(OpenRequest)) {
        socket->abort();
        return;
    }
    const QString directory = QUrl::fromPercentEncoding(line.mid(int(sizeof OpenRequest) - 1));
    socket->write(Answer);
    socket->disconnectFromServer();
    emit DirectoryHandedOver(directory);
}

bool CInstanceChannel::HandOverDirectory(const QString &runtimeDirectory, const QString &directory,
                                         int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(SocketPath(runtimeDirectory));
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(OpenRequest + directory.toUtf8().toPercentEncoding() + '\n');
    socket.flush();
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == Answer;
}
