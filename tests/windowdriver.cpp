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

namespace {

// The program registers its images first thing in main(); the window tests
// do the same before any test runs.
const bool ImagesRegistered = (InitCompiledResources(), true);

} // namespace

CLintraEnvironment LanguageEnvironment(bool wordSeparated)
{
    CLintraEnvironment environment;
    environment.LocaleName = QLatin1String(wordSeparated ? "C" : "ja_JP");
    return environment;
}

CLintraEnvironment TrayEnvironment(bool trayAvailable)
{
    CLintraEnvironment environment;
    environment.SystemTrayAvailable = [] { return true; };
    if (!trayAvailable)
        environment.SystemTrayAvailable = [] { return false; };
    return environment;
}

void RunSearch(CLintra &w, const QString &directory, const QString &keywords, TEnumSearchWhat what)
{
    Control<QComboBox>(w, "Dir2Search_ComboBox")->setEditText(directory);
    Control<QComboBox>(w, "Keywords2Search_ComboBox")->setEditText(keywords);
    if (what == SearchWhatFullText)
        Control<QPushButton>(w, "DoFullTextSearch_PushButton")->click();
    else
        Control<QPushButton>(w, "DoFilenameSearch_PushButton")->click();
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
    w.Search().SetBeforeFileAction([&w](int reached) {
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
        Window.Search().SetBeforeFileAction(nullptr);
}
