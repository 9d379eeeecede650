#ifndef LINTRA_EVENTPACER_H
#define LINTRA_EVENTPACER_H

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QVector>

#include <functional>

class QEvent;

// Keeps a window responsive while a long loop runs inside one of its slots,
// at a cost the loop can afford per step. Posted events (queued calls, a
// click delivered by a test) are delivered at every step; everything else
// the event loop does (input from the window system, timers) at least every
// eventInterval, also inside a long step, so input is answered at once. The
// layout requests of the window and its children and the window's repaint
// requests are held back and let through at most once per refreshInterval:
// widgets always hold their exact state, only drawing it is coalesced. What
// is held is let through by a timer, so a nested event loop (a message box)
// still repaints the window, and everything held is released when the pacer
// is destroyed.
class CEventPacer : public QObject
{
public:
    explicit CEventPacer(QObject *window, int refreshIntervalMs = 40, int eventIntervalMs = 10);
    ~CEventPacer() override;
    CEventPacer(const CEventPacer &) = delete;
    CEventPacer &operator=(const CEventPacer &) = delete;

    // Work that would cost too much after every step, done instead after the
    // event processing of a step once per refresh interval.
    void SetRefreshAction(std::function<void()> action);

    // One step: delivers the posted events, and processes all pending events
    // when the event interval has passed since they were last processed.
    void ProcessEvents();
    // Inside a step: processes all pending events when the event interval has
    // passed. Meant for calls microseconds apart, it reads the clock only now and then.
    void ProcessEventsIfDue();
    // The same for calls milliseconds apart (waiting for other threads): reads the clock every time.
    void ProcessEventsWhenDue();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ProcessAllEvents();
    bool IsInWindow(QObject *object) const;
    bool Hold(QObject *receiver, QEvent *event);
    void Release();

    QObject *Window;
    int RefreshInterval;
    int EventInterval;
    QSet<QEvent *> ReleasedEvents; // posted by Release, not delivered yet
    QVector<QPointer<QObject>> HeldLayouts;
    std::function<void()> RefreshAction;
    QElapsedTimer SinceRefreshAction;
    bool UpdateHeld = false;
    QTimer ReleaseTimer;
    QElapsedTimer SinceRefresh;
    QElapsedTimer SinceEvents;
    // Even lines of the longest kind (25600 characters) take microseconds each.
    static const int CallsPerClockReading = 64;
    int CallsSinceClock = 0;
};

#endif
