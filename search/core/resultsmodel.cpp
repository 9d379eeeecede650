#include "search/core/resultsmodel.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstring>

CResultsModel::CResultsModel(bool backslashes, QObject *parent)
    : QAbstractTableModel(parent)
    , Backslashes(backslashes)
{
}

CResultsModel::~CResultsModel() = default;

qint64 CResultsModel::KiloBytes(qint64 bytes)
{
    return qint64((bytes + 1023) * 0.0009765625);
}

void CResultsModel::SetHeaderLabels(const QStringList &labels)
{
    HeaderLabels = labels;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int CResultsModel::FolderIndex(const QByteArray &path, int length)
{
    // A directory's rows come together: its folder is nearly always the last one.
    if (!Folders.isEmpty() && Folders.last().size() == length &&
        std::memcmp(Folders.last().constData(), path.constData(), size_t(length)) == 0)
        return Folders.size() - 1;
    Folders << path.left(length);
    return Folders.size() - 1;
}

void CResultsModel::AppendRows(const CFoundFiles &files)
{
    if (files.isEmpty())
        return;
    const int first = Rows.size();
    beginInsertRows(QModelIndex(), first, first + files.size() - 1);
    for (const CFoundFile &file : files) {
        CRow row;
        const int slash = file.Path.lastIndexOf('/');
        row.Folder = slash < 0 ? -1 : FolderIndex(file.Path, qMax(0, slash));
        row.Name = file.Path.mid(slash + 1);
        row.Size = file.Size;
        row.Modified = file.Modified;
        Rows.append(row);
    }
    endInsertRows();
}

void CResultsModel::AppendRows(const QStringList &paths)
{
    CFoundFiles files;
    for (const QString &path : paths) {
        CFoundFile file;
        file.Path = QFile::encodeName(path);
        const QFileInfo info(path);
        if (info.exists()) {
            file.Size = info.size();
            file.Modified = info.lastModified().toMSecsSinceEpoch();
        }
        files << file;
    }
    AppendRows(files);
}

void CResultsModel::RemoveAllRows()
{
    beginResetModel();
    Rows.clear();
    Rows.squeeze();
    Folders.clear();
    CellsCleared = false;
    endResetModel();
}

void CResultsModel::ClearCells()
{
    CellsCleared = true;
    if (!Rows.isEmpty())
        emit dataChanged(index(0, 0), index(Rows.size() - 1, columnCount() - 1));
}

QByteArray CResultsModel::RowPath(const CRow &row) const
{
    if (row.Folder < 0)
        return row.Name;
    const QByteArray &folder = Folders.at(row.Folder);
    return (folder.isEmpty() ? QByteArray() : folder) + '/' + row.Name;
}

QString CResultsModel::CellText(const CRow &row, int column) const
{
    switch (column) {
    case 0: {
        QString text = PathText(RowPath(row));
        if (Backslashes)
            text.replace(QLatin1Char('/'), QLatin1Char('\\'));
        // A line break would cut the cell's text: shown as a mark.
        text.replace(QLatin1Char('\n'), QChar(0x23CE));
        return text;
    }
    case 1:
        return row.Size < 0 ? QString() : QString::number(KiloBytes(row.Size));
    case 2:
        if (row.Modified == CFoundFile::UnknownTime)
            return QString();
        return QDateTime::fromMSecsSinceEpoch(row.Modified).toString(Qt::TextDate);
    }
    return QString();
}

QString CResultsModel::FilePath(int row) const
{
    if (row < 0 || row >= Rows.size() || CellsCleared)
        return QString();
    QString text = PathText(RowPath(Rows.at(row)));
    if (Backslashes)
        text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return text;
}

QByteArray CResultsModel::FilePathBytes(int row) const
{
    if (row < 0 || row >= Rows.size() || CellsCleared)
        return QByteArray();
    return RowPath(Rows.at(row));
}

qint64 CResultsModel::FileSize(int row) const
{
    return row < 0 || row >= Rows.size() ? -1 : Rows.at(row).Size;
}

qint64 CResultsModel::FileModified(int row) const
{
    return row < 0 || row >= Rows.size() ? CFoundFile::UnknownTime : Rows.at(row).Modified;
}

int CResultsModel::FilePathLength(int row) const
{
    if (row < 0 || row >= Rows.size() || CellsCleared)
        return 0;
    const CRow &r = Rows.at(row);
    return r.Folder < 0 ? r.Name.size() : Folders.at(r.Folder).size() + 1 + r.Name.size();
}

int CResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Rows.size();
}

int CResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= Rows.size() || CellsCleared)
        return QVariant();
    const CRow &row = Rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return CellText(row, index.column());
    case Qt::ToolTipRole:
        // The whole path on every cell of the row, as text even where it looks like markup.
        return QString(QStringLiteral("<font face=\"verdana\">") + CellText(row, 0).toHtmlEscaped() +
                       QStringLiteral("</font>"));
    case Qt::TextAlignmentRole:
        if (index.column() == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return QVariant();
}

QVariant CResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return HeaderLabels.value(section, QString::number(section + 1));
        if (role == Qt::TextAlignmentRole && section == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CResultsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}
