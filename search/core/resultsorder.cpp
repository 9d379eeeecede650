#include "search/core/resultsorder.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <numeric>

#include "search/core/resultsmodel.h"

namespace {

// Paths compare folder first, then name: a folder's files stay together and
// come before its sub-folders' (a tree's pre-order), letters without regard
// to case unless that is all that differs.
int CompareText(const QString &left, const QString &right)
{
    const int folded = left.compare(right, Qt::CaseInsensitive);
    return folded != 0 ? folded : left.compare(right, Qt::CaseSensitive);
}

int ComparePaths(const QString &left, const QString &right)
{
    const int leftSlash = qMax(left.lastIndexOf(QLatin1Char('/')), left.lastIndexOf(QLatin1Char('\\')));
    const int rightSlash = qMax(right.lastIndexOf(QLatin1Char('/')), right.lastIndexOf(QLatin1Char('\\')));
    const int folder = CompareText(left.left(qMax(0, leftSlash)), right.left(qMax(0, rightSlash)));
    return folder != 0 ? folder : CompareText(left.mid(leftSlash + 1), right.mid(rightSlash + 1));
}

} // namespace

CResultsOrder::CResultsOrder(CResultsModel *results, QObject *parent)
    : QAbstractProxyModel(parent)
    , Results(results)
{
    setSourceModel(results);
    connect(results, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) {
                if (Order.isEmpty())
                    beginInsertRows(QModelIndex(), first, last);
            });
    connect(results, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                if (Order.isEmpty())
                    endInsertRows();
                else
                    SortedInsert(first, last);
            });
    // The results emptied for a new search: the walk's order again.
    connect(results, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(results, &QAbstractItemModel::modelReset, this, [this] {
        Column = -1;
        Order.clear();
        Position.clear();
        endResetModel();
    });
    connect(results, &QAbstractItemModel::dataChanged, this, &CResultsOrder::ForwardDataChanged);
    connect(results, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
}

int CResultsOrder::ResultRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return Order.isEmpty() ? row : Order.at(row);
}

bool CResultsOrder::Less(int left, int right) const
{
    int compared = 0;
    switch (Column) {
    case 0:
        compared = ComparePaths(Results->FilePath(left), Results->FilePath(right));
        break;
    case 1:
        compared = Results->FileSize(left) < Results->FileSize(right)
                       ? -1
                       : (Results->FileSize(left) > Results->FileSize(right) ? 1 : 0);
        break;
    case 2:
        compared = Results->FileModified(left) < Results->FileModified(right)
                       ? -1
                       : (Results->FileModified(left) > Results->FileModified(right) ? 1 : 0);
        break;
    }
    // Equal values keep the walk's order, whichever the direction.
    if (compared == 0)
        return left < right;
    return Direction == Qt::AscendingOrder ? compared < 0 : compared > 0;
}

void CResultsOrder::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount()) {
        if (Order.isEmpty())
            return;
        Column = -1;
        QVector<int> walk(Results->rowCount());
        std::iota(walk.begin(), walk.end(), 0);
        Reorder(walk);
        Order.clear();
        Position.clear();
        return;
    }
    Column = column;
    Direction = order;
    QVector<int> sorted(Results->rowCount());
    std::iota(sorted.begin(), sorted.end(), 0);
    if (column == 0) {
        // Each path made once, not once per comparison.
        QVector<QString> paths(sorted.size());
        for (int row = 0; row < paths.size(); ++row)
            paths[row] = Results->FilePath(row);
        std::sort(sorted.begin(), sorted.end(), [&paths, order](int left, int right) {
            const int compared = ComparePaths(paths.at(left), paths.at(right));
            if (compared == 0)
                return left < right;
            return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
        });
    } else {
        std::sort(sorted.begin(), sorted.end(), [this](int left, int right) { return Less(left, right); });
    }
    Reorder(sorted);
}

