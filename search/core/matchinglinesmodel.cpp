#include "search/core/matchinglinesmodel.h"

#include <QLocale>

#include <algorithm>

#include "search/core/resultsorder.h"

CMatchingLinesModel::CMatchingLinesModel(CResultsOrder *order, QObject *parent)
    : QAbstractProxyModel(parent)
    , Order(order)
{
    setSourceModel(order);
    ConnectOrder();
}

// Rows of the order arrive at its end, go all at once, or move together.
void CMatchingLinesModel::ConnectOrder()
{
    connect(Order, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) {
                const int at = first < Order->rowCount() ? ViewRow(first) : rowCount();
                beginInsertRows(QModelIndex(), at, at + last - first);
            });
    connect(Order, &QAbstractItemModel::rowsInserted, this, [this] {
        Rebuild();
        endInsertRows();
    });
    connect(Order, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(Order, &QAbstractItemModel::modelReset, this, [this] {
        for (const CFile &file : qAsConst(Files))
            emit LinesUnwanted(file.Request);
        Files.clear();
        Requests.clear();
        Rebuild();
        endResetModel();
    });
    connect(Order, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] {
        emit layoutAboutToBeChanged(QList<QPersistentModelIndex>(), QAbstractItemModel::VerticalSortHint);
        SavedIndexes = persistentIndexList();
        SavedPlaces.clear();
        for (const QModelIndex &index : qAsConst(SavedIndexes))
            SavedPlaces.append(Locate(index.row()));
    });
    connect(Order, &QAbstractItemModel::layoutChanged, this, [this] {
        Rebuild();
        QModelIndexList moved;
        for (int i = 0; i < SavedIndexes.size(); ++i) {
            const CPlace &place = SavedPlaces.at(i);
            const QModelIndex file = Order->mapFromSource(Order->sourceModel()->index(place.ResultRow, 0));
            moved << (file.isValid()
                          ? index(ViewRow(file.row()) + place.Child + 1, SavedIndexes.at(i).column())
                          : QModelIndex());
        }
        changePersistentIndexList(SavedIndexes, moved);
        SavedIndexes.clear();
        emit layoutChanged(QList<QPersistentModelIndex>(), QAbstractItemModel::VerticalSortHint);
    });
    connect(Order, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &, const QModelIndex &) {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
    connect(Order, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
}

// The unfolded files in the order's rows; few unless all were unfolded.
void CMatchingLinesModel::Rebuild()
{
    Entries.clear();
    for (auto file = Files.cbegin(); file != Files.cend(); ++file) {
        const QModelIndex shown = Order->mapFromSource(Order->sourceModel()->index(file.key(), 0));
        if (shown.isValid())
            Entries.append({shown.row(), file.key(), 0});
    }
    std::sort(Entries.begin(), Entries.end(),
              [](const CEntry &a, const CEntry &b) { return a.FileRow < b.FileRow; });
    Recount();
}

// Only the number of a file's child rows changed: the order's rows stay.
void CMatchingLinesModel::Recount()
{
    AllChildren = 0;
    for (CEntry &entry : Entries) {
        entry.Before = AllChildren;
        AllChildren += Files.value(entry.ResultRow).Children();
    }
}

CMatchingLinesModel::CPlace CMatchingLinesModel::Locate(int row) const
{
    CPlace place;
    if (row < 0 || row >= rowCount())
        return place;
    // The last unfolded file shown at or above the row.
    const auto after = std::upper_bound(Entries.cbegin(), Entries.cend(), row,
                                        [](int r, const CEntry &e) { return r < e.FileRow + e.Before; });
    if (after == Entries.cbegin()) {
        place.FileRow = row;
    } else {
        const CEntry &entry = *(after - 1);
        const int start = entry.FileRow + entry.Before;
        const int children = Files.value(entry.ResultRow).Children();
        if (row <= start + children) {
            place.FileRow = entry.FileRow;
            place.Child = row - start - 1;
        } else {
            place.FileRow = row - entry.Before - children;
        }
    }
    place.ResultRow = Order->ResultRow(place.FileRow);
    return place;
}

int CMatchingLinesModel::ViewRow(int fileRow) const
{
    const auto at = std::lower_bound(Entries.cbegin(), Entries.cend(), fileRow,
                                     [](const CEntry &e, int r) { return e.FileRow < r; });
    return fileRow + (at == Entries.cend() ? AllChildren : at->Before);
}

int CMatchingLinesModel::FileRow(int row) const
{
    return Locate(row).FileRow;
}

CMatchingLinesModel::TEnumRowKind CMatchingLinesModel::RowKind(int row) const
{
    const CPlace place = Locate(row);
    if (place.Child < 0)
        return FileRowKind;
    return place.Child < Files.value(place.ResultRow).Lines.size() ? LineRowKind : MoreRowKind;
}

const CMatchingLine *CMatchingLinesModel::Line(int row) const
{
    const CPlace place = Locate(row);
    const auto file = Files.constFind(place.ResultRow);
    if (place.Child < 0 || file == Files.cend() || place.Child >= file->Lines.size())
        return nullptr;
    return &file->Lines.at(place.Child);
}

void CMatchingLinesModel::SetFoldable(bool foldable)
{
    Foldable = foldable;
    if (!foldable) {
        const QList<int> unfolded = Files.keys();
        for (const int resultRow : unfolded)
            Fold(resultRow);
    }
}

bool CMatchingLinesModel::IsUnfolded(int fileRow) const
{
    return Files.contains(Order->ResultRow(fileRow));
}

void CMatchingLinesModel::SetUnfolded(int fileRow, bool unfolded)
{
    const int resultRow = Order->ResultRow(fileRow);
    if (resultRow < 0 || unfolded == Files.contains(resultRow) || (unfolded && !Foldable))
        return;
    if (!unfolded) {
        Fold(resultRow);
        return;
    }
    CFile file;
    file.Request = ++LastRequest;
    Files.insert(resultRow, file);
    Requests.insert(file.Request, resultRow);
    Rebuild();
    emit dataChanged(index(ViewRow(fileRow), 0), index(ViewRow(fileRow), 0));
    emit LinesWanted(file.Request, fileRow);
}

// One rebuild for all rows: thousands of rows unfold at once.
void CMatchingLinesModel::UnfoldAll()
{
    if (!Foldable)
        return;
    QVector<QPair<quint64, int>> wanted;
    for (int fileRow = 0; fileRow < Order->rowCount(); ++fileRow) {
        const int resultRow = Order->ResultRow(fileRow);
        if (Files.contains(resultRow))
            continue;
        CFile file;
        file.Request = ++LastRequest;
        Files.insert(resultRow, file);
        Requests.insert(file.Request, resultRow);
        wanted.append({file.Request, fileRow});
    }
    Rebuild();
    if (!wanted.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
    for (const auto &request : qAsConst(wanted))
        emit LinesWanted(request.first, request.second);
}

void CMatchingLinesModel::Fold(int resultRow)
{
    const CFile file = Files.value(resultRow);
    const int fileRow = Order->mapFromSource(Order->sourceModel()->index(resultRow, 0)).row();
    const int first = ViewRow(fileRow) + 1;
    if (file.Children() > 0)
        beginRemoveRows(QModelIndex(), first, first + file.Children() - 1);
    Files.remove(resultRow);
    Requests.remove(file.Request);
    Rebuild();
    if (file.Children() > 0)
        endRemoveRows();
    emit dataChanged(index(first - 1, 0), index(first - 1, 0));
    emit LinesUnwanted(file.Request);
}

int CMatchingLinesModel::ResultRowOf(quint64 request) const
{
    return Requests.value(request, -1);
}

// New rows go after the file's last child row.
void CMatchingLinesModel::InsertChildren(int resultRow, int count, const std::function<void(CFile &)> &change)
{
    const int fileRow = Order->mapFromSource(Order->sourceModel()->index(resultRow, 0)).row();
    const int at = ViewRow(fileRow) + 1 + Files.value(resultRow).Children();
    beginInsertRows(QModelIndex(), at, at + count - 1);
    change(Files[resultRow]);
    Recount();
    endInsertRows();
}

void CMatchingLinesModel::AddLines(quint64 request, const CMatchingLineList &lines)
{
    const int resultRow = ResultRowOf(request);
    if (resultRow < 0 || lines.isEmpty())
        return;
    InsertChildren(resultRow, lines.size(), [&lines](CFile &file) { file.Lines += lines; });
}

void CMatchingLinesModel::FinishLines(quint64 request, qint64 more)
{
    const int resultRow = ResultRowOf(request);
    if (resultRow < 0 || more <= 0)
        return;
    InsertChildren(resultRow, 1, [more](CFile &file) { file.More = more; });
}

QModelIndex CMatchingLinesModel::mapToSource(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    const CPlace place = Locate(index.row());
    return place.Child < 0 ? Order->index(place.FileRow, index.column()) : QModelIndex();
}

QModelIndex CMatchingLinesModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    return sourceIndex.isValid() ? index(ViewRow(sourceIndex.row()), sourceIndex.column()) : QModelIndex();
}

QModelIndex CMatchingLinesModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex CMatchingLinesModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int CMatchingLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Order->rowCount() + AllChildren;
}

int CMatchingLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Order->columnCount();
}

QString CMatchingLinesModel::LineText(const CMatchingLine &line) const
{
    return QLocale().toString(line.Number) + QStringLiteral(": ") + line.Text;
}

// A line row's text is its first cell's; the delegate draws it across the row.
QVariant CMatchingLinesModel::data(const QModelIndex &index, int role) const
{
    const CPlace place = Locate(index.row());
    if (place.Child < 0)
        return QAbstractProxyModel::data(index, role);
    if (index.column() != 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const CFile file = Files.value(place.ResultRow);
    if (place.Child < file.Lines.size())
        return LineText(file.Lines.at(place.Child));
    return tr("and %1 more").arg(QLocale().toString(file.More));
}

QVariant CMatchingLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return Order->headerData(section, orientation, role);
}

Qt::ItemFlags CMatchingLinesModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const QModelIndex source = mapToSource(index);
    return source.isValid() ? Order->flags(source) : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void CMatchingLinesModel::sort(int column, Qt::SortOrder order)
{
    Order->sort(column, order);
}

QStringList CMatchingLinesModel::mimeTypes() const
{
    return Order->mimeTypes();
}

// Only file rows are dragged; their lines go with nothing.
QMimeData *CMatchingLinesModel::mimeData(const QModelIndexList &indexes) const
{
    QModelIndexList files;
    for (const QModelIndex &index : indexes) {
        const QModelIndex source = mapToSource(index);
        if (source.isValid())
            files << source;
    }
    return Order->mimeData(files);
}

Qt::DropActions CMatchingLinesModel::supportedDragActions() const
{
    return Order->supportedDragActions();
}
