#include "update/core/updateevaluation.h"

#include <QStringList>

#include <tuple>

namespace {

// The first two dot-separated parts as unsigned numbers.
bool ParseMajorMinor(const QString &version, uint &major, uint &minor)
{
    const QStringList parts = version.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return false;
    bool majorOk = false;
    bool minorOk = false;
    major = parts.at(0).toUInt(&majorOk, 10);
    minor = parts.at(1).toUInt(&minorOk, 10);
    return majorOk && minorOk;
}

bool StartsWithLetter(const QString &line, QChar letter)
{
    return !line.isEmpty() && line.at(0).toUpper() == letter;
}

} // namespace

QString UpdateInfoFromBody(const QByteArray &body)
{
    const int nul = body.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? body : body.left(nul));
}

bool IsUpdateAvailable(const QString &installedVersion, const QString &installedBuild,
                       const QString &updateInfo, QString &latestVersion, QString &latestBuild)
{
    if (updateInfo.isEmpty())
        return false;
    const QStringList lines = updateInfo.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    if (lines.size() != 2)
        return false;
    latestVersion = lines.at(0).trimmed();
    latestBuild = lines.at(1).trimmed();
    if (!StartsWithLetter(latestVersion, QLatin1Char('P')) ||
        !StartsWithLetter(latestBuild, QLatin1Char('B')))
        return false;

    latestVersion.remove(0, 1);
    uint latestMajor = 0, latestMinor = 0, installedMajor = 0, installedMinor = 0;
    if (!ParseMajorMinor(latestVersion, latestMajor, latestMinor) ||
        !ParseMajorMinor(installedVersion, installedMajor, installedMinor))
        return false;

    latestBuild.remove(0, 1);
    bool latestOk = false;
    bool installedOk = false;
    const uint latest = latestBuild.toUInt(&latestOk, 10);
    const uint installed = installedBuild.toUInt(&installedOk, 10);
    if (!latestOk || !installedOk)
        return false;

    // The build only decides between equal versions: a newer minor with an
    // older build is still an update.
    return std::make_tuple(latestMajor, latestMinor, latest) >
           std::make_tuple(installedMajor, installedMinor, installed);
}
