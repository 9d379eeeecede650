#ifndef LINTRA_FOLDERPROBE_H
#define LINTRA_FOLDERPROBE_H

#include <QString>

// Whether the path is a folder that answers within the time: asked on a
// thread of its own, so that a dead network mount never holds the caller,
// which gets false after the time; a thread stuck there is left behind.
bool FolderAnswersWithin(const QString &path, int milliseconds);

#endif
