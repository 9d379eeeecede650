#ifndef LINTRA_EVENTPACER_H
#define LINTRA_EVENTPACER_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QEvent;

// Keeps a window responsive while a long loop runs inside one of its slots,
// at a cost the loop can afford per step: pending events are processed at
// every step (or, inside a long step, every eventInterval), so input is
// answered at once, while the window's layout and repaint requests are held
// back and let through at most once per refreshInterval. Widgets thus always
// hold their exact state; only drawing it is coalesced. What is held is let
// through by a timer, so a nested event loop (a message box) still repaints
// the window, and everything held is released when the pacer is destroyed.
class CEventPacer : public QObject
{
public:
    explicit CEventPacer(QObject *window, int refreshIntervalMs = 40, int eventIntervalMs = 20);
    ~CEventPacer() override;
    CEventPacer(const CEventPacer &) = delete;
    CEventPacer &operator=(const CEventPacer &) = delete;

    // Processes all pending events.
    void ProcessEvents();
    // The same, but only when the event interval has passed since events were last processed.
    void ProcessEventsIfDue();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Hold();
    void Release();

    QObject *Window;
    int RefreshInterval;
    int EventInterval;
    QEvent *ReleasedLayout = nullptr;
    QEvent *ReleasedUpdate = nullptr;
    bool LayoutHeld = false;
    bool UpdateHeld = false;
    QTimer ReleaseTimer;
    QElapsedTimer SinceRefresh;
    QElapsedTimer SinceEvents;
};

#endif
