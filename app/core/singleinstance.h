#ifndef LINTRA_SINGLEINSTANCE_H
#define LINTRA_SINGLEINSTANCE_H

class QSharedMemory;

// Claims the one-byte segment that marks a running instance; the segment's
// key is the installation identifier, so one instance runs per settings
// store. Returns false when a running instance holds the segment. The
// caller keeps the QSharedMemory alive for the whole run; destroying it
// releases the claim. Telling the user is the caller's business.
bool ClaimSingleInstance(QSharedMemory &segment);

#endif
