// The platform layer: Linux, the only platform built.
// The single-instance lock is flock() on a file in a folder that only the
// user can enter: the kernel drops it when the process ends, so a crashed or
// killed instance leaves nothing that counts.

#include "app/core/platform.h"
#include "app/core/sessionendsignals.h"
#include "app/core/settingsfile.h"
#include "app/core/settingsstore.h"
#include "app/core/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Ctrl+C in the terminal ends the program as a log-out does, saving first.
const int TerminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A pipe: [1] is written by the handler, [0] read by the event loop. Both
// ends never block: a handler that waited for a busy event loop would hold
// the main thread, and with it the event loop, for good.
int SignalPipe[2] = {-1, -1};

// A signal handler may do almost nothing: it only writes the number.
void OnTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char number = char(signalNumber);
    // Nothing to do if the pipe is full: the end is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &number, 1);
    errno = savedErrno;
}

// A folder that is really a folder (not a link to one), the user's own,
// and closed to everyone else.
bool IsPrivateFolder(const QByteArray &path, QString *problem)
{
    struct stat info;
    if (lstat(path.constData(), &info) != 0) {
        *problem = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid() || (info.st_mode & 077) != 0) {
        *problem = QCoreApplication::translate("CInstanceLock", "%1 is not a folder of this user's alone")
                       .arg(QFile::decodeName(path));
        return false;
    }
    return true;
}

// The folder, made for the user alone where it is missing.
bool MakePrivateFolder(const QString &path, QString *problem)
{
    const QByteArray bytes = QFile::encodeName(path);
    if (mkdir(bytes.constData(), 0700) != 0 && errno != EEXIST) {
        *problem = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return IsPrivateFolder(bytes, problem);
}

} // namespace

CInstanceLock::~CInstanceLock()
{
    Release();
}

bool CInstanceLock::Claim(const QString &runtimeDirectory)
{
    if (Handle >= 0)
        return true;
    if (runtimeDirectory.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(runtimeDirectory + QStringLiteral("/instance.lock"));
    // No O_TRUNC or writes: a second start only opens the file and asks for the lock.
    const int descriptor = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0)
        return false;
    int result;
    do {
        result = flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        close(descriptor);
        return false;
    }
    Handle = descriptor;
    return true;
}

void CInstanceLock::Release()
{
    if (Handle < 0)
        return;
    close(static_cast<int>(Handle));
    Handle = -1;
}

QString PrivateRuntimeDirectory(QString *problem)
{
    QString reason;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime, &reason)) {
        const QString folder = QFile::decodeName(runtime) + QStringLiteral("/lintra");
        if (MakePrivateFolder(folder, &reason))
            return folder;
    }
    // Keyed by the user's number: another user's folder of that name is
    // refused rather than shared.
    const QString fallback = QDir::tempPath() + QStringLiteral("/lintra-%1").arg(geteuid());
    if (MakePrivateFolder(fallback, &reason))
        return fallback;
    if (problem)
        *problem = reason;
    return QString();
}

bool PeerIsSameUser(qintptr socketDescriptor)
{
    struct ucred credentials;
    socklen_t length = sizeof credentials;
    if (getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == geteuid();
}

QString UserSettingsFilePath(const QString &organisation, const QString &application)
{
    // Where Qt's native settings live on Unix.
    QString configHome = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QLatin1Char('/') + organisation + QLatin1Char('/') + application +
           QStringLiteral(".conf");
}

bool FlushFileToDisk(const QString &filePath)
{
    const int descriptor = open(QFile::encodeName(filePath).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool flushed = fsync(descriptor) == 0;
    close(descriptor);
    return flushed;
}

bool StartNeedsSystemTray()
{
    // Without a tray, closing the window ends the program instead.
    return false;
}

bool GraphicalSessionNamed()
{
    // A platform named by the user (offscreen, vnc, ...) needs no display of ours.
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

qintptr WatchTerminationSignals()
{
    if (SignalPipe[0] >= 0 || ::pipe2(SignalPipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return -1;
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : TerminationSignals)
        sigaction(signalNumber, &action, nullptr);
    return SignalPipe[0];
}

bool ReadTerminationSignal(qintptr descriptor)
{
    // A flood of signals counts as one: all that came is taken at once.
    char numbers[256];
    bool received = false;
    while (::read(int(descriptor), numbers, sizeof numbers) > 0)
        received = true;
    return received;
}

void StopWatchingTerminationSignals()
{
    for (const int signalNumber : TerminationSignals)
        std::signal(signalNumber, SIG_DFL);
    ::close(SignalPipe[0]);
    ::close(SignalPipe[1]);
    SignalPipe[0] = SignalPipe[1] = -1;
}
