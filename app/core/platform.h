#ifndef LINTRA_PLATFORM_H
#define LINTRA_PLATFORM_H

#include <QtGlobal>

// The platform the program runs on. It decides the path separators shown to
// the user, the file manager that opens a folder and the form of the
// User-Agent of the update request.
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

// Whether start-up refuses to run where the desktop offers no system tray.
// Implemented per platform (nixplatform.cpp, winplatform.cpp).
bool StartNeedsSystemTray();

// Whether the environment names a graphical session to show the window in
// (on Linux: DISPLAY, WAYLAND_DISPLAY, or a Qt platform the user chose).
bool GraphicalSessionNamed();

#endif
