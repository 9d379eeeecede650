#include "update/core/cupdatecheck.h"

#include <QNetworkReply>
#include <QNetworkRequest>

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

namespace {

// The document, when the reply is the whole of one: status 200 (a redirect's
// or an error page's body is no answer), every announced byte received and
// nothing cut off for its size, and the document's form. Else empty.
QString WholeUpdateDocument(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError || !reply->isOpen() ||
        reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return QString();
    const QByteArray body = reply->readAll();
    // Read from the raw header: a length too large for a number is no length.
    if (reply->hasRawHeader("Content-Length")) {
        bool ok = false;
        const qint64 announced = reply->rawHeader("Content-Length").trimmed().toLongLong(&ok);
        if (!ok || announced != body.size())
            return QString();
    }
    const QString info = UpdateInfoFromBody(body);
    return IsUpdateDocument(info) ? info : QString();
}

} // namespace

// The error signal of the same reply, if any, has come first. Whatever is not
// a whole document counts as a check that could not be done.
void CUpdateCheck::ReplyFinished(QNetworkReply *reply)
{
    if (!NetworkError) {
        Info = WholeUpdateDocument(reply);
        NetworkError = Info.isEmpty();
    }
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
