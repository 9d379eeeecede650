#include "app/core/singleinstance.h"

#include <QSharedMemory>

bool ClaimSingleInstance(QSharedMemory &segment)
{
    // On Unix a System V segment outlives a process that was killed or
    // crashed, and would lock the user out for good. Attaching and detaching
    // removes a segment that no live process holds (the last detach deletes
    // it) and leaves one held by a running instance in place. Qt holds the
    // key's semaphore around create-and-attach and around detach, so an
    // instance starting at the same moment is not caught half-way.
    if (segment.attach(QSharedMemory::ReadOnly))
        segment.detach();
    return segment.create(1, QSharedMemory::ReadWrite);
}
