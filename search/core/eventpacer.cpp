#include "search/core/eventpacer.h"

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

bool CEventPacer::IsInWindow(QObject *object) const
{
    for (; object; object = object->parent()) {
        if (object == Window)
            return true;
    }
    return false;
}

void CEventPacer::SetRefreshAction(std::function<void()> action)
{
    RefreshAction = std::move(action);
    SinceRefreshAction.start();
}

bool CEventPacer::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::LayoutRequest:
        if (ReleasedEvents.remove(event) || !IsInWindow(watched))
            return false;
        break;
    case QEvent::UpdateRequest:
        if (ReleasedEvents.remove(event) || watched != Window)
            return false;
        break;
    default:
        return false;
    }
    return Hold(watched, event);
}

// While a request is held the toolkit posts no other of its kind to the
// same receiver, so one request posted again later covers all of them.
bool CEventPacer::Hold(QObject *receiver, QEvent *event)
{
    if (!ReleaseTimer.isActive()) {
        const qint64 remaining = RefreshInterval - SinceRefresh.elapsed();
        if (remaining <= 0) {
            Release();
            return false;
        }
        ReleaseTimer.start(int(remaining));
    }
    if (event->type() == QEvent::UpdateRequest)
        UpdateHeld = true;
    else if (!HeldLayouts.contains(receiver))
        HeldLayouts << receiver;
    return true;
}

void CEventPacer::Release()
{
    ReleaseTimer.stop();
    SinceRefresh.restart();
    // Layouts first: they decide what the repaint draws.
    for (const QPointer<QObject> &receiver : qAsConst(HeldLayouts)) {
        if (!receiver)
            continue;
        QEvent *event = new QEvent(QEvent::LayoutRequest);
        ReleasedEvents.insert(event);
        QCoreApplication::postEvent(receiver, event);
    }
    if (UpdateHeld) {
        QEvent *event = new QEvent(QEvent::UpdateRequest);
        ReleasedEvents.insert(event);
        QCoreApplication::postEvent(Window, event, Qt::LowEventPriority);
    }
    HeldLayouts.clear();
    UpdateHeld = false;
}

void CEventPacer::ProcessEvents()
{
    if (SinceEvents.hasExpired(EventInterval))
        ProcessAllEvents();
    else
        QCoreApplication::sendPostedEvents();
}

void CEventPacer::ProcessEventsIfDue()
{
    // Called for every line of a long file: the clock is read only now and then.
    if (++CallsSinceClock < CallsPerClockReading)
        return;
    CallsSinceClock = 0;
    if (SinceEvents.hasExpired(EventInterval))
        ProcessAllEvents();
}

void CEventPacer::ProcessEventsWhenDue()
{
    if (SinceEvents.hasExpired(EventInterval))
        ProcessAllEvents();
}

void CEventPacer::ProcessAllEvents()
{
    QCoreApplication::processEvents();
    SinceEvents.restart();
    if (RefreshAction && SinceRefreshAction.hasExpired(RefreshInterval)) {
        RefreshAction();
        SinceRefreshAction.restart();
    }
}
