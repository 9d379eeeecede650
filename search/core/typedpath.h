#ifndef LINTRA_TYPEDPATH_H
#define LINTRA_TYPEDPATH_H

#include <QString>

#include <functional>

// A folder as a user types it into the directory box, made a path: a
// leading "~" or "~/" is the home folder, and $NAME or ${NAME} is the
// variable's value where it is set (left as typed where it is not).
// variable: the value of an environment variable, null when it is not set.
QString ExpandedTypedPath(const QString &typed, const QString &home,
                          const std::function<QString(const QString &name)> &variable);

#endif
