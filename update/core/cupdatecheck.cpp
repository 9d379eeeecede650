#include "update/core/cupdatecheck.h"

#include <QNetworkReply>

#include "update/core/cupdatethread.h"
#include "update/core/updateevaluation.h"
#include "update/core/updateschedule.h"
#include "update/core/versionstamp.h"

CUpdateCheck::CUpdateCheck(const CUpdateCheckConfig &config)
    : Config(config)
{
}

CUpdateCheck::~CUpdateCheck()
{
    Abort();
}

CUpdateThread *CUpdateCheck::Begin(bool manual, const QDateTime &now, const QString &installationId,
                                   TEnumPlatform platform)
{
    if (Worker)
        return nullptr;
    Manual = manual;
    NetworkError = false;
    if (!IsUpdateCheckDue(manual, now, LastCheck, Interval))
        return nullptr;
    Worker = new CUpdateThread(Config, QLatin1String(ProgramVersion), QLatin1String(ProgramBuild),
                               installationId, platform);
    // Recorded when the check starts, whatever its outcome.
    LastCheck = now;
    StartedThisRun = true;
    return Worker;
}

void CUpdateCheck::NetworkErrorOccurred()
{
    NetworkError = true;
}

// The error signal of the same reply, if any, has come first.
void CUpdateCheck::ReplyFinished(QNetworkReply *reply)
{
    if (!NetworkError)
        Info = UpdateInfoFromBody(reply->isOpen() ? reply->readAll() : QByteArray());
    if (Worker && Worker->isRunning())
        Worker->exit(0);
}

CUpdateOutcome CUpdateCheck::Outcome()
{
    CUpdateOutcome outcome;
    if (Worker)
        Worker->WaitForEnd();
    outcome.Manual = Manual;
    outcome.NetworkError = NetworkError;
    if (!NetworkError)
        outcome.UpdateAvailable =
            IsUpdateAvailable(QLatin1String(ProgramVersion), QLatin1String(ProgramBuild), Info,
                              outcome.LatestVersion, outcome.LatestBuild);
    Info = QString();
    return outcome;
}

void CUpdateCheck::End()
{
    delete Worker;
    Worker = nullptr;
}

void CUpdateCheck::Abort()
{
    if (!Worker)
        return;
    // Ending the worker's loop destroys its handler, which aborts the request
    // without calling back.
    Worker->exit(0);
    Worker->WaitForEnd();
    End();
}
