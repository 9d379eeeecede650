#ifndef LINTRA_CUPDATEHANDLER_H
#define LINTRA_CUPDATEHANDLER_H

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include "platform/runningplatform.h"
#include "update/core/updaterequest.h"

// The update document is two short lines; a reply longer than this is cut
// off as soon as it is longer, unread, and counts as no valid document.
const qint64 MaxUpdateReplyBytes = 64 * 1024;

// Sends the update request on the thread that creates it and reports the
// answer with its two signals, emitted on that thread: ErrorOccurred first
// when the request failed, then ReplyFinished with the reply to read. It
// neither reads nor judges the answer. The request ends by the configured
// deadline in any case: a server that keeps sending a byte now and then is
// cut off as one that sends nothing. Destroying it aborts a request still in
// flight without emitting either.
class CUpdateHandler : public QObject
{
    Q_OBJECT

public:
    CUpdateHandler(const CUpdateCheckConfig &config, const QString &version, const QString &build,
                   const QString &installationId, TEnumPlatform platform, QObject *parent = nullptr);
    ~CUpdateHandler() override;

    void SendUpdateRequest();

signals:
    void ErrorOccurred(QNetworkReply::NetworkError error);
    void ReplyFinished(QNetworkReply *reply);

private slots:
    void StopOversizedReply();
    void StopLateReply();

private:
    QUrl UpdateInfoUrl;
    QString Version;
    QString Build;
    QString InstallationId;
    TEnumPlatform Platform;
    QTimer Deadline;
    QNetworkAccessManager NetworkAccessManager;
    QNetworkReply *Reply = nullptr;
};

#endif
