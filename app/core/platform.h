#ifndef LINTRA_PLATFORM_H
#define LINTRA_PLATFORM_H

// The platform the program runs on. It decides the path separators shown to
// the user, the file manager that opens a folder and the form of the
// User-Agent of the update request.
enum TEnumPlatform
{
    Windows = 0,
    Linux = 1
};

// Process-wide; the main window sets it to the platform of the build.
extern TEnumPlatform RunningPlatform;

// The platform this binary was built for.
TEnumPlatform BuildPlatform();

#endif
