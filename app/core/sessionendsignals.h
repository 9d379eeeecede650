#ifndef LINTRA_SESSIONENDSIGNALS_H
#define LINTRA_SESSIONENDSIGNALS_H

#include <QObject>

class QSocketNotifier;

// Turns the signals by which a session ends a process (SIGTERM at log-out or
// shut-down, SIGHUP when the terminal goes) into a Qt signal on the thread
// that created the watcher, so the program can save and quit through its
// event loop instead of dying where it stands. A signal handler may do almost
// nothing: it only writes the signal's number into a socket pair, whose other
// end the event loop watches. One watcher per process; elsewhere than on Unix
// it watches nothing.
class CSessionEndSignals : public QObject
{
    Q_OBJECT

public:
    explicit CSessionEndSignals(QObject *parent = nullptr);
    ~CSessionEndSignals() override;

signals:
    void SessionEnding(int signalNumber);

private:
    void ReadSignal();

    QSocketNotifier *Notifier = nullptr;
};

#endif
