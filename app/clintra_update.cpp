// The main window's update slots, handed over to the update dialogs.

#include "app/clintra.h"

#include "app/messagebox.h"
#include "update/cupdatedialogs.h"

void CLintra::on_CheckUpdates_PushButton_clicked()
{
    UpdateDialogs->StartUpdateCheck(true);
}

void CLintra::StartUpdateCheck(bool manual)
{
    UpdateDialogs->StartUpdateCheck(manual);
}

CUpdateCheck &CLintra::UpdateCheck()
{
    return UpdateDialogs->UpdateCheck();
}

const CUpdateCheck &CLintra::UpdateCheck() const
{
    return UpdateDialogs->UpdateCheck();
}

void CLintra::ShowMessage(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    ShowMessageBox(icon, title, text);
}

void CLintra::NetworkReplyErrorOccurs(QNetworkReply::NetworkError ne)
{
    UpdateDialogs->NetworkReplyErrorOccurs(ne);
}

void CLintra::CheckUpdateAvailability(QNetworkReply *reply)
{
    UpdateDialogs->CheckUpdateAvailability(reply);
}

void CLintra::CheckUpdateThreadFinished()
{
    UpdateDialogs->CheckUpdateThreadFinished();
}

void CLintra::ShowUpdateOutcome(const CUpdateOutcome &outcome)
{
    UpdateDialogs->ShowUpdateOutcome(outcome);
}
