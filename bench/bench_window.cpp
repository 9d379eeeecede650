// Drives the real main window in-process (offscreen) for the benchmarks:
//
// LINTRA_BENCH_PLATFORM=xcb (with DISPLAY) shows a real window instead.
//
//   bench_window fulltext|filename DIR KEYWORDS OUTLIST
//       presses the search button and stops at the summary line; writes the
//       paths of the table to OUTLIST, one per line.
//       With LINTRA_BENCH_SUBSTRING=1 the search matches substrings, with
//       LINTRA_BENCH_HIDDEN=1 it includes hidden files and folders.
//   bench_window viewer FILE KEYWORDS
//       shows FILE as a full-text result (the first block with a keyword).
//   bench_window viewer-next FILE KEYWORDS
//       shows FILE the same way, then measures one jump to the next match
//       (F3), which may lie far into the file.
//   bench_window lines FILE KEYWORDS
//       lists FILE as a full-text result and unfolds its row: the time until
//       its first matching lines are in the table.
//   bench_window fulltext-clicks|filename-clicks DIR KEYWORDS OUTLIST
//       the same search, clicked at while it runs (see CClickProbe); adds
//       "clicks=<n> click_max_ms=<ms> click_median_ms=<ms>" to the line.
//   bench_window fulltext-cancel|filename-cancel DIR KEYWORDS OUTLIST
//       the same search, with Cancel clicked once after 150 ms, the same way;
//       adds "cancel_ms=<ms>": from the click to the search having stopped.
//   bench_window fulltext-repeat|filename-repeat DIR KEYWORDS OUTLIST
//       the same search twice in the same window; measures the second.
//   bench_window fulltext-sort|filename-sort DIR KEYWORDS OUTLIST
//       the same search, then each column sorted up and down as header clicks
//       do; adds "rows=<n> sort0_ms=<ms> sort1_ms=<ms> sort2_ms=<ms>", the
//       slower of the two orders of each column.
//
// Prints one line: "seconds=<s> cpu_seconds=<s> window_thread_cpu_seconds=<s>
// idle_kb=<kB> peak_kb=<kB> [block=<b>
// last_block=<b> keyword_shown=<0|1>] status=<summary>", where peak_kb is the
// highest resident size during the measured step, idle_kb the size of the
// idle window before it, and the viewer's fields tell which block it shows,
// which block ends the file, and whether the pane shows a keyword.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextStream>

#include <QMouseEvent>
#include <QSocketNotifier>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/core/matchinglinesmodel.h"
#include "search/core/resultsmodel.h"
#include "search/cresultlines.h"
#include "viewer/cresultviewer.h"
#include "windowdriver.h"

namespace {

qint64 StatusKiloBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// User and system time of this process so far: unlike wall time, hardly
// changed by other processes competing for the processors.
double ProcessorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// User and system time of the window's thread alone: what the window spends
// besides its worker threads.
double ThreadProcessorSeconds()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return double(time.tv_sec) + double(time.tv_nsec) / 1e9;
}

// Lets the peak resident size start again from the current size.
void ResetPeakResidentSize()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Clicks the results table every 50 ms while a search runs and measures how
// long each click waits to be answered. The clicks come the way the window
// system's input does: a byte on a descriptor that the window thread's event
// dispatcher watches, which only a full round of event processing reads. The
// click is answered when the row it selected has been shown (the press and
// release delivered, the selection changed, the pane filled).
class CClickProbe
{
public:
    // cancel: one click on Cancel after 150 ms instead of rows every 50 ms.
    CClickProbe(CLintra &window, bool cancel)
        : Window(window)
        , CancelOnce(cancel)
    {
        if (pipe(Pipe) != 0)
            qFatal("pipe");
        Notifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read);
        QObject::connect(Notifier, &QSocketNotifier::activated, [this] { Answer(); });
        Clicker = std::thread([this] {
            while (!Stop.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(CancelOnce ? 150 : 50));
                const qint64 now = Now();
                if (write(Pipe[1], &now, sizeof now) != sizeof now || CancelOnce)
                    break;
            }
        });
    }
    ~CClickProbe()
    {
        Stop.store(true);
        Clicker.join();
        delete Notifier;
        close(Pipe[0]);
        close(Pipe[1]);
    }
    CClickProbe(const CClickProbe &) = delete;
    CClickProbe &operator=(const CClickProbe &) = delete;

    QString Fields() const
    {
        if (CancelOnce)
            return QStringLiteral(" cancel_ms=%1")
                .arg(CancelSent ? (Now() - CancelSent) / 1e6 : -1.0, 0, 'f', 1);
        QVector<double> sorted = LatenciesMs;
        std::sort(sorted.begin(), sorted.end());
        const double max = sorted.isEmpty() ? 0 : sorted.last();
        const double median = sorted.isEmpty() ? 0 : sorted.at(sorted.size() / 2);
        return QStringLiteral(" clicks=%1 click_max_ms=%2 click_median_ms=%3")
            .arg(sorted.size())
            .arg(max, 0, 'f', 1)
            .arg(median, 0, 'f', 1);
    }

