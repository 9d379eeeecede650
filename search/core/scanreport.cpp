#include "search/core/scanreport.h"

CScanReport::~CScanReport() = default;

bool CScanReport::Cancelled()
{
    return false;
}

void CScanReport::DirectoryReached(const QDir &, int) {}

void CScanReport::FileExamined() {}

void CScanReport::Found(const QStringList &) {}

CCancelQuery::CCancelQuery(std::function<bool()> cancelled)
    : IsCancelled(std::move(cancelled))
{
}

bool CCancelQuery::Cancelled()
{
    return IsCancelled && IsCancelled();
}
