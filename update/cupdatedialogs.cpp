#include "update/cupdatedialogs.h"

#include <QDateTime>
#include <QMessageBox>

#include "app/caboutform.h"
#include "app/messagebox.h"
#include "platform/runningplatform.h"
#include "update/core/cupdatethread.h"
#include "update/core/versionstamp.h"

CUpdateDialogs::CUpdateDialogs(const CUpdateCheckConfig &config, QObject *parent)
    : QObject(parent)
    , UpdateCheckState(config)
{
}

CUpdateDialogs::~CUpdateDialogs()
{
    AbortUpdateCheck();
}

void CUpdateDialogs::StartUpdateCheck(bool manual)
{
    // The worker reports into the check's state: one check at a time.
    if (UpdateCheckState.IsRunning()) {
        ShowMessageBox(QMessageBox::Warning, tr("FYI"),
                       tr("An early attempt to check updates has not finished yet, please hold on a while."));
        return;
    }
    CUpdateThread *worker =
        UpdateCheckState.Begin(manual, QDateTime::currentDateTime(), InstallationId, RunningPlatform);
    if (!worker)
        return;
    // The first two run on the worker thread; the third once it has ended.
    connect(worker, &CUpdateThread::NetworkErrorOccurred, this, &CUpdateDialogs::NetworkReplyErrorOccurs,
            Qt::DirectConnection);
    connect(worker, &CUpdateThread::ReplyFinished, this, &CUpdateDialogs::CheckUpdateAvailability,
            Qt::DirectConnection);
    connect(worker, &QThread::finished, this, &CUpdateDialogs::CheckUpdateThreadFinished);
    worker->start(QThread::InheritPriority);
}

// Worker thread.
void CUpdateDialogs::NetworkReplyErrorOccurs(QNetworkReply::NetworkError)
{
    UpdateCheckState.NetworkErrorOccurred();
}

// Worker thread.
void CUpdateDialogs::CheckUpdateAvailability(QNetworkReply *reply)
{
    UpdateCheckState.ReplyFinished(reply);
}

void CUpdateDialogs::CheckUpdateThreadFinished()
{
    ShowUpdateOutcome(UpdateCheckState.Outcome());
    // The dialogs are modal: a new check can start only once the user has closed them.
    UpdateCheckState.End();
}

void CUpdateDialogs::ShowUpdateOutcome(const CUpdateOutcome &outcome)
{
    if (outcome.NetworkError) {
        if (outcome.Manual)
            ShowMessageBox(
                QMessageBox::Warning, tr("Network Error"),
                tr("Can not get program update information. Please check your Internet connection!"));
        return;
    }
    const QString title = QLatin1String(MakerName) + QLatin1String(" Lintra") +
                          (outcome.Manual ? tr(" Check Updates") : tr(" Update Auto-Check"));
    const QString installed =
        QLatin1String(ProgramVersion) + QLatin1String("-B") + QLatin1String(ProgramBuild);
    if (outcome.UpdateAvailable) {
        // The server's texts are plain text: escaped, a reply cannot put markup or links into the dialog.
        const QString html = tr("Updates available!<br /><br />The installed version is: ") + installed +
                             tr("<br />The latest version is: ") + outcome.LatestVersion.toHtmlEscaped() +
                             QLatin1String("-B") + outcome.LatestBuild.toHtmlEscaped() +
                             tr("<br />Please go to <a href=\"%1\">%1</a> to get the latest version!")
                                 .arg(QLatin1String(MakerDownloadPage));
        CAboutForm form(400, 100, title, html, nullptr);
        form.exec();
    } else if (outcome.Manual) {
        CAboutForm form(400, 70, title,
                        tr("No updates available!<br /><br />The installed is already the latest version: ") +
                            installed,
                        nullptr);
        form.exec();
    }
}

void CUpdateDialogs::AbortUpdateCheck()
{
    // Nothing of this check may reach the window again.
    if (CUpdateThread *worker = UpdateCheckState.RunningWorker())
        disconnect(worker, nullptr, this, nullptr);
    UpdateCheckState.Abort();
}
