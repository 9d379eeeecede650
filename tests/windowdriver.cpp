#include "windowdriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

#include "app/clintra.h"
#include "app/compiledresources.h"
#include "app/ui_clintra.h"
#include "search/csearchrun.h"
#include "viewer/cresultviewer.h"

namespace {

// The program registers its images first thing in main(); the window tests
// do the same before any test runs.
const bool ImagesRegistered = (InitCompiledResources(), true);

} // namespace

CLintraEnvironment LanguageEnvironment(bool wordSeparated)
{
    return {CUpdateCheckConfig(), QLatin1String(wordSeparated ? "C" : "ja_JP")};
}

CLintraEnvironment TrayEnvironment(bool trayAvailable)
{
    return {CUpdateCheckConfig(), QLocale::system().name(),
            trayAvailable ? +[] { return true; } : +[] { return false; }};
}

void RunSearch(CLintra &w, const QString &directory, const QString &keywords, TEnumSearchWhat what)
{
    Control<QComboBox>(w, "Dir2Search_ComboBox")->setEditText(directory);
    Control<QComboBox>(w, "Keywords2Search_ComboBox")->setEditText(keywords);
    const bool fullText = what == SearchWhatFullText;
    Control<QPushButton>(w, fullText ? "DoFullTextSearch_PushButton" : "DoFilenameSearch_PushButton")
        ->click();
    if (!WaitForSearchEnd(w))
        qWarning("RunSearch: the search of %s has not ended", qPrintable(directory));
}

bool WaitForSearchEnd(CLintra &w, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (w.SearchRunning()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

bool WaitForViewer(const CLintra &w, int timeoutMs)
{
    const CResultViewer *viewer = Control<CResultViewer>(w, "ResultViewer");
    QElapsedTimer waited;
    waited.start();
    while (viewer->IsLoading() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return !viewer->IsLoading();
}

QStringList TablePaths(const CLintra &w)
{
    QStringList paths;
    for (int row = 0; row < Control<CResultsTable>(w, "FilesFound_TableWidget")->rowCount(); ++row)
        paths << CellText(w, row, 0);
    return paths;
}

QSet<QString> TablePathSet(const CLintra &w)
{
    const QStringList paths = TablePaths(w);
    return QSet<QString>(paths.begin(), paths.end());
}

QString Status(const CLintra &w)
{
    return ControlText(w, "SearchingProgressStatus_Label");
}

QStringList CloseIntoTray(CLintra &window)
{
    QStringList titles;
    CModalHandler handler([&titles](QWidget *box) {
        titles << box->windowTitle();
        box->close();
    });
    const bool closed = window.close();
    if (closed)
        titles << QStringLiteral("(window closed instead of hidden)");
    return titles;
}

bool CloseEndsEventLoop(CLintra &window, QStringList &titles)
{
    CModalHandler handler([&titles](QWidget *box) {
        titles << box->windowTitle();
        box->close();
    });
    bool closed = false;
    QTimer::singleShot(0, &window, [&] { closed = window.close(); });
    // Status 0 only if the close ends the event loop; else the time-out ends it with 1.
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec() == 0 && closed;
}

QString PictureProblem(const QPixmap &pixmap)
{
    Q_UNUSED(ImagesRegistered);
    if (pixmap.isNull())
        return QStringLiteral("no picture (null pixmap)");
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return QString();
    return QStringLiteral("all %1 x %2 pixels are #%3")
        .arg(image.width())
        .arg(image.height())
        .arg(first, 8, 16, QLatin1Char('0'));
}

QModelIndex CellIndex(const CLintra &w, int row, int column)
{
    return Control<CResultsTable>(w, "FilesFound_TableWidget")->model()->index(row, column);
}

QVariant CellData(const CLintra &w, int row, int column, int role)
{
    return CellIndex(w, row, column).data(role);
}

QString CellText(const CLintra &w, int row, int column)
{
    return CellData(w, row, column).toString();
}

CModalHandler::CModalHandler(std::function<void(QWidget *)> handle)
{
    PreviousAnswerer = SetMessageBoxAnswerer([this, handle](QMessageBox &box) {
        Timer.stop();
        ++Handled;
        box.show();
        handle(&box);
        return box.clickedButton() ? box.standardButton(box.clickedButton()) : QMessageBox::NoButton;
    });
    Timer.setInterval(10);
    QObject::connect(&Timer, &QTimer::timeout, [this, handle] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            Timer.stop();
            ++Handled;
            handle(modal);
        }
    });
    Timer.start();
}

CModalHandler::~CModalHandler()
{
    SetMessageBoxAnswerer(PreviousAnswerer);
}

namespace {

QList<CAtFile *> ActiveAtFile;

} // namespace

CAtFile::CAtFile(CLintra &w, int file, std::function<void()> action)
    : Window(w)
    , File(file)
    , Action(std::move(action))
{
    ActiveAtFile << this;
    Control<CSearchRun>(w, "SearchRun")->SetBeforeFileAction([&w](int reached) {
        for (CAtFile *at : qAsConst(ActiveAtFile)) {
            if (&at->Window == &w && at->File == reached)
                at->Action();
        }
    });
}

CAtFile::~CAtFile()
{
    ActiveAtFile.removeAll(this);
    bool others = false;
    for (CAtFile *at : qAsConst(ActiveAtFile))
        others = others || &at->Window == &Window;
    if (!others)
        Control<CSearchRun>(Window, "SearchRun")->SetBeforeFileAction(nullptr);
}
