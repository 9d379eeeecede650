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
// Size and time are read (never by opening the file) the first time the
// view asks for either, which is when the row is first seen, and kept: a
// search that adds a hundred thousand rows asks the file system for the few
// that are shown, as a listing of names would.
class CResultsModel : public QAbstractTableModel
{
public:
    // backslashes: paths are shown with "\" for every "/".
    explicit CResultsModel(bool backslashes, QObject *parent = nullptr);
    ~CResultsModel() override;

    void SetHeaderLabels(const QStringList &labels);
    // One row per path, in list order, after the last row.
    void AppendRows(const QStringList &paths);
    // No rows at all.
    void RemoveAllRows();
    // The rows stay, every cell shows nothing.
    void ClearCells();

    // The Filename cell's text; empty for a cleared cell or a row that does not exist.
    QString FilePath(int row) const;
    // Its length in characters, without making it.
    int FilePathLength(int row) const;
    // What the size and date columns show, as numbers to sort by: bytes, and
    // ms since the epoch (the least qint64 when unknown).
    qint64 FileSize(int row) const;
    qint64 FileModified(int row) const;

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
        mutable qint64 Size;
        mutable qint64 Modified; // ms since the epoch; InvalidTime when unknown, NotReadTime before
    };
    static const qint64 InvalidTime;
    static const qint64 NotReadTime;

    QString CellText(const CRow &row, int column) const;
    int FolderIndex(const QString &folder);
    void ReadStatus(const CRow &row) const;

    bool Backslashes;
    QStringList HeaderLabels;
    QStringList Folders; // as shown
    QVector<CRow> Rows;
    bool CellsCleared = false;
    // The folder of the last row added, open, so that each of its files is
    // looked up by name alone.
    mutable int StatusFolder = -1;
    mutable int StatusFolderDescriptor = -1;
};

#endif
