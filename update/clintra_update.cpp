// The main window's part of the update check. (Filled in with the update work.)

#include "app/clintra.h"

void CLintra::on_CheckUpdates_PushButton_clicked() {}
void CLintra::CheckUpdateAvailability(QNetworkReply *) {}
void CLintra::NetworkReplyErrorOccurs(QNetworkReply::NetworkError) {}
void CLintra::CheckUpdateThreadFinished() {}
void CLintra::StartUpdateCheck(bool) {}
bool CLintra::IsUpdateCheckDue(bool, const QDateTime &) const { return false; }
void CLintra::ShowMessage(QMessageBox::Icon, const QString &, const QString &) {}
void CLintra::QuitUpdateThread() {}
