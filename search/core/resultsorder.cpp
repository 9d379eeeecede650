#include "search/core/resultsorder.h"

#include <QDir>
#include <QHash>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <numeric>

#include "search/core/resultsmodel.h"

namespace {

// Paths compare folder first, then name: a folder's files stay together and
// come before its sub-folders' (a tree's pre-order), letters without regard
// to case unless that is all that differs.
int CompareText(QStringView left, QStringView right)
{
    const int folded = left.compare(right, Qt::CaseInsensitive);
    return folded != 0 ? folded : left.compare(right, Qt::CaseSensitive);
}

// A path split once into its folder and its name, both views of the path.
struct CPathKey
{
    explicit CPathKey(const QString &path)
        : Path(path)
    {
        const int slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
        Folder = QStringView(Path).left(qMax(0, slash));
        Name = QStringView(Path).mid(slash + 1);
    }
    CPathKey(const CPathKey &other)
        : CPathKey(other.Path)
    {
    }
    CPathKey &operator=(const CPathKey &) = delete;

    QString Path;
    QStringView Folder;
    QStringView Name;
    int FolderRank = 0;
};

// Each folder's place among the folders, found once: comparing two rows'
// folders is then comparing two numbers.
void RankFolders(std::vector<CPathKey> &keys)
{
    QHash<QStringView, int> ranks;
    for (const CPathKey &key : keys)
        ranks.insert(key.Folder, 0);
    QVector<QStringView> folders;
    folders.reserve(ranks.size());
    for (auto it = ranks.cbegin(); it != ranks.cend(); ++it)
        folders << it.key();
    std::sort(folders.begin(), folders.end(),
              [](QStringView left, QStringView right) { return CompareText(left, right) < 0; });
    for (int rank = 0; rank < folders.size(); ++rank)
        ranks[folders.at(rank)] = rank;
    for (CPathKey &key : keys)
        key.FolderRank = ranks.value(key.Folder);
}

int CompareRanked(const CPathKey &left, const CPathKey &right)
{
    if (left.FolderRank != right.FolderRank)
        return left.FolderRank < right.FolderRank ? -1 : 1;
    return CompareText(left.Name, right.Name);
}

int ComparePaths(const CPathKey &left, const CPathKey &right)
{
    const int folder = CompareText(left.Folder, right.Folder);
    return folder != 0 ? folder : CompareText(left.Name, right.Name);
}

int ComparePaths(const QString &left, const QString &right)
{
    return ComparePaths(CPathKey(left), CPathKey(right));
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
        std::vector<CPathKey> paths;
        paths.reserve(sorted.size());
        for (int row = 0; row < sorted.size(); ++row)
            paths.emplace_back(Results->FilePath(row));
        RankFolders(paths);
        std::sort(sorted.begin(), sorted.end(), [&paths, order](int left, int right) {
            const int compared = CompareRanked(paths[size_t(left)], paths[size_t(right)]);
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
    // Each new row's place is looked up (a path comparison makes two texts),
    // the rows in between are only copied.
    QVector<int> merged;
    merged.reserve(Order.size());
    auto from = Order.cbegin();
    const auto kept = Order.cbegin() + (Order.size() - added.size());
    for (int row : qAsConst(added)) {
        const auto at =
            std::upper_bound(from, kept, row, [this](int left, int right) { return Less(left, right); });
        std::copy(from, at, std::back_inserter(merged));
        merged.append(row);
        from = at;
    }
    std::copy(from, kept, std::back_inserter(merged));
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
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"));
}

Qt::DropActions CResultsOrder::supportedDragActions() const
{
    return Qt::CopyAction | Qt::LinkAction;
}
