// The installation identifier: its form check over arbitrary texts, and the
// packed time stamp and new identifiers over arbitrary times and UUIDs.

#include <QDateTime>
#include <QUuid>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzzcheck.h"
#include "update/core/installationid.h"

namespace {

// The form rule written out once more, independently.
bool HasIdentifierForm(const QString &text)
{
    if (text.size() != 53 || text.count(QLatin1Char('-')) != 5)
        return false;
    for (int at : {8, 17, 26, 35, 44}) {
        if (text.at(at) != QLatin1Char('-'))
            return false;
    }
    return true;
}

void CheckPackedStamp(const QString &packed)
{
    Check(packed.size() == 16);
    for (int i = 0; i < 16; i += 2) {
        bool ok = false;
        const int byte = packed.mid(i, 2).toInt(&ok, 16);
        Check(ok && byte < 128);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    Check(CheckInstallationIdFormat(text) == HasIdentifierForm(text));

    if (size < 24)
        return 0;
    qint64 msecs;
    memcpy(&msecs, data, sizeof msecs);
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(msecs % (qint64(400000) * 365 * 86400000), Qt::UTC);
    QString packed = QStringLiteral("x");
    if (PackTimeStamp(when, packed)) {
        Check(packed.startsWith(QLatin1Char('x')));
        CheckPackedStamp(packed.mid(1));
    } else {
        Check(packed == QLatin1String("x"));
    }

    const QUuid uuid = QUuid::fromRfc4122(QByteArray(reinterpret_cast<const char *>(data + 8), 16));
    const QString id = CreateInstallationId(when, uuid);
    Check(CheckInstallationIdFormat(id));
    Check(id == id.toUpper());
    const QString digits = uuid.toString(QUuid::Id128).toUpper();
    Check(id.mid(0, 8) == digits.mid(0, 8) && id.mid(45, 8) == digits.mid(24, 8));
    return 0;
}
