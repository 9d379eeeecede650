#ifndef LINTRA_CUPDATEHANDLER_H
#define LINTRA_CUPDATEHANDLER_H

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkReply;

// The update document is two short lines; a reply longer than this is cut
// off unread and counts as no valid document.
const qint64 MaxUpdateReplyBytes = 64 * 1024;

// Sends the update request on the thread that creates it and routes the
// answer to the receiver's slots CheckUpdateAvailability(QNetworkReply *) and
// NetworkReplyErrorOccurs(QNetworkReply::NetworkError), called directly on
// that thread. It neither reads nor judges the answer. Destroying it aborts a
// request still in flight without telling the receiver.
class CUpdateHandler : public QObject
{
    Q_OBJECT

public:
    CUpdateHandler(const QString &url, const QString &version, const QString &build,
                   const QString &installationId, int timeoutMs, QObject *receiver,
                   QObject *parent = nullptr);
    ~CUpdateHandler() override;

    void SendUpdateRequest();

private slots:
    void StopOversizedReply(qint64 bytesReceived);

private:
    QUrl UpdateInfoUrl;
    QString Version;
    QString Build;
    QString InstallationId;
    int TimeoutMs;
    QNetworkAccessManager NetworkAccessManager;
    QNetworkReply *Reply = nullptr;
    QObject *Receiver;
};

#endif