// The new rows first join at the end, then move to their places.
void CResultsOrder::SortedInsert(int first, int last)
{
    beginInsertRows(QModelIndex(), Order.size(), Order.size() + last - first);
    for (int row = first; row <= last; ++row) {
        Position.append(Order.size());
        Order.append(row);
    }
    endInsertRows();

    QVector<int> added(last - first + 1);
    std::iota(added.begin(), added.end(), first);
    std::sort(added.begin(), added.end(), [this](int left, int right) { return Less(left, right); });
    QVector<int> merged;
    merged.reserve(Order.size());
    const auto kept = Order.cbegin() + (Order.size() - added.size());
    std::merge(Order.cbegin(), kept, added.cbegin(), added.cend(), std::back_inserter(merged),
               [this](int left, int right) { return Less(left, right); });
    Reorder(merged);
}

void CResultsOrder::Reorder(const QVector<int> &order)
{
    emit layoutAboutToBeChanged(QList<QPersistentModelIndex>(), QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<int> position(order.size());
    for (int row = 0; row < order.size(); ++row)
        position[order.at(row)] = row;
    QModelIndexList after;
    for (const QModelIndex &index : before) {
        const int result = ResultRow(index.row());
        after << (result < 0 ? QModelIndex() : createIndex(position.at(result), index.column()));
    }
    Order = order;
    Position = position;
    changePersistentIndexList(before, after);
    emit layoutChanged(QList<QPersistentModelIndex>(), QAbstractItemModel::VerticalSortHint);
}

void CResultsOrder::ForwardDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                       const QVector<int> &roles)
{
    if (Order.isEmpty()) {
        emit dataChanged(mapFromSource(topLeft), mapFromSource(bottomRight), roles);
        return;
    }
    // Changed rows lie anywhere once sorted.
    if (rowCount() > 0)
        emit dataChanged(index(0, topLeft.column()), index(rowCount() - 1, bottomRight.column()), roles);
}

QModelIndex CResultsOrder::mapToSource(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    return Results->index(ResultRow(index.row()), index.column());
}

QModelIndex CResultsOrder::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return QModelIndex();
    const int row = Position.isEmpty() ? sourceIndex.row() : Position.value(sourceIndex.row(), -1);
    return row < 0 ? QModelIndex() : createIndex(row, sourceIndex.column());
}

QModelIndex CResultsOrder::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex CResultsOrder::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int CResultsOrder::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (Order.isEmpty() ? Results->rowCount() : Order.size());
}

int CResultsOrder::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Results->columnCount();
}

QVariant CResultsOrder::headerData(int section, Qt::Orientation orientation, int role) const
{
    return Results->headerData(section, orientation, role);
}

Qt::ItemFlags CResultsOrder::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractProxyModel::flags(index);
    return flags == Qt::NoItemFlags ? flags : flags | Qt::ItemIsDragEnabled;
}

QStringList CResultsOrder::mimeTypes() const
{
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")};
}

// Each dragged row once, in the order shown.
QMimeData *CResultsOrder::mimeData(const QModelIndexList &indexes) const
{
    QVector<int> rows;
    for (const QModelIndex &index : indexes)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<QUrl> urls;
    QStringList paths;
    for (int row : qAsConst(rows)) {
        const QByteArray path = Results->FilePathBytes(ResultRow(row));
        if (path.isEmpty())
            continue;
        paths << Results->FilePath(ResultRow(row));
        urls << FileUrl(path);
    }
    if (paths.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));
    return data;
}

QUrl CResultsOrder::FileUrl(const QByteArray &path)
{
    QByteArray slashed = path;
#ifdef Q_OS_WIN
    slashed.replace('\\', '/');
#endif
    return QUrl::fromEncoded("file://" + slashed.toPercentEncoding("/"));
}

Qt::DropActions CResultsOrder::supportedDragActions() const
{
    return Qt::CopyAction | Qt::LinkAction;
}
