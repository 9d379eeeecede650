#ifndef LINTRA_INSTANCECHANNEL_H
#define LINTRA_INSTANCECHANNEL_H

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// How a later start reaches the running instance: a local socket in the
// user's private runtime folder, which only the user can enter, and each
// caller's user checked again on the socket itself. A later start given a
// directory hands it over and ends; the running instance then shows the
// directory. The channel only carries the request: what the window does with
// it is the window's.
//
// A request is one line, "OPEN " and the directory's UTF-8 percent-encoded;
// the answer "OK". Anything else, or a longer line, ends the connection.
class CInstanceChannel : public QObject
{
    Q_OBJECT

public:
    explicit CInstanceChannel(QObject *parent = nullptr);

    // Listens in the folder; only the holder of the instance lock may call
    // it, since it replaces a socket left there by an instance that died.
    // Where the socket goes away later, or cannot be made now, it listens
    // again as soon as it can; a warning says when it cannot.
    bool Listen(const QString &runtimeDirectory);

    // The later start's side: true once the running instance has taken the
    // directory, false when none answered within the time.
    static bool HandOverDirectory(const QString &runtimeDirectory, const QString &directory, int timeoutMs);

signals:
    void DirectoryHandedOver(const QString &directory);

private:
    void CheckListening();
    bool ListenAgain();
    void Accept();
    void ReadRequest(QLocalSocket *socket);

    QLocalServer *Server = nullptr;
    QTimer *ListenCheck = nullptr;
    QString Path;
    bool NotListeningSaid = false;
};

#endif
