#ifndef LINTRA_CUPDATETHREAD_H
#define LINTRA_CUPDATETHREAD_H

#include <QNetworkReply>
#include <QString>
#include <QThread>

#include <atomic>

#include "platform/runningplatform.h"
#include "update/core/updaterequest.h"

// The worker of one update check: it sends the request through a
// CUpdateHandler of its own and runs its event loop until the listener ends
// it with exit(0) (or the loop is ended from outside to abort the check).
// Everything it needs is copied at construction, so it never reads the
// window's strings. The answer comes as its two signals, emitted on the
// worker thread: connect to them with Qt::DirectConnection to read the reply
// there, before the handler that owns it is gone.
class CUpdateThread : public QThread
{
    Q_OBJECT

public:
    CUpdateThread(const CUpdateCheckConfig &config, const QString &version, const QString &build,
                  const QString &installationId, TEnumPlatform platform);
    ~CUpdateThread() override;

    // Blocks until run() has returned. Afterwards whatever the worker wrote,
    // including into the receiver's members, is visible to the caller through
    // an ordering of our own: the toolkit's locks are invisible to a race
    // detector, so its finished() signal alone does not show it.
    bool WaitForEnd();

signals:
    void NetworkErrorOccurred(QNetworkReply::NetworkError error);
    void ReplyFinished(QNetworkReply *reply);

protected:
    void run() override;

private:
    CUpdateCheckConfig Config;
    QString Version;
    QString Build;
    QString InstallationId;
    TEnumPlatform Platform;
    std::atomic<bool> RunEnded{false};
};

#endif
