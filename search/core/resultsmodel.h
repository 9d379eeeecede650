#ifndef LINTRA_RESULTSMODEL_H
#define LINTRA_RESULTSMODEL_H

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

#include "search/core/foundfile.h"

// The rows of the results table: one per matching file, with its path, size
// in KB and last-modification time in three columns. A row keeps only what it
// needs to answer for its cells (its folder, once per folder, its name, the
// size and the time, as the search read them when it examined the file);
// texts, tool-tips and alignments are made when the view asks for them, so a
// row costs little more than the file name it shows, and showing a row never
// asks the file system. Paths are kept as the file system spells them: a
// name that is not valid in the local encoding is shown with U+FFFD where a
// byte does not decode, and a line break in a name with a visible mark.
class CResultsModel : public QAbstractTableModel
{
public:
    // backslashes: paths are shown with "\" for every "/".
    explicit CResultsModel(bool backslashes, QObject *parent = nullptr);
    ~CResultsModel() override;

    void SetHeaderLabels(const QStringList &labels);
    // One row per file, in list order, after the last row.
    void AppendRows(const CFoundFiles &files);
    // The same for paths that no search examined: their size and time are read now.
    void AppendRows(const QStringList &paths);
    // No rows at all.
    void RemoveAllRows();
    // The rows stay, every cell shows nothing.
    void ClearCells();

    // The row's path as text (line breaks as they are); empty for a cleared
    // cell or a row that does not exist.
    QString FilePath(int row) const;
    // The same as the file system spells it, for opening the file or
    // handing it to another program.
    QByteArray FilePathBytes(int row) const;
    // Bytes, -1 when unknown.
    qint64 FileSize(int row) const;
    // Ms since the epoch, CFoundFile::UnknownTime when unknown.
    qint64 FileModified(int row) const;
    // The length of the path, without making it.
    int FilePathLength(int row) const;

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
        QByteArray Name;
        qint64 Size;
        qint64 Modified;
    };
    friend class QTypeInfo<CRow>;

    QString CellText(const CRow &row, int column) const;
    QByteArray RowPath(const CRow &row) const;
    // The folder of path, its first length bytes.
    int FolderIndex(const QByteArray &path, int length);

    bool Backslashes;
    QStringList HeaderLabels;
    QVector<QByteArray> Folders;
    QVector<CRow> Rows;
    bool CellsCleared = false;
};
Q_DECLARE_TYPEINFO(CResultsModel::CRow, Q_MOVABLE_TYPE);

#endif
