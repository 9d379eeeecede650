#ifndef LINTRA_RESULTSORDER_H
#define LINTRA_RESULTSORDER_H

#include <QAbstractProxyModel>
#include <QVector>

class CResultsModel;

// The order in which the results table shows the results: the order the
// search found them in (the walk's), or sorted by path, size or date, up or
// down. Rows that arrive while sorted take their places at once. Sorting
// compares the values the results hold (never asks the file system); a new
// search (the results emptied) brings back the walk's order.
//
// It also hands rows to drag and drop: the files' URLs and their paths as text.
class CResultsOrder : public QAbstractProxyModel
{
public:
    explicit CResultsOrder(CResultsModel *results, QObject *parent = nullptr);

    // column -1: the walk's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int SortColumn() const { return Column; }
    // The results' row shown at row, -1 for none.
    int ResultRow(int row) const;

    QModelIndex mapToSource(const QModelIndex &index) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    // A file's address from its path's bytes: no name is misspelt, whatever
    // bytes it holds.
    static QUrl FileUrl(const QByteArray &path);

private:
    bool Less(int left, int right) const;
    void SortedInsert(int first, int last);
    void Reorder(const QVector<int> &order);
    void ForwardDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                            const QVector<int> &roles);

    CResultsModel *Results;
    int Column = -1;
    Qt::SortOrder Direction = Qt::AscendingOrder;
    QVector<int> Order;    // results' row per shown row; empty in the walk's order
    QVector<int> Position; // shown row per results' row
};

#endif
