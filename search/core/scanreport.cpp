#include "search/core/scanreport.h"

#include <QFile>

QString PathText(const QByteArray &path)
{
    return QFile::decodeName(path);
}

QByteArray JoinedPath(const QByteArray &folder, const QByteArray &name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

CScanReport::~CScanReport() = default;

bool CScanReport::Cancelled()
{
    return false;
}

void CScanReport::DirectoryReached(const QDir &, int) {}

void CScanReport::FileExamined() {}

void CScanReport::FoundFiles(const CFoundFiles &files)
{
    QStringList paths;
    paths.reserve(files.size());
    for (const CFoundFile &file : files)
        paths << PathText(file.Path);
    Found(paths);
}

void CScanReport::Found(const QStringList &) {}

void CScanReport::Unreadable(const CUnreadEntry &) {}

void CScanReport::OutOfResources(int) {}

CCancelQuery::CCancelQuery(std::function<bool()> cancelled)
    : IsCancelled(std::move(cancelled))
{
}

bool CCancelQuery::Cancelled()
{
    return IsCancelled && IsCancelled();
}
