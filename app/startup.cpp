#include "app/startup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSessionManager>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

#include "app/clintra.h"
#include "app/core/instancechannel.h"
#include "app/core/platform.h"
#include "app/core/sessionendsignals.h"
#include "app/core/singleinstance.h"
#include "app/messagebox.h"
#include "update/core/versionstamp.h"

namespace {

// How long a later start keeps trying to reach a running instance that has
// taken the lock but may not listen or answer yet (it is still starting, on
// a busy machine).
const qint64 HandOverPatienceMs = 30000;

QString ProgramName(const char *argv0)
{
    const QString name = QFileInfo(QFile::decodeName(argv0)).fileName();
    return name.isEmpty() ? QStringLiteral("lintra") : name;
}

QByteArray FatalProgramName = "lintra";
QtMessageHandler PreviousMessageHandler = nullptr;

// While the window system is being opened: Qt ends with qFatal (an abort and
// a core dump) when it cannot reach the display; the program ends with a
// plain message and status 1 instead.
void OpeningSessionMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (PreviousMessageHandler)
        PreviousMessageHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type != QtFatalMsg)
        return;
    std::fputs(qPrintable(NoGraphicalSessionText(QString::fromLocal8Bit(FatalProgramName))), stderr);
    std::_Exit(1);
}

} // namespace

bool LoadQtCatalogue(QTranslator &translator, const QString &localeName)
{
    return translator.load(QStringLiteral("qt_") + localeName,
                           QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QString &directory)
{
    // Empty but not null delimiters: Qt then never strips "_CN" to try "libtxt_zh".
    const QString noDelimiters = QStringLiteral("");
    return translator.load(QStringLiteral("libtxt_") + CatalogueLocaleName(localeName), directory,
                           noDelimiters, QStringLiteral(".dat"));
}

bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QStringList &directories)
{
    for (const QString &directory : directories) {
        if (LoadProgramCatalogue(translator, localeName, directory))
            return true;
    }
    return false;
}

void InstallCatalogues(QTranslator &qtCatalogue, QTranslator &programCatalogue)
{
    LoadQtCatalogue(qtCatalogue, QLocale::system().name());
    QCoreApplication::installTranslator(&qtCatalogue);
    LoadProgramCatalogue(programCatalogue, QLocale::system().name(),
                         TranslationDirectories(QCoreApplication::applicationDirPath()));
    QCoreApplication::installTranslator(&programCatalogue);
}

int AnswerCommandLine(int argc, char *argv[], const CCommandLine &commandLine)
{
    QCoreApplication application(argc, argv);
    QTranslator qtCatalogue;
    QTranslator programCatalogue;
    InstallCatalogues(qtCatalogue, programCatalogue);
    const QString program = ProgramName(argv[0]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (commandLine.Action) {
    case ShowHelpAction:
        out << CommandLineHelp(program);
        return 0;
    case ShowVersionAction:
        out << QLatin1String(MakerName) << " Lintra " << QLatin1String(ProgramVersion) << " ("
            << QLatin1String(ProgramBuild) << ")\n";
        return 0;
    case RejectOptionAction:
        err << CommandLineShortUsage(program, commandLine.RejectedOption);
        return 2;
    case RunProgramAction:
        break;
    }
    // Without a graphical session.
    err << NoGraphicalSessionText(program);
    return 1;
}

bool GraphicalSessionFound(const char *programName)
{
    FatalProgramName = ProgramName(programName).toLocal8Bit();
    const bool found = GraphicalSessionNamed();
    if (found)
        PreviousMessageHandler = qInstallMessageHandler(OpeningSessionMessageHandler);
    return found;
}

void GraphicalSessionOpened()
{
    qInstallMessageHandler(PreviousMessageHandler);
}

void GuardSingleInstance(CInstanceLock &lock, const QString &runtimeDirectory, const QString &startDirectory)
{
    if (runtimeDirectory.isEmpty())
        return;
    QElapsedTimer waited;
    waited.start();
    while (!lock.Claim(runtimeDirectory)) {
        const qint64 patience = HandOverPatienceMs - waited.elapsed();
        if (startDirectory.isEmpty() || patience <= 0)
            break;
        if (CInstanceChannel::HandOverDirectory(runtimeDirectory, startDirectory, int(patience)))
            std::exit(0);
        // The running instance may have ended meanwhile: then this one claims the lock.
        QThread::msleep(100);
    }
    if (lock.Claim(runtimeDirectory))
        return;
    ShowMessageBox(
        QMessageBox::Warning, QObject::tr("Warning"),
        QObject::tr("An instance of this application is already running, exiting this newly started one."));
    std::exit(0);
}

void SaveSettingsAtSessionEnd(QGuiApplication &application, CSessionEndSignals &endSignals, CLintra &window)
{
    // Qt's fallback would close the window, which hides it into the tray and
    // refuses the close: the session manager would take that as a veto
    // against the log-out.
    QGuiApplication::setFallbackSessionManagementEnabled(false);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.SaveSettings(false); });
    QObject::connect(&endSignals, &CSessionEndSignals::SessionEnding, &window,
                     [&window] { window.EndSession(); });
}

namespace {

void TellOnceTheWindowIsUp(CLintra &window, const QString &title, const QString &notice)
{
    // Once the window is up, so that the box has something to stand in front of.
    QTimer::singleShot(0, &window,
                       [&window, title, notice] { window.ShowMessage(QMessageBox::Warning, title, notice); });
}

} // namespace

void TellWhenSettingsAreNotKept(CLintra &window)
{
    const QString notice = window.SettingsNotice();
    if (!notice.isEmpty())
        TellOnceTheWindowIsUp(window, CLintra::tr("Settings"), notice);
}

void TellWhenInstancesAreNotGuarded(CLintra &window, const QString &runtimeDirectory, const QString &problem)
{
    if (!runtimeDirectory.isEmpty())
        return;
    TellOnceTheWindowIsUp(window, CLintra::tr("Runtime Folder"),
                          CLintra::tr("Lintra cannot make sure that it runs only once: %1. Another start "
                                      "of Lintra opens a second window. Give XDG_RUNTIME_DIR a folder of "
                                      "yours alone, or remove the folder named.")
                              .arg(problem));
}
