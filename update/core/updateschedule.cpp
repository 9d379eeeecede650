#include "update/core/updateschedule.h"

bool IsUpdateCheckDue(bool manual, const QDateTime &now, const QDateTime &lastCheck, int intervalDays)
{
    if (manual)
        return true;
    // secsTo gives 0 for an invalid (never stored) time, so a first start checks at once.
    const qint64 elapsed = lastCheck.secsTo(now);
    if (elapsed <= 0)
        return true;
    return elapsed >= qint64(intervalDays) * 86400;
}
