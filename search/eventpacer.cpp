#include "search/eventpacer.h"

#include <QCoreApplication>
#include <QEvent>

CEventPacer::CEventPacer(QObject *window, int refreshIntervalMs, int eventIntervalMs)
    : Window(window)
    , RefreshInterval(refreshIntervalMs)
    , EventInterval(eventIntervalMs)
{
    ReleaseTimer.setSingleShot(true);
    connect(&ReleaseTimer, &QTimer::timeout, this, [this] { Release(); });
    // Layout requests are taken by the window's layout before its own event
    // filters see them: only an application filter comes first.
    QCoreApplication::instance()->installEventFilter(this);
    SinceRefresh.start();
    SinceEvents.start();
}

CEventPacer::~CEventPacer()
{
    QCoreApplication::instance()->removeEventFilter(this);
    Release();
}

bool CEventPacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Window)
        return false;
    switch (event->type()) {
    case QEvent::LayoutRequest:
        if (event == ReleasedLayout) {
            ReleasedLayout = nullptr;
            return false;
        }
        LayoutHeld = LayoutHeld || Hold();
        return LayoutHeld;
    case QEvent::UpdateRequest:
        if (event == ReleasedUpdate) {
            ReleasedUpdate = nullptr;
            return false;
        }
        UpdateHeld = UpdateHeld || Hold();
        return UpdateHeld;
    default:
        return false;
    }
}

// While a request is held the toolkit posts no other of its kind, so one
// request posted again later covers all of them.
bool CEventPacer::Hold()
{
    const qint64 remaining = RefreshInterval - SinceRefresh.elapsed();
    if (remaining <= 0 && !ReleaseTimer.isActive()) {
        SinceRefresh.restart();
        return false;
    }
    if (!ReleaseTimer.isActive())
        ReleaseTimer.start(int(qMax<qint64>(0, remaining)));
    return true;
}

void CEventPacer::Release()
{
    ReleaseTimer.stop();
    SinceRefresh.restart();
    if (LayoutHeld) {
        ReleasedLayout = new QEvent(QEvent::LayoutRequest);
        QCoreApplication::postEvent(Window, ReleasedLayout);
    }
    if (UpdateHeld) {
        ReleasedUpdate = new QEvent(QEvent::UpdateRequest);
        QCoreApplication::postEvent(Window, ReleasedUpdate, Qt::LowEventPriority);
    }
    LayoutHeld = false;
    UpdateHeld = false;
}

void CEventPacer::ProcessEvents()
{
    QCoreApplication::processEvents();
    SinceEvents.restart();
}

void CEventPacer::ProcessEventsIfDue()
{
    if (SinceEvents.hasExpired(EventInterval))
        ProcessEvents();
}
