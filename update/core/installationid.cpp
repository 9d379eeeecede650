#include "update/core/installationid.h"

#include <QLocale>
#include <QRegExp>

namespace {

const int InstallationIdLength = 53;
const int DashPositions[] = {8, 17, 26, 35, 44};

// The 14 digits as 56 BCD bits, most significant digit first; false when a
// character is not a decimal digit.
bool PackDigitsAsBcd(const QString &digits, quint64 &bits)
{
    bits = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        bits = (bits << 4) | quint64(c.unicode() - '0');
    }
    return true;
}

} // namespace

bool PackTimeStamp(const QDateTime &dateTime, QString &text)
{
    // The C locale keeps the digits ASCII whatever the user's locale is.
    const QString digits = QLocale::c().toString(dateTime, QStringLiteral("yyyyMMddhhmmss"));
    quint64 bits = 0;
    if (digits.size() != 14 || !PackDigitsAsBcd(digits, bits))
        return false;
    QString packed;
    for (int j = 0; j <= 49; j += 7) {
        const uint byte = uint(bits >> (56 - 7 - j)) & 0x7F;
        packed += QString::number(byte >> 4, 16) + QString::number(byte & 0xF, 16);
    }
    text += packed;
    return true;
}

QString CreateInstallationId(const QDateTime &now, const QUuid &uuid)
{
    QString packed;
    // A clock outside the years 0 to 9999 must not give an identifier of
    // the wrong layout: that one would be replaced on every start.
    if (!PackTimeStamp(now, packed))
        packed = QString(16, QLatin1Char('0'));
    QString id = uuid.toString().remove(QRegExp(QStringLiteral("[\\{\\-\\}]")));
    id.insert(24, packed.mid(8, 8));
    id.insert(8, packed.left(8));
    for (int index : {40, 32, 24, 16, 8})
        id.insert(index, QLatin1Char('-'));
    return id.toUpper();
}

QString CreateInstallationId()
{
    return CreateInstallationId(QDateTime::currentDateTime(), QUuid::createUuid());
}

bool CheckInstallationIdFormat(const QString &text)
{
    if (text.size() != InstallationIdLength || text.count(QLatin1Char('-')) != 5)
        return false;
    for (int position : DashPositions) {
        if (text.at(position) != QLatin1Char('-'))
            return false;
    }
    return true;
}
