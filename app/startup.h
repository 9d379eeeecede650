#ifndef LINTRA_STARTUP_H
#define LINTRA_STARTUP_H

#include <QString>
#include <QStringList>

#include "app/core/translationdirectories.h"

class CLintra;
class CSessionEndSignals;
class QGuiApplication;
class QSharedMemory;
class QTranslator;

// Qt's own catalogue: "qt_" + locale name from Qt's translations directory,
// with Qt's default delimiters and suffix (so qt_zh_CN may fall back to qt_zh).
bool LoadQtCatalogue(QTranslator &translator, const QString &localeName);

// The program's catalogue: exactly "libtxt_" + locale name + ".dat" (or the
// same name without suffix) in the given directory; the locale name is never
// shortened.
bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QString &directory);

// The same from the first directory of the list that holds the catalogue
// (TranslationDirectories gives the program's list).
bool LoadProgramCatalogue(QTranslator &translator, const QString &localeName, const QStringList &directories);

// Lets this process go on only if no other instance runs for the same
// installation. Otherwise shows the "Warning" box and ends the process at
// once with status 0: nothing is saved and no destructor runs. It runs before
// the window is built, so a refused start shows nothing else and sends no
// update request.
void GuardSingleInstance(QSharedMemory &segment);

// The session's end saves the settings: the session manager's commit (the
// log-out may still be cancelled, so the program runs on), and its "die",
// SIGTERM or SIGHUP, which also end the event loop.
void SaveSettingsAtSessionEnd(QGuiApplication &application, CSessionEndSignals &endSignals, CLintra &window);

#endif
