#ifndef LINTRA_SINGLEINSTANCE_H
#define LINTRA_SINGLEINSTANCE_H

#include <QString>
#include <QtGlobal>

// One running instance per user. The running instance holds a lock in the
// user's private runtime folder for its whole run; the lock goes with the
// process, however it ends, so a killed instance never locks the user out.
// Claiming is one atomic step of the system: of any number of programs
// started at once, exactly one gets it. Nothing here depends on the settings
// store, which may be unwritable.
//
// Each platform implements this file in its own source, chosen by the build
// (nixplatform.cpp).
class CInstanceLock
{
public:
    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock &) = delete;
    CInstanceLock &operator=(const CInstanceLock &) = delete;

    // True when this process now is the one instance (also when it already
    // was); false while another process holds the lock in that folder, or
    // when the lock cannot be made there at all.
    bool Claim(const QString &runtimeDirectory);
    void Release();

private:
    qintptr Handle = -1;
};

// The folder, only this user's, that holds the lock and the running
// instance's socket: "lintra" in $XDG_RUNTIME_DIR, else (unset, or not a
// private folder of this user's) a folder of this user's in the temporary
// folder. Made with access for the user alone; a folder of that name that is
// a link, belongs to someone else or is open to others is refused. Empty,
// with the reason in *problem, when no such folder can be had.
QString PrivateRuntimeDirectory(QString *problem = nullptr);

// Whether the process at the other end of a connected local socket runs as
// this process's user.
bool PeerIsSameUser(qintptr socketDescriptor);

#endif
