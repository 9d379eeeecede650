#ifndef LINTRA_FILEEXISTENCECHECK_H
#define LINTRA_FILEEXISTENCECHECK_H

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>

// Whether a file still exists, asked on a thread of its own: a file system
// that hangs (a dead network mount) never stops the caller's thread, and a
// thread stuck there is left behind. The answer comes back on the caller's
// thread, and only to the latest question: an answer that comes after the
// next question was asked, or after the check is gone, is dropped. What to
// do with the answer is the caller's business.
class CFileExistenceCheck : public QObject
{
public:
    explicit CFileExistenceCheck(QObject *parent = nullptr);

    // path: as the file system spells it. answer runs later, never within Ask().
    void Ask(const QByteArray &path, std::function<void(bool exists)> answer);

private:
    quint64 Asked = 0;
    // Where the threads post their answers; it outlives the check while one
    // of them still holds it.
    std::shared_ptr<QObject> Mailbox;
};

#endif