private:
    static qint64 Now()
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    void Answer()
    {
        qint64 sent = 0;
        if (read(Pipe[0], &sent, sizeof sent) != sizeof sent)
            return;
        if (CancelOnce) {
            CancelSent = sent;
            Control<QPushButton>(Window, "CancelSearch_PushButton")->click();
            return;
        }
        CResultsTable *table = Control<CResultsTable>(Window, "FilesFound_TableWidget");
        // Only clicks while rows are being added count: the first needs two rows.
        if (table->rowCount() < 2)
            return;
        const int row = (++Clicks) % 2;
        const QPoint point = table->visualRect(table->model()->index(row, 0)).center();
        QWidget *viewport = table->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &release);
        LatenciesMs << (Now() - sent) / 1e6;
    }

    CLintra &Window;
    int Pipe[2] = {-1, -1};
    QSocketNotifier *Notifier = nullptr;
    std::thread Clicker;
    std::atomic<bool> Stop{false};
    QVector<double> LatenciesMs;
    int Clicks = 0;
    const bool CancelOnce;
    qint64 CancelSent = 0;
};

void WriteTable(const CLintra &window, const QString &path)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream stream(&out);
    const CResultsModel *results = Control<CResultsTable>(window, "FilesFound_TableWidget")->Results();
    for (int row = 0; row < results->rowCount(); ++row)
        stream << results->FilePath(row) << '\n';
}

QString SortFields(CLintra &window)
{
    CResultsTable *table = Control<CResultsTable>(window, "FilesFound_TableWidget");
    QString fields = QStringLiteral(" rows=%1").arg(table->rowCount());
    for (int column = 0; column < 3; ++column) {
        qint64 slowest = 0;
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            QElapsedTimer timer;
            timer.start();
            table->sortByColumn(column, order);
            QCoreApplication::processEvents();
            slowest = qMax(slowest, timer.elapsed());
        }
        fields += QStringLiteral(" sort%1_ms=%2").arg(column).arg(slowest);
    }
    return fields;
}

