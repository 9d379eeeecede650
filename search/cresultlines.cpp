#include "search/cresultlines.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <QThread>

#include "search/cmatchinglinedelegate.h"
#include "search/core/matchinglinesmodel.h"
#include "search/core/matchinglinesworker.h"

CResultLines::CResultLines(QTableView *table, CResultsOrder *order,
                           const std::function<QByteArray(int)> &filePath)
    : QObject(table)
    , Table(table)
    , Lines(new CMatchingLinesModel(order, this))
    , FilePath(filePath)
    , ShowAll(new QAction(tr("Show Matching &Lines"), this))
{
    ShowAll->setObjectName(QStringLiteral("ShowMatchingLines_Action"));
    ShowAll->setEnabled(false);
    connect(ShowAll, &QAction::triggered, Lines, &CMatchingLinesModel::UnfoldAll);
    Table->setModel(Lines);
    Table->setItemDelegate(new CMatchingLineDelegate(this));
    Table->viewport()->installEventFilter(this);
    connect(Lines, &CMatchingLinesModel::LinesWanted, this, &CResultLines::FindLines);
    connect(Lines, &CMatchingLinesModel::LinesUnwanted, this, [this](quint64 request) {
        if (Worker)
            Worker->Cancel(request);
    });
    // The table moves the spans of rows inserted or removed itself (before
    // these are set: it has the model first), not those of a new order.
    connect(Lines, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { SpanLineRows(first, last); });
    connect(Lines, &QAbstractItemModel::layoutChanged, this, &CResultLines::SpanAllLineRows);
    connect(Lines, &QAbstractItemModel::modelReset, Table, &QTableView::clearSpans);
    connect(Table, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { ChooseLine(index.row()); });
}

CResultLines::~CResultLines()
{
    StopWorker();
}

void CResultLines::SetSearch(const CKeywordQuery &query, const CUnmarkedTextCharset &charset)
{
    Query = query;
    Charset = charset;
    Lines->SetFoldable(!query.IsEmpty());
    ShowAll->setEnabled(!query.IsEmpty());
}

void CResultLines::StartWorker()
{
    WorkerThread = new QThread(this);
    Worker = new CMatchingLinesWorker;
    Worker->moveToThread(WorkerThread);
    connect(WorkerThread, &QThread::finished, Worker, &QObject::deleteLater);
    connect(Worker, &CMatchingLinesWorker::Found, Lines, &CMatchingLinesModel::AddLines);
    connect(Worker, &CMatchingLinesWorker::Finished, Lines,
            [this](quint64 request, qint64 more) { Lines->FinishLines(request, more); });
    WorkerThread->start();
}

// A worker stuck in a read of a hung file system is left to finish alone.
void CResultLines::StopWorker()
{
    if (!Worker)
        return;
    disconnect(Worker, nullptr, Lines, nullptr);
    Worker->CancelAll();
    WorkerThread->quit();
    if (!WorkerThread->wait(1000))
        WorkerThread->setParent(nullptr);
    Worker = nullptr;
    WorkerThread = nullptr;
}

void CResultLines::FindLines(quint64 request, int fileRow)
{
    if (!Worker)
        StartWorker();
    CMatchingLinesWorker *worker = Worker;
    const QByteArray path = FilePath(fileRow);
    const CKeywordQuery query = Query;
    const CUnmarkedTextCharset charset = Charset;
    QMetaObject::invokeMethod(
        worker, [worker, request, path, query, charset] { worker->Find(request, path, query, charset); },
        Qt::QueuedConnection);
}

void CResultLines::SpanLineRows(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        if (Lines->RowKind(row) != CMatchingLinesModel::FileRowKind)
            Table->setSpan(row, 0, 1, Lines->columnCount());
    }
}

void CResultLines::SpanAllLineRows()
{
    Table->clearSpans();
    SpanLineRows(0, Lines->rowCount() - 1);
}

bool CResultLines::ChooseLine(int row)
{
    const CMatchingLine *line = Lines->Line(row);
    if (!line)
        return false;
    emit LineChosen(Lines->FileRow(row), line->Number);
    return true;
}

bool CResultLines::KeyPressed(const QKeyEvent *event)
{
    const int row = Table->currentIndex().row();
    if (row < 0 || event->modifiers() != Qt::NoModifier)
        return false;
    const int fileRow = Lines->FileRow(row);
    switch (event->key()) {
    case Qt::Key_Right:
        if (!Lines->IsFoldable() || Lines->RowKind(row) != CMatchingLinesModel::FileRowKind)
            return false;
        Lines->SetUnfolded(fileRow, true);
        return true;
    case Qt::Key_Left:
        if (!Lines->IsUnfolded(fileRow))
            return false;
        Table->setCurrentIndex(Lines->index(Lines->ViewRow(fileRow), 0));
        Lines->SetUnfolded(fileRow, false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Lines->RowKind(row) == CMatchingLinesModel::FileRowKind)
            return false;
        ChooseLine(row);
        return true;
    default:
        return false;
    }
}

// A press on a file row's arrow folds or unfolds it.
bool CResultLines::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && Lines->IsFoldable()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = Table->indexAt(mouse->pos());
        if (mouse->button() == Qt::LeftButton && index.isValid() && index.column() == 0 &&
            Lines->RowKind(index.row()) == CMatchingLinesModel::FileRowKind) {
            QStyleOptionViewItem option;
            option.initFrom(Table);
            if (mouse->pos().x() - Table->visualRect(index).left() <
                CMatchingLineDelegate::ArrowWidth(option)) {
                const int fileRow = Lines->FileRow(index.row());
                Lines->SetUnfolded(fileRow, !Lines->IsUnfolded(fileRow));
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
