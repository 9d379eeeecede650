#ifndef LINTRA_CUPDATECHECK_H
#define LINTRA_CUPDATECHECK_H

#include <QDateTime>
#include <QString>

#include "platform/runningplatform.h"
#include "update/core/updaterequest.h"

class CUpdateThread;
class QNetworkReply;

// What one update check found, for the window to tell the user.
struct CUpdateOutcome
{
    bool Manual = false;
    bool NetworkError = false;
    bool UpdateAvailable = false;
    QString LatestVersion; // without its "P"
    QString LatestBuild;   // without its "B"
};

// The update check's state: its schedule (kept in the settings), the one
// worker that may run, and the answer the worker brings. It decides and
// remembers; it shows nothing and connects nothing. The window starts the
// worker Begin() gives it, passes the worker's two signals on (on the worker
// thread) and, once the worker has finished, tells the user the Outcome()
// before it calls End().
class CUpdateCheck
{
public:
    explicit CUpdateCheck(const CUpdateCheckConfig &config);
    ~CUpdateCheck();
    CUpdateCheck(const CUpdateCheck &) = delete;
    CUpdateCheck &operator=(const CUpdateCheck &) = delete;

    // The schedule, as loaded from and saved to the settings.
    QDateTime LastCheckTime() const { return LastCheck; }
    void SetLastCheckTime(const QDateTime &time) { LastCheck = time; }
    int IntervalDays() const { return Interval; }
    void SetIntervalDays(int days) { Interval = days; }
    // Whether a check started in this run; only then is its time saved.
    bool Started() const { return StartedThisRun; }
    void SetStarted(bool started) { StartedThisRun = started; }

    // From Begin() until End() or Abort().
    bool IsRunning() const { return Worker != nullptr; }
    CUpdateThread *RunningWorker() const { return Worker; }

    // The worker of a check that is due at now (a manual one always is),
    // created but not started; the check counts as started at now. Null when
    // no check is due. Only when none is running.
    CUpdateThread *Begin(bool manual, const QDateTime &now, const QString &installationId,
                         TEnumPlatform platform);

    // Worker thread: what the worker reports, in its order.
    void NetworkErrorOccurred();
    void ReplyFinished(QNetworkReply *reply);

    // Once the worker has finished: what it found.
    CUpdateOutcome Outcome();
    // After the user has been told: the worker goes and a new check may start.
    void End();
    // Ends a running check at once; the caller has disconnected from it.
    void Abort();

private:
    const CUpdateCheckConfig Config;
    QDateTime LastCheck;
    int Interval = 3;
    bool StartedThisRun = false;
    CUpdateThread *Worker = nullptr;
    bool Manual = false;
    // Written on the worker thread, read once it has ended.
    bool NetworkError = false;
    QString Info;
};

#endif
