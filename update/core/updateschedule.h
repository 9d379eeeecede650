#ifndef LINTRA_UPDATESCHEDULE_H
#define LINTRA_UPDATESCHEDULE_H

#include <QDateTime>

// Whether an update check is due: a manual check always is; an automatic one
// when it was never made, when the clock has gone back past the last check,
// or when at least intervalDays whole days (of 86400 s) have passed since it.
bool IsUpdateCheckDue(bool manual, const QDateTime &now, const QDateTime &lastCheck, int intervalDays);

#endif
