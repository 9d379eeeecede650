#ifndef LINTRA_CUPDATEDIALOGS_H
#define LINTRA_CUPDATEDIALOGS_H

#include <QNetworkReply>
#include <QObject>
#include <QString>

#include "update/core/cupdatecheck.h"

// The update check as the user meets it: started by the button or on the
// schedule, one at a time, and its answer told in a dialog. The check's
// state and what the answer means are CUpdateCheck's; the request is
// CUpdateThread's.
class CUpdateDialogs : public QObject
{
    Q_OBJECT

public:
    CUpdateDialogs(const CUpdateCheckConfig &config, QObject *parent);
    ~CUpdateDialogs() override;

    // Sent with every request; read from the settings before the first check.
    void SetInstallationId(const QString &id) { InstallationId = id; }
    void StartUpdateCheck(bool manual);
    CUpdateCheck &UpdateCheck() { return UpdateCheckState; }
    const CUpdateCheck &UpdateCheck() const { return UpdateCheckState; }
    void ShowUpdateOutcome(const CUpdateOutcome &outcome);

    void NetworkReplyErrorOccurs(QNetworkReply::NetworkError ne);
    void CheckUpdateAvailability(QNetworkReply *reply);
    void CheckUpdateThreadFinished();

private:
    CUpdateCheck UpdateCheckState;
    QString InstallationId;

    void AbortUpdateCheck();
};

#endif
