#include "update/core/cupdatehandler.h"

#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "update/core/updaterequest.h"

CUpdateHandler::CUpdateHandler(const QString &url, const QString &version, const QString &build,
                               const QString &installationId, TEnumPlatform platform, int timeoutMs,
                               QObject *parent)
    : QObject(parent)
    , UpdateInfoUrl(url)
    , Version(version)
    , Build(build)
    , InstallationId(installationId)
    , Platform(platform)
    , TimeoutMs(timeoutMs)
    , NetworkAccessManager(nullptr)
{
}

CUpdateHandler::~CUpdateHandler()
{
    // Fall silent first: aborting emits the reply's signals again, and at
    // shut-down whoever listens may be on its way out.
    disconnect(&NetworkAccessManager, nullptr, this, nullptr);
    if (Reply) {
        disconnect(Reply, nullptr, this, nullptr);
        Reply->abort();
        delete Reply;
        Reply = nullptr;
    }
}

void CUpdateHandler::SendUpdateRequest()
{
    QNetworkRequest request(UpdateInfoUrl);
    const QString platformName = Platform == Windows ? RunningWindowsVersionName() : QString();
    const QString agent =
        UpdateUserAgent(Version, Build, InstallationId, Platform, platformName, QLocale::system().name());
    request.setRawHeader("User-Agent", agent.toLatin1());
    // A server that accepts the connection and then stays silent would
    // otherwise keep the check running for as long as the connection lives.
    request.setTransferTimeout(TimeoutMs);

    connect(&NetworkAccessManager, &QNetworkAccessManager::finished, this, &CUpdateHandler::ReplyFinished);
    Reply = NetworkAccessManager.get(request);
    if (!Reply)
        return;
    connect(Reply, &QNetworkReply::errorOccurred, this, &CUpdateHandler::ErrorOccurred);
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
    disconnect(Reply, &QNetworkReply::errorOccurred, this, &CUpdateHandler::ErrorOccurred);
    Reply->abort();
}
