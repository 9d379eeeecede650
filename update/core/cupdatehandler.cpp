#include "update/core/cupdatehandler.h"

#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "update/core/updaterequest.h"

CUpdateHandler::CUpdateHandler(const CUpdateCheckConfig &config, const QString &version, const QString &build,
                               const QString &installationId, TEnumPlatform platform, QObject *parent)
    : QObject(parent)
    , UpdateInfoUrl(config.Url)
    , Version(version)
    , Build(build)
    , InstallationId(installationId)
    , Platform(platform)
    , NetworkAccessManager(nullptr)
{
    Deadline.setSingleShot(true);
    Deadline.setInterval(config.DeadlineMs);
    connect(&Deadline, &QTimer::timeout, this, &CUpdateHandler::StopLateReply);
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

    connect(&NetworkAccessManager, &QNetworkAccessManager::finished, this, &CUpdateHandler::ReplyFinished);
    Reply = NetworkAccessManager.get(request);
    if (!Reply)
        return;
    connect(Reply, &QNetworkReply::errorOccurred, this, &CUpdateHandler::ErrorOccurred);
    // Never hold more of a hostile or broken server's answer than a document
    // needs: nothing reads the reply before it ends, so what it holds is all
    // that has come.
    Reply->setReadBufferSize(MaxUpdateReplyBytes + 1);
    connect(Reply, &QNetworkReply::readyRead, this, &CUpdateHandler::StopOversizedReply);
    // Qt's transfer time-out starts again with every byte; this one does not.
    Deadline.start();
}

void CUpdateHandler::StopOversizedReply()
{
    if (!Reply || Reply->isFinished() || Reply->bytesAvailable() <= MaxUpdateReplyBytes)
        return;
    // Aborting discards what was read: the receiver finds no whole answer
    // and tells the user that the check could not be done.
    disconnect(Reply, &QNetworkReply::errorOccurred, this, &CUpdateHandler::ErrorOccurred);
    Reply->abort();
}

void CUpdateHandler::StopLateReply()
{
    // Reported as the network error it is to the user: no answer in time.
    if (Reply && !Reply->isFinished())
        Reply->abort();
}
