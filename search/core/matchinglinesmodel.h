#ifndef LINTRA_MATCHINGLINESMODEL_H
#define LINTRA_MATCHINGLINESMODEL_H

#include <QAbstractProxyModel>
#include <QHash>
#include <QVector>

#include "search/core/matchinglines.h"

class CResultsOrder;

// The results table's rows with the matching lines of the unfolded files
// below their rows: each file row of the order is a row here, followed, when
// unfolded, by one row per listed line and an "and N more" row. Line rows
// have no cells of their own to sort or drag; they follow their file when
// the order changes. It knows nothing of files: it asks for a file's lines
// (LinesWanted) and is handed them as they are found.
class CMatchingLinesModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    enum TEnumRowKind
    {
        FileRowKind,
        LineRowKind,
        MoreRowKind
    };

    explicit CMatchingLinesModel(CResultsOrder *order, QObject *parent = nullptr);

    // Whether rows unfold at all: only the results of a full-text search have lines.
    void SetFoldable(bool foldable);
    bool IsFoldable() const { return Foldable; }

    TEnumRowKind RowKind(int row) const;
    // The order's row of the file a row belongs to, -1 for none.
    int FileRow(int row) const;
    // The row showing the order's file row.
    int ViewRow(int fileRow) const;
    // The line a line row lists, null for other rows.
    const CMatchingLine *Line(int row) const;
    bool IsUnfolded(int fileRow) const;
    void SetUnfolded(int fileRow, bool unfolded);
    // Every file row unfolded.
    void UnfoldAll();

    // Answers to LinesWanted.
    void AddLines(quint64 request, const CMatchingLineList &lines);
    void FinishLines(quint64 request, qint64 more);

    QModelIndex mapToSource(const QModelIndex &index) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    // A file row was unfolded: its lines are to be found, under this request.
    void LinesWanted(quint64 request, int fileRow);
    // They are no longer needed (folded, or the results were emptied).
    void LinesUnwanted(quint64 request);

private:
    // An unfolded file, by its row in the results.
    struct CFile
    {
        quint64 Request = 0;
        CMatchingLineList Lines;
        qint64 More = 0;
        int Children() const { return Lines.size() + (More > 0 ? 1 : 0); }
    };
    // The unfolded files in the order's rows, with the child rows above each.
    struct CEntry
    {
        int FileRow;
        int ResultRow;
        int Before;
    };
    struct CPlace
    {
        int FileRow = -1;
        int ResultRow = -1;
        int Child = -1; // -1: the file's own row
    };

    void ConnectOrder();
    void Rebuild();
    void Recount();
    CPlace Locate(int row) const;
    int ResultRowOf(quint64 request) const;
    void InsertChildren(int resultRow, int count, const std::function<void(CFile &)> &change);
    void Fold(int resultRow);
    QString LineText(const CMatchingLine &line) const;

    CResultsOrder *Order;
    bool Foldable = false;
    quint64 LastRequest = 0;
    QHash<int, CFile> Files;
    QHash<quint64, int> Requests; // the results' row of each request
    QVector<CEntry> Entries;
    int AllChildren = 0;
    // Across a change of the order: the persistent rows as results' rows.
    QVector<CPlace> SavedPlaces;
    QModelIndexList SavedIndexes;
};

#endif
