#include "app/core/platform.h"

#include <QtGlobal>

TEnumPlatform RunningPlatform = BuildPlatform();

TEnumPlatform BuildPlatform()
{
#ifdef Q_OS_WIN
    return Windows;
#else
    return Linux;
#endif
}
