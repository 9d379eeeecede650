#include "app/core/sessionendsignals.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>

CSessionEndSignals::CSessionEndSignals(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
    const qintptr descriptor = WatchTerminationSignals();
    if (descriptor < 0)
        return;
    Notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &CSessionEndSignals::ReadSignal);
}

CSessionEndSignals::~CSessionEndSignals()
{
    if (!Notifier)
        return;
    delete Notifier;
    Notifier = nullptr;
    StopWatchingTerminationSignals();
}

void CSessionEndSignals::ReadSignal()
{
    if (ReadTerminationSignal(Notifier->socket()))
        EndSession();
}

// The program ends once, whatever comes after the first request.
void CSessionEndSignals::EndSession()
{
    if (Ending)
        return;
    Ending = true;
    emit SessionEnding();
}

bool CSessionEndSignals::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Quit || watched != QCoreApplication::instance())
        return false;
    EndSession();
    return true;
}
