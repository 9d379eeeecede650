#ifndef LINTRA_WINDOWDRIVER_H
#define LINTRA_WINDOWDRIVER_H

// Drives the main window in tests as a user would: searches, the results
// table, modal boxes, and actions at a given point of a running search.

#include <QMetaObject>
#include <QModelIndex>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <functional>

#include "app/clintra.h"
#include "app/messagebox.h"
#include "search/core/searchwhat.h"

// The window's child of that object name and type (a control, an action, the
// tray icon, a subsystem's object), as tests and benchmarks find what a user
// meets; ends the program when there is none.
template <class T> T *Control(const QObject &window, const char *objectName)
{
    T *child = window.findChild<T *>(QLatin1String(objectName));
    if (!child)
        qFatal("The window has no %s named %s", T::staticMetaObject.className(), objectName);
    return child;
}

// The text a label, button or action shows, or another of its texts
// ("toolTip", a text view's "plainText" or "html").
inline QString ControlText(const QObject &window, const char *objectName, const char *property = "text")
{
    return Control<QObject>(window, objectName)->property(property).toString();
}

class QPixmap;
class QWidget;

// Surroundings for a window whose user's language separates words by spaces
// or not ("C" and "ja_JP": neither names a legacy charset of its own).
CLintraEnvironment LanguageEnvironment(bool wordSeparated);
// Surroundings in which closing the window may hide it into a tray, or not.
CLintraEnvironment TrayEnvironment(bool trayAvailable);

// Types the directory and keywords, presses the search button and waits
// until the search has ended (see WaitForSearchEnd).
void RunSearch(CLintra &w, const QString &directory, const QString &keywords, TEnumSearchWhat what);
// The search runs on worker threads and its button's slot returns at once:
// processes the window's events until the running search (if any) has
// ended and its summary is shown. False when it is still running after
// timeoutMs.
bool WaitForSearchEnd(CLintra &w, int timeoutMs = 60000);
// The file on show is read on the viewer's own thread: processes events until
// its answer is shown. False when it is still loading after timeoutMs.
bool WaitForViewer(const CLintra &w, int timeoutMs = 20000);
QStringList TablePaths(const CLintra &w);
QSet<QString> TablePathSet(const CLintra &w);
QString Status(const CLintra &w);
// What a cell of the results table holds for a role, as the view gets it.
QVariant CellData(const CLintra &w, int row, int column, int role = Qt::DisplayRole);
QString CellText(const CLintra &w, int row, int column);
QModelIndex CellIndex(const CLintra &w, int row, int column);

// Closes the window as its close button would, on a desktop with a tray
// (see TrayEnvironment), answering the box it may show; gives the titles of
// the boxes shown. A box comes before the window is hidden, so when close()
// has returned without one, none was shown.
QStringList CloseIntoTray(CLintra &window);
// Closes the window from the event loop, as its close button does, and
// closes the boxes it shows (their titles are added to titles); true when
// the close ended the event loop, as quitting the program does.
bool CloseEndsEventLoop(CLintra &window, QStringList &titles);

// Empty when the pixmap shows a picture, that is, it is not null and its
// pixels are not all of one colour; otherwise what is wrong with it.
QString PictureProblem(const QPixmap &pixmap);

// Hands the next modal widget to handle, which must close it. Message boxes
// are answered where the program builds them (each one, shown first); other
// dialogs are polled for.
class CModalHandler
{
public:
    explicit CModalHandler(std::function<void(QWidget *)> handle);
    ~CModalHandler();
    int Handled = 0;

private:
    QTimer Timer;
    TMessageBoxAnswerer PreviousAnswerer;
};

// Runs action on the window's thread when a search started from now on is
// about to examine the given file (numbered from 1), with the search held
// meanwhile: a click made there is handled before that file is examined.
class CAtFile
{
public:
    CAtFile(CLintra &w, int file, std::function<void()> action);
    ~CAtFile();
    CAtFile(const CAtFile &) = delete;
    CAtFile &operator=(const CAtFile &) = delete;

private:
    CLintra &Window;
    int File;
    std::function<void()> Action;
};

#endif
