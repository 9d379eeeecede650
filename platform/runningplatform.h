#ifndef LINTRA_RUNNINGPLATFORM_H
#define LINTRA_RUNNINGPLATFORM_H

#include <QtGlobal>

// The floor below every subsystem: which platform the program runs on, and
// nothing else. It decides the path separators shown to the user, the file
// manager that opens a folder and the form of the User-Agent of the update
// request.
enum TEnumPlatform
{
    Windows = 0,
    Linux = 1
};

// The platform this binary was built for; fixed at build time, so nothing can
// change it behind the core's back. Core functions that depend on it take it
// as a parameter; the window passes this.
constexpr TEnumPlatform RunningPlatform =
#ifdef Q_OS_WIN
    Windows;
#else
    Linux;
#endif

#endif
