#ifndef LINTRA_RESULTSMODEL_H
#define LINTRA_RESULTSMODEL_H

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The rows of the results table: one per matching file, with its path, size
// in KB and last-modification time in three columns. A row keeps only what it
// needs to answer for its cells (its folder, once per folder, its name, the
// size and the time); texts, tool-tips and alignments are made when the view
// asks for them, so a row costs little more than the file name it shows.
// Size and time are taken when the row is added, as a listing would show
// them then; the file is never opened.
class CResultsModel : public QAbstractTableModel
{
public:
    // backslashes: paths are shown with "\" for every "/".
    explicit CResultsModel(bool backslashes, QObject *parent = nullptr);

    void SetHeaderLabels(const QStringList &labels);
    // One row per path, in list order, after the last row.
    void AppendRows(const QStringList &paths);
    // No rows at all.
    void RemoveAllRows();
    // The rows stay, every cell shows nothing.
    void ClearCells();

    // The Filename cell's text; empty for a cleared cell or a row that does not exist.
    QString FilePath(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The size column's number: the size in KB, rounded up.
    static qint64 KiloBytes(qint64 bytes);

private:
    struct CRow
    {
        int Folder; // index in Folders, -1 for a path without one
        QString Name;
        qint64 Size;
        qint64 Modified; // ms since the epoch; InvalidTime when unknown
    };
    static const qint64 InvalidTime;

    QString CellText(const CRow &row, int column) const;
    int FolderIndex(const QString &folder);

    bool Backslashes;
    QStringList HeaderLabels;
    QStringList Folders; // as shown
    QVector<CRow> Rows;
    bool CellsCleared = false;
};

#endif
