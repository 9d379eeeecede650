#include "update/core/cupdatethread.h"

#include "update/core/cupdatehandler.h"

CUpdateThread::CUpdateThread(const QString &url, const QString &version, const QString &build,
                             const QString &installationId, QObject *window, int timeoutMs)
    : QThread(nullptr)
    , Url(url)
    , Version(version)
    , Build(build)
    , InstallationId(installationId)
    , Window(window)
    , TimeoutMs(timeoutMs)
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
    {
        CUpdateHandler handler(Url, Version, Build, InstallationId, TimeoutMs, Window, nullptr);
        handler.SendUpdateRequest();
        exec();
    }
    RunEnded.store(true, std::memory_order_release);
}
