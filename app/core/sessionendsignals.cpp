#include "app/core/sessionendsignals.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
const int WatchedSignals[] = {SIGTERM, SIGHUP};

// [0] is written by the handler, [1] read by the event loop.
int SignalSockets[2] = {-1, -1};

void OnSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char number = char(signalNumber);
    // Nothing to do if the pipe is full: a save is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(SignalSockets[0], &number, 1);
    errno = savedErrno;
}
#endif

} // namespace

CSessionEndSignals::CSessionEndSignals(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
#ifdef Q_OS_UNIX
    if (SignalSockets[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalSockets) != 0)
        return;
    Notifier = new QSocketNotifier(SignalSockets[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &CSessionEndSignals::ReadSignal);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : WatchedSignals)
        sigaction(signalNumber, &action, nullptr);
#endif
}

CSessionEndSignals::~CSessionEndSignals()
{
#ifdef Q_OS_UNIX
    if (!Notifier)
        return;
    // Back to the default: a signal after this point ends the process as usual.
    for (const int signalNumber : WatchedSignals)
        std::signal(signalNumber, SIG_DFL);
    delete Notifier;
    Notifier = nullptr;
    ::close(SignalSockets[0]);
    ::close(SignalSockets[1]);
    SignalSockets[0] = SignalSockets[1] = -1;
#endif
}

void CSessionEndSignals::ReadSignal()
{
#ifdef Q_OS_UNIX
    char number = 0;
    if (::read(SignalSockets[1], &number, 1) == 1)
        emit SessionEnding();
#endif
}

bool CSessionEndSignals::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Quit || watched != QCoreApplication::instance())
        return false;
    emit SessionEnding();
    return true;
}
