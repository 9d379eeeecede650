#ifndef LINTRA_SESSIONENDSIGNALS_H
#define LINTRA_SESSIONENDSIGNALS_H

#include <QObject>

class QSocketNotifier;

// Turns the ways a session ends the program into one Qt signal, so that the
// program can save and quit through its event loop instead of dying where it
// stands: SIGTERM (log-out, shut-down), SIGHUP (the terminal gone), SIGINT
// (Ctrl+C in the terminal), and
// the quit request of the session manager's "die" (a QEvent::Quit sent to the
// application, which Qt would otherwise turn into closing every window).
// A signal handler may do almost nothing: it only writes the signal's number
// into a pipe, whose other end the event loop watches. One watcher per
// process, created on the GUI thread; elsewhere than on Unix only the quit
// request is watched.
class CSessionEndSignals : public QObject
{
    Q_OBJECT

public:
    explicit CSessionEndSignals(QObject *parent = nullptr);
    ~CSessionEndSignals() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void SessionEnding();

private:
    void ReadSignal();
    void EndSession();

    QSocketNotifier *Notifier = nullptr;
    bool Ending = false;
};

// The platform's part (nixplatform.cpp): its termination
// signals turned into a descriptor the event loop can watch. Returns the
// descriptor, or -1 where the platform has no such signals (or they are
// watched already). Reading takes all signals that came off it; stopping restores the
// signals' default action, so that a later one ends the process as usual.
qintptr WatchTerminationSignals();
bool ReadTerminationSignal(qintptr descriptor);
void StopWatchingTerminationSignals();

#endif
