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

namespace {

// A document's numbers and texts, as read from it.
struct CUpdateDocument
{
    QString Version; // without its "P"
    QString Build;   // without its "B"
    uint Major = 0;
    uint Minor = 0;
    uint BuildNumber = 0;
};

bool ParseUpdateDocument(const QString &updateInfo, CUpdateDocument &document)
{
    const QStringList lines = updateInfo.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    if (lines.size() != 2)
        return false;
    document.Version = lines.at(0).trimmed();
    document.Build = lines.at(1).trimmed();
    if (!StartsWithLetter(document.Version, QLatin1Char('P')) ||
        !StartsWithLetter(document.Build, QLatin1Char('B')))
        return false;
    document.Version.remove(0, 1);
    document.Build.remove(0, 1);
    bool buildOk = false;
    document.BuildNumber = document.Build.toUInt(&buildOk, 10);
    return buildOk && ParseMajorMinor(document.Version, document.Major, document.Minor);
}

} // namespace

bool IsUpdateDocument(const QString &updateInfo)
{
    CUpdateDocument document;
    return ParseUpdateDocument(updateInfo, document);
}

bool IsUpdateAvailable(const QString &installedVersion, const QString &installedBuild,
                       const QString &updateInfo, QString &latestVersion, QString &latestBuild)
{
    CUpdateDocument latest;
    if (!ParseUpdateDocument(updateInfo, latest))
        return false;
    latestVersion = latest.Version;
    latestBuild = latest.Build;
    uint installedMajor = 0, installedMinor = 0;
    bool installedOk = false;
    const uint installed = installedBuild.toUInt(&installedOk, 10);
    if (!installedOk || !ParseMajorMinor(installedVersion, installedMajor, installedMinor))
        return false;

    // The build only decides between equal versions: a newer minor with an
    // older build is still an update.
    return std::make_tuple(latest.Major, latest.Minor, latest.BuildNumber) >
           std::make_tuple(installedMajor, installedMinor, installed);
}
