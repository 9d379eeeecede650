#include "search/core/matchinglinesworker.h"

#include <QMutexLocker>

CMatchingLinesWorker::CMatchingLinesWorker(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<CMatchingLineList>();
}

void CMatchingLinesWorker::Cancel(quint64 request)
{
    QMutexLocker locker(&CancelledLock);
    CancelledRequests.insert(request);
}

bool CMatchingLinesWorker::IsCancelled(quint64 request)
{
    QMutexLocker locker(&CancelledLock);
    return Stopping.loadRelaxed() || CancelledRequests.contains(request);
}

void CMatchingLinesWorker::Find(quint64 request, const QByteArray &nativePath, const CKeywordQuery &query,
                                const CUnmarkedTextCharset &charset)
{
    if (IsCancelled(request)) {
        QMutexLocker locker(&CancelledLock);
        CancelledRequests.remove(request);
        return;
    }
    const CMatchingLineFinder finder(query, charset);
    const CMatchingLines lines = finder.Find(
        nativePath, [this, request] { return IsCancelled(request); },
        [this, request](const CMatchingLineList &batch) { emit Found(request, batch); });
    {
        QMutexLocker locker(&CancelledLock);
        CancelledRequests.remove(request);
    }
    emit Finished(request, lines.More, lines.Unreadable);
}