double Measure(CLintra &window, const QString &mode, const QStringList &args)
{
    QElapsedTimer timer;
    Control<QComboBox>(window, "Keywords2Search_ComboBox")->setEditText(args.at(1));
    if (mode == QLatin1String("lines")) {
        window.AddResultRows(QStringList() << args.at(0), SearchWhatFullText);
        CResultsTable *table = Control<CResultsTable>(window, "FilesFound_TableWidget");
        table->Lines()->SetSearch(CKeywordQuery(args.at(1), true, true), CUnmarkedTextCharset());
        timer.start();
        table->Lines()->Model()->SetUnfolded(0, true);
        while (table->model()->rowCount() < 2)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return timer.nsecsElapsed() / 1e9;
    }
    if (mode.startsWith(QLatin1String("viewer"))) {
        // The file is read on the viewer's own thread. The window sleeps until
        // its answer comes, as in the event loop: processEvents with a time
        // limit would poll, on the processor the reading thread needs.
        CResultViewer *viewer = Control<CResultViewer>(window, "ResultViewer");
        const auto settle = [viewer] {
            while (viewer->IsLoading())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        };
        window.AddResultRows(QStringList() << args.at(0), SearchWhatFullText);
        CResultsTable *table = Control<CResultsTable>(window, "FilesFound_TableWidget");
        timer.start();
        table->selectRow(0);
        settle();
        if (mode == QLatin1String("viewer-next")) {
            timer.restart();
            viewer->NextMatch();
            settle();
        }
        return timer.nsecsElapsed() / 1e9;
    }
    Control<QComboBox>(window, "Dir2Search_ComboBox")->setEditText(args.at(0));
    if (qEnvironmentVariableIntValue("LINTRA_BENCH_SUBSTRING"))
        Control<QRadioButton>(window, "MatchSubstring_RadioButton")->click();
    Control<QCheckBox>(window, "IncludeHidden_CheckBox")
        ->setChecked(qEnvironmentVariableIntValue("LINTRA_BENCH_HIDDEN") != 0);
    const char *button = mode.startsWith(QLatin1String("fulltext")) ? "DoFullTextSearch_PushButton"
                                                                    : "DoFilenameSearch_PushButton";
    timer.start();
    Control<QPushButton>(window, button)->click();
    // The search runs on its threads; the window shows it until the summary.
    while (window.SearchRunning())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const double seconds = timer.nsecsElapsed() / 1e9;
    WriteTable(window, args.at(2));
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    // Offscreen unless a real window is asked for (the benchmark's runs on Xvfb).
    const QByteArray platform = qgetenv("LINTRA_BENCH_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString mode = args.value(0);
    const bool clicks = mode.endsWith(QLatin1String("-clicks"));
    const bool cancel = mode.endsWith(QLatin1String("-cancel"));
    const bool sort = mode.endsWith(QLatin1String("-sort"));
    const bool repeat = mode.endsWith(QLatin1String("-repeat"));
    const QString kind = clicks || cancel || sort || repeat ? mode.section(QLatin1Char('-'), 0, 0) : mode;
    const bool search = kind == QLatin1String("fulltext") || kind == QLatin1String("filename");
    const bool oneFile = mode.startsWith(QLatin1String("viewer")) || mode == QLatin1String("lines");
    if (!(search && args.size() == 4) && !(oneFile && args.size() == 3)) {
        QTextStream(stderr)
            << "usage: bench_window fulltext|filename[-clicks|-cancel|-sort|-repeat] DIR KEYWORDS OUTLIST\n"
               "       bench_window viewer FILE KEYWORDS\n"
               "       bench_window viewer-next FILE KEYWORDS\n"
               "       bench_window lines FILE KEYWORDS\n";
        return 2;
    }

    // Built without an update address: the window's automatic check neither
    // leaves the machine nor runs beside the measurement.
    CLintra window;
    window.show();
    QCoreApplication::processEvents();
    // The same search once before, unmeasured: the one measured is a
    // repeat, and the memory above idle includes what the window kept.
    const qint64 idle = StatusKiloBytes("VmRSS:");
    if (repeat)
        Measure(window, kind, args.mid(1));
    ResetPeakResidentSize();
    const double processorBefore = ProcessorSeconds();
    const double threadBefore = ThreadProcessorSeconds();
    std::unique_ptr<CClickProbe> probe(clicks || cancel ? new CClickProbe(window, cancel) : nullptr);
    const double seconds = Measure(window, kind, args.mid(1));
    const QString clickFields = probe ? probe->Fields() : QString();
    probe.reset();
    const double processor = ProcessorSeconds() - processorBefore;
    const double thread = ThreadProcessorSeconds() - threadBefore;
    const qint64 peak = StatusKiloBytes("VmHWM:");

    QTextStream out(stdout);
    out << "seconds=" << QString::number(seconds, 'f', 4)
        << " cpu_seconds=" << QString::number(processor, 'f', 4)
        << " window_thread_cpu_seconds=" << QString::number(thread, 'f', 4) << " idle_kb=" << idle
        << " peak_kb=" << peak;
    if (mode.startsWith(QLatin1String("viewer"))) {
        const bool shown = ControlText(window, "FileContent_TextEdit", "plainText")
                               .contains(args.at(2), Qt::CaseInsensitive);
        // As the strip below the pane says it: "Block 3 of 20", counted from
        // 1, the numbers grouped as the locale does.
        const QRegularExpressionMatch block =
            QRegularExpression(QStringLiteral("^Block ([\\d,.]+) of (about )?([\\d,.]+)"))
                .match(Control<CContentEdit>(window, "FileContent_TextEdit")->Position_Label->text());
        const auto number = [&block](int n) {
            return block.captured(n).remove(QRegularExpression("[,.]")).toInt();
        };
        out << " block=" << number(1) - 1
            << " last_block=" << (block.captured(2).isEmpty() ? number(3) - 1 : -1)
            << " keyword_shown=" << (shown ? 1 : 0);
    }
    out << clickFields;
    if (sort)
        out << SortFields(window);
    out << " status=" << ControlText(window, "SearchingProgressStatus_Label") << '\n';
    return 0;
}
