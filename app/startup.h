#ifndef LINTRA_STARTUP_H
#define LINTRA_STARTUP_H

#include <QString>
#include <QStringList>

#include "app/core/commandline.h"
#include "app/core/translationdirectories.h"

class CInstanceLock;
class CLintra;
class CSessionEndSignals;
class QGuiApplication;
class QTranslator;

// Qt's own catalogue: "qt_" + locale name from Qt's translations directory,
// with Qt's default delimiters and suffix (so qt_zh_CN may fall back to qt_zh).
bool LoadQtCatalogue(QTranslator &translator, const QString &localeName);

// The program's catalogue: exactly "libtxt_" + the catalogue's locale name
// (CatalogueLocaleName) + ".dat" (or the same name without suffix) in the
// given directory; the name is never shortened.
bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QString &directory);

// The same from the first directory of the list that holds the catalogue
// (TranslationDirectories gives the program's list).
bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QStringList &directories);

// Loads and installs both catalogues for the system's locale.
void InstallCatalogues(QTranslator &qtCatalogue, QTranslator &programCatalogue);

// Answers --help, --version or a rejected option on the terminal, without
// any window system, and returns the exit status (0, or 2 for a rejected
// option); for a plain start, says that no graphical session was found
// (status 1).
int AnswerCommandLine(int argc, char *argv[], const CCommandLine &commandLine);

// Whether the window system can be reached at all. Where it cannot, the
// program says that it needs a graphical session (NoGraphicalSessionText)
// and ends with status 1 instead of letting Qt abort; from then on until
// the application exists, a window system that Qt cannot open ends it the
// same way.
bool GraphicalSessionFound(const char *programName);
void GraphicalSessionOpened();

// Lets this process go on only when it holds the instance lock. A later
// start given a directory hands it to the running instance and ends with
// status 0 without a word; one without shows the "Warning" box and then
// ends with status 0 (so does one whose running instance does not answer).
// Nothing is saved and no destructor runs. It runs before the window is
// built, so a refused start shows nothing else and sends no update request.
// Where no private runtime folder can be had, nothing is guarded.
void GuardSingleInstance(CInstanceLock &lock, const QString &runtimeDirectory, const QString &startDirectory);

// The session's end saves the settings: the session manager's commit (the
// log-out may still be cancelled, so the program runs on), and its "die",
// SIGTERM, SIGHUP or SIGINT, which also end the event loop.
void SaveSettingsAtSessionEnd(QGuiApplication &application, CSessionEndSignals &endSignals, CLintra &window);

// Tells the user once, after the window is up, when the settings cannot be kept.
void TellWhenSettingsAreNotKept(CLintra &window);

// Tells the user once, after the window is up, when no private runtime
// folder could be had (empty runtimeDirectory), so that nothing guards
// against a second instance; problem says why.
void TellWhenInstancesAreNotGuarded(CLintra &window, const QString &runtimeDirectory, const QString &problem);

#endif
