#ifndef LINTRA_INSTALLATIONID_H
#define LINTRA_INSTALLATIONID_H

#include <QDateTime>
#include <QString>
#include <QUuid>

// The anonymous identifier of one installation for one user: six groups of
// eight upper-case hexadecimal digits joined by "-". Groups 1, 3, 4 and 6 are
// a random UUID, groups 2 and 5 the packed creation time. It names the
// single-instance segment and travels with the update request; it is not
// meant to identify a person or a machine.

// Appends the date-time as 16 lower-case hexadecimal digits: its
// "yyyyMMddhhmmss" digits as 56 BCD bits, cut into eight runs of seven bits,
// each read as one byte below 128. Returns false and appends nothing when the
// date-time does not format as 14 decimal digits (invalid, or a year outside
// 0 to 9999).
bool PackTimeStamp(const QDateTime &dateTime, QString &text);

// A new identifier from the given time and UUID; tests choose both.
QString CreateInstallationId(const QDateTime &now, const QUuid &uuid);

// A new identifier from the current local time and a random UUID.
QString CreateInstallationId();

// Whether the text has the identifier's layout: 53 characters, exactly five
// "-", at positions 8, 17, 26, 35 and 44. The digits themselves are not
// examined, so a well-formed value typed in by hand is kept.
bool CheckInstallationIdFormat(const QString &text);

#endif
