#ifndef LINTRA_FOLDEROPENER_H
#define LINTRA_FOLDEROPENER_H

#include <QByteArray>
#include <QString>

#include <functional>

class QObject;
class QProcess;

// Opens the folder that holds a file in the desktop's file manager, never in
// this program itself. Each platform implements it in its own source, picked
// by the build (nixfolderopener.cpp).
//
// `onDisk` is the file's path as the file system spells it (a name need be
// no text), `shownPath` as the user sees it. Returns at once; the file manager is started with `process`,
// which is not waited on. When nothing on the machine can show folders, `noFileManager` runs instead (at
// once, or later on the thread of `context` and only while it lives).
void OpenFolderOfFile(QProcess &process, const QString &shownPath, const QByteArray &onDisk, QObject *context,
                      const std::function<void()> &noFileManager);

#endif
