#ifndef LINTRA_UPDATEREQUEST_H
#define LINTRA_UPDATEREQUEST_H

#include <QString>

#include "platform/runningplatform.h"

// What the update request asks and how: the address of the update
// information document, how long a check may take in all, and the User-Agent
// that carries the version, the installation and the system.

// A check that has not ended this long after it was sent counts as a network
// error, however much or little the server is still sending.
constexpr int DefaultUpdateCheckDeadlineMs = 30000;

// Where an update check asks and how long it may take. Not options the user
// sees: start-up passes the maker's, tests a server of their own and a
// shorter deadline. An empty address asks nowhere: the check fails at once.
struct CUpdateCheckConfig
{
    QString Url;
    int DeadlineMs = DefaultUpdateCheckDeadlineMs;
};

// The maker's document (a host under the reserved .example domain) and the
// default deadline.
CUpdateCheckConfig MakerUpdateCheckConfig();

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
