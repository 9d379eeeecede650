#ifndef LINTRA_MATCHINGLINESWORKER_H
#define LINTRA_MATCHINGLINESWORKER_H

#include <QAtomicInt>
#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QSet>

#include "search/core/matchinglines.h"

// Finds the matching lines of the files whose rows were unfolded, one file
// after the other, on a thread of its own (the window never reads a file).
// Each request carries a number its answers carry back; Cancel() may be
// called from any thread and ends a request between two blocks, or before
// it starts.
class CMatchingLinesWorker : public QObject
{
    Q_OBJECT

public:
    explicit CMatchingLinesWorker(QObject *parent = nullptr);

    void Cancel(quint64 request);
    // Every request, running or waiting, ends: the worker is going away.
    void CancelAll() { Stopping.storeRelaxed(1); }

    // In the worker's thread.
    // charset: what decodes text without a byte-order mark.
    void Find(quint64 request, const QByteArray &nativePath, const CKeywordQuery &query,
              const CUnmarkedTextCharset &charset);

signals:
    // Lines found since the last answer.
    void Found(quint64 request, const CMatchingLineList &lines);
    // The request is over: more lines matched than were listed, or the file could not be read.
    void Finished(quint64 request, qint64 more, bool unreadable);

private:
    bool IsCancelled(quint64 request);

    QMutex CancelledLock;
    QSet<quint64> CancelledRequests;
    QAtomicInt Stopping{0};
};

#endif
