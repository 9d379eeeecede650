#ifndef LINTRA_PLATFORM_H
#define LINTRA_PLATFORM_H

#include "platform/runningplatform.h"

// What start-up asks of the platform. Implemented per platform
// (nixplatform.cpp).

// Whether start-up refuses to run where the desktop offers no system tray.
bool StartNeedsSystemTray();

// Whether the environment names a graphical session to show the window in
// (on Linux: DISPLAY, WAYLAND_DISPLAY, or a Qt platform the user chose).
bool GraphicalSessionNamed();

#endif
