#include "update/core/cupdatehandler.h"

#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "update/core/updaterequest.h"

CUpdateHandler::CUpdateHandler(const QString &url, const QString &version, const QString &build,
                               const QString &installationId, int timeoutMs, QObject *receiver,
                               QObject *parent)
    : QObject(parent)
    , UpdateInfoUrl(url)
    , Version(version)
    , Build(build)
    , InstallationId(installationId)
    , TimeoutMs(timeoutMs)
    , NetworkAccessManager(nullptr)
    , Receiver(receiver)
{
}

CUpdateHandler::~CUpdateHandler()
{
    // Cut the receiver off first: aborting emits the reply's signals again,
    // and at shut-down the receiver may be on its way out.
    disconnect(&NetworkAccessManager, SIGNAL(finished(QNetworkReply *)), Receiver,
               SLOT(CheckUpdateAvailability(QNetworkReply *)));
    if (Reply) {
        disconnect(Reply, SIGNAL(errorOccurred(QNetworkReply::NetworkError)), Receiver,
                   SLOT(NetworkReplyErrorOccurs(QNetworkReply::NetworkError)));
        Reply->abort();
        delete Reply;
        Reply = nullptr;
    }
}

void CUpdateHandler::SendUpdateRequest()
{
    QNetworkRequest request(UpdateInfoUrl);
    const QString platformName = RunningPlatform == Windows ? RunningWindowsVersionName() : QString();
    const QString agent = UpdateUserAgent(Version, Build, InstallationId, RunningPlatform, platformName,
                                          QLocale::system().name());
    request.setRawHeader("User-Agent", agent.toLatin1());
    // A server that accepts the connection and then stays silent would
    // otherwise keep the check running for as long as the connection lives.
    request.setTransferTimeout(TimeoutMs);

    connect(&NetworkAccessManager, SIGNAL(finished(QNetworkReply *)), Receiver,
            SLOT(CheckUpdateAvailability(QNetworkReply *)), Qt::DirectConnection);
    Reply = NetworkAccessManager.get(request);
    if (!Reply)
        return;
    connect(Reply, SIGNAL(errorOccurred(QNetworkReply::NetworkError)), Receiver,
            SLOT(NetworkReplyErrorOccurs(QNetworkReply::NetworkError)), Qt::DirectConnection);
    // Never hold more of a hostile or broken server's answer than a document needs.
    Reply->setReadBufferSize(MaxUpdateReplyBytes + 1);
    connect(Reply, &QNetworkReply::downloadProgress, this, &CUpdateHandler::StopOversizedReply);
}

void CUpdateHandler::StopOversizedReply(qint64 bytesReceived)
{
    if (bytesReceived <= MaxUpdateReplyBytes || !Reply || Reply->isFinished())
        return;
    // Not a network failure: the answer is simply no document. Aborting
    // discards what was read, so the receiver reads an empty body.
    disconnect(Reply, SIGNAL(errorOccurred(QNetworkReply::NetworkError)), Receiver,
               SLOT(NetworkReplyErrorOccurs(QNetworkReply::NetworkError)));
    Reply->abort();
}
