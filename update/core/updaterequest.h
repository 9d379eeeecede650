#ifndef LINTRA_UPDATEREQUEST_H
#define LINTRA_UPDATEREQUEST_H

#include <QString>

#include "app/core/platform.h"

// What the update request asks and how: the address of the update
// information document, how long the request may go without an answer, and
// the User-Agent that carries the version, the installation and the system.

// The maker's document; a host under the reserved .example domain.
extern const char DefaultUpdateInfoUrl[];

// A request that receives nothing for this long counts as a network error.
constexpr int DefaultUpdateRequestTimeoutMs = 30000;

// The address and time-out the next check uses. They are not options the user
// sees: tests point the check at a server of their own and shorten the wait.
// GUI thread only.
QString UpdateInfoUrl();
void SetUpdateInfoUrl(const QString &url);
int UpdateRequestTimeoutMs();
void SetUpdateRequestTimeoutMs(int milliseconds);

// The name of a QSysInfo::WinVersion value, "Windows Unknown Version" for one
// the table does not know. Not translated.
QString WindowsVersionName(int winVersion);

// The name of the Windows version this program runs on.
QString RunningWindowsVersionName();

// "Norvane.Lintra.Desktop.Windows" (translated in the context
// "CUpdateHandler"), ".version" and "-Bbuild" when given, "/installationId",
// then " (localeName)"; on Windows the locale sits inside
// " (windowsVersionName (localeName))".
QString UpdateUserAgent(const QString &version, const QString &build, const QString &installationId,
                        TEnumPlatform platform, const QString &windowsVersionName, const QString &localeName);

#endif
