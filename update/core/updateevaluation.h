#ifndef LINTRA_UPDATEEVALUATION_H
#define LINTRA_UPDATEEVALUATION_H

#include <QByteArray>
#include <QString>

// Reading the update information document and deciding whether it names a
// newer release than the installed one. Knows nothing of the network or of
// the window, which tell the user.
//
// The document is two lines, "P<major>.<minor>" and "B<build>", joined by one
// line feed; the letters may be lower case, each line may carry blanks or a
// carriage return around it, and version parts after the minor are ignored.

// The reply body as the document's text: up to its first NUL byte, each byte
// one Latin-1 character.
QString UpdateInfoFromBody(const QByteArray &body);

// Whether updateInfo is a document of that form at all.
bool IsUpdateDocument(const QString &updateInfo);

// True when updateInfo is a valid document whose (major, minor, build) is
// greater than the installed one. On true, latestVersion and latestBuild hold
// the document's texts without their letters, exactly as the server sent them
// (not escaped for HTML). A malformed document is never newer.
bool IsUpdateAvailable(const QString &installedVersion, const QString &installedBuild,
                       const QString &updateInfo, QString &latestVersion, QString &latestBuild);

#endif
