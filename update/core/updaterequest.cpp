#include "update/core/updaterequest.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace {

struct CWindowsVersionEntry
{
    int WinVersion;
    const char *Name;
};

// QSysInfo::WinVersion values as the toolkit reports them.
const CWindowsVersionEntry WindowsVersionNames[] = {
    {0x0001, "Windows 3.1 with Win 32s"}, // WV_32s
    {0x0002, "Windows 95"},               // WV_95
    {0x0003, "Windows 98"},               // WV_98
    {0x0004, "Windows Me"},               // WV_Me
    {0x000f, "MS-DOS-based Windows"},     // WV_DOS_based
    {0x0010, "Windows NT"},               // WV_NT
    {0x0020, "Windows 2000"},             // WV_2000
    {0x0030, "Windows XP"},               // WV_XP
    {0x0040, "Windows Server 2003"},      // WV_2003
    {0x0080, "Windows Vista"},            // WV_VISTA
    {0x0090, "Windows 7"},                // WV_WINDOWS7
    {0x00f0, "NT-based Windows"},         // WV_NT_based
    {0x0100, "Windows CE"},               // WV_CE
    {0x0200, "Windows CE .NET"},          // WV_CENET
    {0x0300, "Windows CE 5.x"},           // WV_CE_5
    {0x0400, "Windows CE 6.x"},           // WV_CE_6
    {0x0f00, "CE-based Windows"},         // WV_CE_based
};

} // namespace

CUpdateCheckConfig MakerUpdateCheckConfig()
{
    return {QStringLiteral("http://www.norvane.example/products/desktop/lintra/windows/latest/"),
            DefaultUpdateCheckDeadlineMs};
}

QString WindowsVersionName(int winVersion)
{
    for (const CWindowsVersionEntry &entry : WindowsVersionNames) {
        if (entry.WinVersion == winVersion)
            return QLatin1String(entry.Name);
    }
    return QStringLiteral("Windows Unknown Version");
}

QString RunningWindowsVersionName()
{
    // Only a Windows build has a Windows version to name.
    return WindowsVersionName(0);
}

QString UpdateUserAgent(const QString &version, const QString &build, const QString &installationId,
                        TEnumPlatform platform, const QString &windowsVersionName, const QString &localeName)
{
    QString agent = QCoreApplication::translate("CUpdateHandler", "Norvane.Lintra.Desktop.Windows");
    if (!version.isEmpty())
        agent += QLatin1Char('.') + version;
    if (!build.isEmpty())
        agent += QLatin1String("-B") + build;
    agent += QLatin1Char('/') + installationId;
    if (platform == Windows)
        agent += QLatin1String(" (") + windowsVersionName;
    agent += QLatin1String(" (") + localeName + QLatin1Char(')');
    if (platform == Windows)
        agent += QLatin1Char(')');
    return agent;
}
