// The main window's part of the update check: scheduling, the worker's two
// slots, and telling the user. The request itself and the reading of the
// answer are CUpdateThread's and IsUpdateAvailable's.

#include "app/clintra.h"

#include "app/caboutform.h"
#include "app/core/platform.h"
#include "app/messagebox.h"
#include "update/core/cupdatethread.h"
#include "update/core/updateevaluation.h"
#include "update/core/updaterequest.h"
#include "update/core/updateschedule.h"
#include "update/core/versionstamp.h"

void CLintra::on_CheckUpdates_PushButton_clicked()
{
    StartUpdateCheck(true);
}

void CLintra::StartUpdateCheck(bool manual)
{
    // The worker writes into this window's members: one check at a time.
    if (UpdateThread) {
        ShowMessage(QMessageBox::Warning, tr("FYI"),
                    tr("An early attempt to check updates has not finished yet, please hold on a while."));
        return;
    }
    UpdateCheckIsManual = manual;
    UpdateNetworkErrorOccurred = false;
    const QDateTime now = QDateTime::currentDateTime();
    if (!IsUpdateCheckDue(manual, now))
        return;

    UpdateThread = new CUpdateThread(UpdateCheckConfig, QLatin1String(ProgramVersion),
                                     QLatin1String(ProgramBuild), InstallationId, RunningPlatform);
    // The first two run on the worker thread and write the members the
    // third reads once the worker has ended.
    connect(UpdateThread, &CUpdateThread::NetworkErrorOccurred, this, &CLintra::NetworkReplyErrorOccurs,
            Qt::DirectConnection);
    connect(UpdateThread, &CUpdateThread::ReplyFinished, this, &CLintra::CheckUpdateAvailability,
            Qt::DirectConnection);
    connect(UpdateThread, &QThread::finished, this, &CLintra::CheckUpdateThreadFinished);
    LastUpdateCheckTime = now;
    UpdateCheckStarted = true;
    UpdateThread->start(QThread::InheritPriority);
}

bool CLintra::IsUpdateCheckDue(bool manual, const QDateTime &now) const
{
    return ::IsUpdateCheckDue(manual, now, LastUpdateCheckTime, UpdateCheckIntervalDays);
}

void CLintra::ShowMessage(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    ShowMessageBox(icon, title, text);
}

// Worker thread.
void CLintra::NetworkReplyErrorOccurs(QNetworkReply::NetworkError)
{
    UpdateNetworkErrorOccurred = true;
}

// Worker thread; the error signal of the same reply has come first.
void CLintra::CheckUpdateAvailability(QNetworkReply *reply)
{
    if (!UpdateNetworkErrorOccurred)
        UpdateInfo = UpdateInfoFromBody(reply->isOpen() ? reply->readAll() : QByteArray());
    QuitUpdateThread();
}

void CLintra::QuitUpdateThread()
{
    if (UpdateThread && UpdateThread->isRunning())
        UpdateThread->exit(0);
}

void CLintra::CheckUpdateThreadFinished()
{
    if (UpdateThread)
        UpdateThread->WaitForEnd();
    if (!UpdateNetworkErrorOccurred)
        ShowUpdateInfo();
    else if (UpdateCheckIsManual)
        ShowMessage(QMessageBox::Warning, tr("Network Error"),
                    tr("Can not get program update information. Please check your Internet connection!"));
    // The dialogs are modal: a new check can start only once the user has closed them.
    delete UpdateThread;
    UpdateThread = nullptr;
}

void CLintra::ShowUpdateInfo()
{
    QString latestVersion;
    QString latestBuild;
    const bool available = ::IsUpdateAvailable(QLatin1String(ProgramVersion), QLatin1String(ProgramBuild),
                                               UpdateInfo, latestVersion, latestBuild);
    const QString title = QLatin1String(MakerName) + QLatin1String(" Lintra") +
                          (UpdateCheckIsManual ? tr(" Check Updates") : tr(" Update Auto-Check"));
    const QString installed =
        QLatin1String(ProgramVersion) + QLatin1String("-B") + QLatin1String(ProgramBuild);
    if (available) {
        // The server's texts are plain text: escaped, a reply cannot put markup or links into the dialog.
        const QString html = tr("Updates available!<br /><br />The installed version is: ") + installed +
                             tr("<br />The latest version is: ") + latestVersion.toHtmlEscaped() +
                             QLatin1String("-B") + latestBuild.toHtmlEscaped() +
                             tr("<br />Please go to <a href=\"%1\">%1</a> to get the latest version!")
                                 .arg(QLatin1String(MakerDownloadPage));
        CAboutForm form(400, 100, title, html, nullptr);
        form.exec();
    } else if (UpdateCheckIsManual) {
        CAboutForm form(400, 70, title,
                        tr("No updates available!<br /><br />The installed is already the latest version: ") +
                            installed,
                        nullptr);
        form.exec();
    }
    UpdateInfo = QString();
}

void CLintra::AbortUpdateCheck()
{
    if (!UpdateThread)
        return;
    // Ending the worker's loop destroys its handler, which aborts the request
    // without calling back; nothing of this check may reach the window again.
    disconnect(UpdateThread, nullptr, this, nullptr);
    UpdateThread->exit(0);
    UpdateThread->WaitForEnd();
    delete UpdateThread;
    UpdateThread = nullptr;
}
