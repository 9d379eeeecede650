#include "search/cresultstable.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QUrl>

#include "search/core/matchinglinesmodel.h"
#include "search/core/resultsmodel.h"
#include "search/core/resultsorder.h"
#include "search/cresultlines.h"

CResultsTable::CResultsTable(bool backslashes, QWidget *parent)
    : QTableView(parent)
    , Model(new CResultsModel(backslashes, this))
    , Order(new CResultsOrder(Model, this))
    , MatchingLines(new CResultLines(this, Order, [this](int row) { return FilePathBytes(row); }))
{
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CResultsTable::itemSelectionChanged);
    // Ctrl+End and Ctrl+arrows move the current row without selecting it;
    // it is selected all the same, since the row on show is the current one.
    // A click selects for itself, also with Ctrl or Shift held.
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && QGuiApplication::mouseButtons() == Qt::NoButton &&
                    !selectionModel()->isRowSelected(current.row(), QModelIndex()))
                    selectionModel()->select(current,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                emit itemSelectionChanged();
            });

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The file's name is at the end of its path: one line, shortened in the middle.
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (MatchingLines->Model()->RowKind(index.row()) == CMatchingLinesModel::FileRowKind)
            emit OpenRequested(MatchingLines->Model()->FileRow(index.row()));
    });

    // No column is sorted until the user asks: the walk's order comes first.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    // A new search shows the walk's order again, and says so.
    connect(Model, &QAbstractItemModel::modelReset, this,
            [this] { horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); });
}

int CResultsTable::rowCount() const
{
    return Order->rowCount();
}

int CResultsTable::currentRow() const
{
    return MatchingLines->Model()->FileRow(currentIndex().row());
}

QString CResultsTable::FilePath(int row) const
{
    return Model->FilePath(Order->ResultRow(row));
}

QByteArray CResultsTable::FilePathBytes(int row) const
{
    return Model->FilePathBytes(Order->ResultRow(row));
}

bool CResultsTable::FileCellAt(const QPoint &point) const
{
    if (rowCount() <= 0)
        return false;
    // A cleared cell is no file either.
    const QModelIndex index = indexAt(point);
    return index.isValid() && index.column() == 0 &&
           MatchingLines->Model()->RowKind(index.row()) == CMatchingLinesModel::FileRowKind &&
           !FilePath(MatchingLines->Model()->FileRow(index.row())).isEmpty();
}

QList<int> CResultsTable::SelectedRows() const
{
    // The view's rows include the matching lines of unfolded files: only the files' own count.
    const CMatchingLinesModel *lines = MatchingLines->Model();
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows()) {
        if (lines->RowKind(index.row()) == CMatchingLinesModel::FileRowKind)
            rows << lines->FileRow(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QUrl CResultsTable::FileUrl(int row) const
{
    return CResultsOrder::FileUrl(FilePathBytes(row));
}

int CResultsTable::PathColumnRoom() const
{
    return viewport()->width() - columnWidth(1) - columnWidth(2);
}

int CResultsTable::WholeDateWidth() const
{
    // Each search sets the table up anew: 84 dates laid out took a
    // millisecond of every search.
    if (DateWidth >= 0 && DateFont == font())
        return DateWidth;
    // Day and month names are the same in every language here (Qt::TextDate).
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 22; day <= 28; ++day) {
            const QDateTime sample(QDate(2000, month, day), QTime(20, 58, 58));
            widest = qMax(widest, fontMetrics().horizontalAdvance(sample.toString(Qt::TextDate)));
        }
    }
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    DateFont = font();
    DateWidth = widest + 2 * margin + fontMetrics().averageCharWidth();
    return DateWidth;
}

int CResultsTable::sizeHintForColumn(int column) const
{
    return column == 0 ? PathColumnRoom() : QTableView::sizeHintForColumn(column);
}

// The keyboard's first step shows the row the focus rests on (the first,
// after a search) rather than skipping it.
QModelIndex CResultsTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if ((action == MoveDown || action == MoveUp) && currentIndex().isValid() &&
        !selectionModel()->hasSelection())
        return currentIndex();
    return QTableView::moveCursor(action, modifiers);
}

void CResultsTable::keyPressEvent(QKeyEvent *event)
{
    if (MatchingLines->KeyPressed(event))
        return;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit OpenRequested(currentRow());
        return;
    }
    QTableView::keyPressEvent(event);
}
