// The update document over arbitrary reply bodies.

#include <QString>

#include <cstdint>
#include <cstdlib>

#include "fuzzcheck.h"
#include "update/core/updateevaluation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const QString info = UpdateInfoFromBody(body);
    Check(!info.contains(QChar(0)));
    Check(info.size() <= body.size());

    QString version, build;
    if (!IsUpdateAvailable(QStringLiteral("0.107"), QStringLiteral("20100610"), info, version, build))
        return 0;

    // A newer document has exactly two lines and their numbers.
    Check(info.count(QLatin1Char('\n')) == 1);
    Check(!version.isEmpty() && !build.isEmpty());

    // Whatever is newer than 0.107 build 20100610 is newer than the oldest
    // stamp too, and never newer than itself.
    QString v, b;
    Check(IsUpdateAvailable(QStringLiteral("0.0"), QStringLiteral("0"), info, v, b));
    const QString self = version.section(QLatin1Char('.'), 0, 1);
    Check(!IsUpdateAvailable(self, build, info, v, b));
    return 0;
}
