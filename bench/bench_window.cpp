// Drives the real main window in-process (offscreen) for the benchmarks:
//
//   bench_window fulltext|filename DIR KEYWORDS OUTLIST
//       presses the search button and stops at the summary line; writes the
//       paths of the table to OUTLIST, one per line.
//   bench_window viewer FILE KEYWORDS
//       shows FILE as a full-text result (the first block with a keyword).
//
// Prints one line: "seconds=<s> cpu_seconds=<s> idle_kb=<kB> peak_kb=<kB> [block=<b>
// last_block=<b> keyword_shown=<0|1>] status=<summary>", where peak_kb is the
// highest resident size during the measured step, idle_kb the size of the
// idle window before it, and the viewer's fields tell which block it shows,
// which block ends the file, and whether the pane shows a keyword.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <sys/resource.h>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/core/resultsmodel.h"
#include "update/core/updaterequest.h"

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

// Lets the peak resident size start again from the current size.
void ResetPeakResidentSize()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void WriteTable(const CLintra &window, const QString &path)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream stream(&out);
    const CResultsModel *results = window.ui->FilesFound_TableWidget->Results();
    for (int row = 0; row < results->rowCount(); ++row)
        stream << results->FilePath(row) << '\n';
}

double Measure(CLintra &window, const QString &mode, const QStringList &args)
{
    QElapsedTimer timer;
    window.ui->Keywords2Search_ComboBox->setEditText(args.at(1));
    if (mode == QLatin1String("viewer")) {
        window.SearchWhat = SearchWhatFullText;
        window.AddResultRows(QStringList() << args.at(0));
        timer.start();
        window.ui->FilesFound_TableWidget->selectRow(0);
        return timer.nsecsElapsed() / 1e9;
    }
    window.ui->Dir2Search_ComboBox->setEditText(args.at(0));
    timer.start();
    if (mode == QLatin1String("fulltext"))
        window.ui->DoFullTextSearch_PushButton->click();
    else
        window.ui->DoFilenameSearch_PushButton->click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    WriteTable(window, args.at(2));
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString mode = args.value(0);
    const bool search = mode == QLatin1String("fulltext") || mode == QLatin1String("filename");
    if (!(search && args.size() == 4) && !(mode == QLatin1String("viewer") && args.size() == 3)) {
        QTextStream(stderr) << "usage: bench_window fulltext|filename DIR KEYWORDS OUTLIST\n"
                               "       bench_window viewer FILE KEYWORDS\n";
        return 2;
    }

    // The window's automatic update check must neither leave the machine nor
    // run beside the measurement: a closed local port ends it at once.
    SetUpdateInfoUrl(QStringLiteral("http://127.0.0.1:1/products/desktop/lintra/windows/latest/"));
    CLintra window;
    window.show();
    QCoreApplication::processEvents();
    const qint64 idle = StatusKiloBytes("VmRSS:");
    ResetPeakResidentSize();
    const double processorBefore = ProcessorSeconds();
    const double seconds = Measure(window, mode, args.mid(1));
    const double processor = ProcessorSeconds() - processorBefore;
    const qint64 peak = StatusKiloBytes("VmHWM:");

    QTextStream out(stdout);
    out << "seconds=" << QString::number(seconds, 'f', 4)
        << " cpu_seconds=" << QString::number(processor, 'f', 4) << " idle_kb=" << idle
        << " peak_kb=" << peak;
    if (mode == QLatin1String("viewer")) {
        const bool shown =
            window.ui->FileContent_TextEdit->toPlainText().contains(args.at(2), Qt::CaseInsensitive);
        out << " block=" << window.CurrentBlock << " last_block=" << window.LastBlock
            << " keyword_shown=" << (shown ? 1 : 0);
    }
    out << " status=" << window.ui->SearchingProgressStatus_Label->text() << '\n';
    return 0;
}
