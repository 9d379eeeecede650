#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir *ConfigHome()
{
    static QTemporaryDir *dir = nullptr;
    if (!dir) {
        dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/lintra-test-config-XXXXXX"));
        dir->setAutoRemove(true);
    }
    return dir;
}

struct EnvironmentBeforeMain
{
    EnvironmentBeforeMain()
    {
        setenv("XDG_CONFIG_HOME", ConfigHome()->path().toLocal8Bit().constData(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Sizes follow the fonts; the offscreen platform would measure at 100 dpi.
        setenv("QT_FONT_DPI", "96", 0);
        // Qt wants a private runtime folder; the shared default only earns a warning.
        const QByteArray runtime = (ConfigHome()->path() + QStringLiteral("/runtime")).toLocal8Bit();
        QDir().mkpath(QString::fromLocal8Bit(runtime));
        QFile::setPermissions(QString::fromLocal8Bit(runtime),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtime.constData(), 0);
        // No test may open a folder in the user's own file manager: the
        // session bus is one nothing listens on, unless the test's script
        // started a private one of its own (tests/x11lib.sh says so).
        const QByteArray noBus =
            "unix:path=" + (ConfigHome()->path() + QStringLiteral("/no-bus")).toLocal8Bit();
        if (qgetenv("LINTRA_PRIVATE_SESSION_BUS") != "1")
            setenv("DBUS_SESSION_BUS_ADDRESS", noBus.constData(), 1);
    }
    ~EnvironmentBeforeMain() { delete ConfigHome(); }
};

EnvironmentBeforeMain environmentBeforeMain;

} // namespace

QString TestConfigHome()
{
    return ConfigHome()->path();
}

QString TestSettingsFile()
{
    return TestConfigHome() + QStringLiteral("/Norvane/Lintra.conf");
}

void ResetTestSettings()
{
    QFile::remove(TestSettingsFile());
}

bool WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray Utf16Bytes(const QString &text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar unit : text) {
        const char high = char(unit.unicode() >> 8), low = char(unit.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray Utf32Bytes(const QString &text, bool bigEndian)
{
    QByteArray bytes;
    for (const uint code : text.toUcs4()) {
        for (int k = 0; k < 4; ++k)
            bytes.append(char(code >> (bigEndian ? 24 - 8 * k : 8 * k)));
    }
    return bytes;
}
