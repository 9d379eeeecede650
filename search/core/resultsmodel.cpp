#include "search/core/resultsmodel.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <limits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

const qint64 CResultsModel::InvalidTime = std::numeric_limits<qint64>::min();

namespace {

// Size and modification time as QFileInfo gives them (links followed), from
// one status query.
void FileStatus(const QString &path, qint64 &size, qint64 &modified, qint64 invalidTime)
{
    size = 0;
    modified = invalidTime;
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return;
    size = qint64(status.st_size);
    modified = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return;
    size = info.size();
    modified = info.lastModified().toMSecsSinceEpoch();
#endif
}

} // namespace

CResultsModel::CResultsModel(bool backslashes, QObject *parent)
    : QAbstractTableModel(parent)
    , Backslashes(backslashes)
{
}

qint64 CResultsModel::KiloBytes(qint64 bytes)
{
    return qint64((bytes + 1023) * 0.0009765625);
}

void CResultsModel::SetHeaderLabels(const QStringList &labels)
{
    HeaderLabels = labels;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int CResultsModel::FolderIndex(const QString &folder)
{
    // A directory's rows come together: its folder is nearly always the last one.
    if (!Folders.isEmpty() && Folders.last() == folder)
        return Folders.size() - 1;
    Folders << folder;
    return Folders.size() - 1;
}

void CResultsModel::AppendRows(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const int first = Rows.size();
    beginInsertRows(QModelIndex(), first, first + paths.size() - 1);
    Rows.reserve(first + paths.size());
    for (const QString &path : paths) {
        CRow row;
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        QString folder = path.left(qMax(0, slash));
        if (Backslashes)
            folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
        row.Folder = slash < 0 ? -1 : FolderIndex(folder);
        row.Name = path.mid(slash + 1);
        FileStatus(path, row.Size, row.Modified, InvalidTime);
        Rows.append(row);
    }
    endInsertRows();
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

QString CResultsModel::CellText(const CRow &row, int column) const
{
    switch (column) {
    case 0:
        if (row.Folder < 0)
            return row.Name;
        return Folders.at(row.Folder) + (Backslashes ? QLatin1Char('\\') : QLatin1Char('/')) + row.Name;
    case 1:
        return QString::number(KiloBytes(row.Size));
    case 2:
        if (row.Modified == InvalidTime)
            return QString();
        return QDateTime::fromMSecsSinceEpoch(row.Modified).toString(Qt::TextDate);
    }
    return QString();
}

QString CResultsModel::FilePath(int row) const
{
    if (row < 0 || row >= Rows.size() || CellsCleared)
        return QString();
    return CellText(Rows.at(row), 0);
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
        // The path is shown as text even where it looks like markup.
        return QString(QStringLiteral("<font face=\"verdana\">") +
                       CellText(row, index.column()).toHtmlEscaped() + QStringLiteral("</font>"));
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
