#include "search/core/resultsmodel.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const qint64 CResultsModel::InvalidTime = std::numeric_limits<qint64>::min();
const qint64 CResultsModel::NotReadTime = std::numeric_limits<qint64>::min() + 1;

CResultsModel::CResultsModel(bool backslashes, QObject *parent)
    : QAbstractTableModel(parent)
    , Backslashes(backslashes)
{
}

CResultsModel::~CResultsModel()
{
#ifdef Q_OS_UNIX
    if (StatusFolderDescriptor >= 0)
        ::close(StatusFolderDescriptor);
#endif
}

// Size and modification time as QFileInfo gives them (links followed), from
// one status query.
void CResultsModel::ReadStatus(const CRow &row) const
{
    if (row.Modified != NotReadTime)
        return;
    row.Size = 0;
    row.Modified = InvalidTime;
    // The path as added, whatever the separators shown.
    QString folder = row.Folder < 0 ? QString() : Folders.at(row.Folder);
    if (Backslashes)
        folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = row.Folder < 0 ? row.Name : folder + QLatin1Char('/') + row.Name;
#ifdef Q_OS_UNIX
    // The rows of one folder are usually seen together: each is looked up by its name alone.
    if (row.Folder >= 0 && row.Folder != StatusFolder) {
        if (StatusFolderDescriptor >= 0)
            ::close(StatusFolderDescriptor);
        StatusFolder = row.Folder;
        const QString opened = folder.isEmpty() ? QStringLiteral("/") : folder;
        StatusFolderDescriptor =
            ::open(QFile::encodeName(opened).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    struct stat status;
    const int result =
        row.Folder >= 0 && StatusFolderDescriptor >= 0
            ? ::fstatat(StatusFolderDescriptor, QFile::encodeName(row.Name).constData(), &status, 0)
            : ::stat(QFile::encodeName(path).constData(), &status);
    if (result != 0)
        return;
    row.Size = qint64(status.st_size);
    row.Modified = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return;
    row.Size = info.size();
    row.Modified = info.lastModified().toMSecsSinceEpoch();
#endif
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
    for (const QString &path : paths) {
        CRow row;
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        QString folder = path.left(qMax(0, slash));
        if (Backslashes)
            folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
        row.Folder = slash < 0 ? -1 : FolderIndex(folder);
        row.Name = path.mid(slash + 1);
        row.Size = 0;
        row.Modified = NotReadTime;
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
#ifdef Q_OS_UNIX
    if (StatusFolderDescriptor >= 0)
        ::close(StatusFolderDescriptor);
#endif
    StatusFolderDescriptor = -1;
    StatusFolder = -1;
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
        ReadStatus(row);
        return QString::number(KiloBytes(row.Size));
    case 2:
        ReadStatus(row);
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

int CResultsModel::FilePathLength(int row) const
{
    if (row < 0 || row >= Rows.size() || CellsCleared)
        return 0;
    const CRow &r = Rows.at(row);
    return r.Folder < 0 ? r.Name.size() : Folders.at(r.Folder).size() + 1 + r.Name.size();
}

qint64 CResultsModel::FileSize(int row) const
{
    const CRow &r = Rows.at(row);
    ReadStatus(r);
    return r.Size;
}

qint64 CResultsModel::FileModified(int row) const
{
    const CRow &r = Rows.at(row);
    ReadStatus(r);
    return r.Modified;
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
