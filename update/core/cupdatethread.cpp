#include "update/core/cupdatethread.h"

#include "update/core/cupdatehandler.h"

CUpdateThread::CUpdateThread(const CUpdateCheckConfig &config, const QString &version, const QString &build,
                             const QString &installationId, TEnumPlatform platform)
    : QThread(nullptr)
    , Config(config)
    , Version(version)
    , Build(build)
    , InstallationId(installationId)
    , Platform(platform)
{
}

CUpdateThread::~CUpdateThread() = default;

bool CUpdateThread::WaitForEnd()
{
    wait();
    return RunEnded.load(std::memory_order_acquire);
}

void CUpdateThread::run()
{
    // Asking nowhere fails as an unknown address does, without starting a
    // network stack (its libraries and threads) that would only say so.
    if (Config.Url.isEmpty()) {
        emit NetworkErrorOccurred(QNetworkReply::ProtocolUnknownError);
        RunEnded.store(true, std::memory_order_release);
        return;
    }
    {
        CUpdateHandler handler(Config, Version, Build, InstallationId, Platform, nullptr);
        // Passed on as they come, on this thread.
        connect(&handler, &CUpdateHandler::ErrorOccurred, this, &CUpdateThread::NetworkErrorOccurred,
                Qt::DirectConnection);
        connect(&handler, &CUpdateHandler::ReplyFinished, this, &CUpdateThread::ReplyFinished,
                Qt::DirectConnection);
        handler.SendUpdateRequest();
        exec();
    }
    RunEnded.store(true, std::memory_order_release);
}
