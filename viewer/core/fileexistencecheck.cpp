#include "viewer/core/fileexistencecheck.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <system_error>
#include <thread>

#include "platform/filesystem.h"

CFileExistenceCheck::CFileExistenceCheck(QObject *parent)
    : QObject(parent)
    , Mailbox(new QObject, [](QObject *mailbox) { mailbox->deleteLater(); })
{
}

void CFileExistenceCheck::Ask(const QByteArray &path, std::function<void(bool)> answer)
{
    const quint64 question = ++Asked;
    const QPointer<CFileExistenceCheck> self(this);
    const auto deliver = [self, question, answer](bool exists) {
        if (self && self->Asked == question)
            answer(exists);
    };
    try {
        std::thread([path, deliver, mailbox = Mailbox] {
            // By the name's bytes: a name that is not valid text is still found.
            const bool exists = PathExists(path);
            QMetaObject::invokeMethod(
                mailbox.get(), [deliver, exists] { deliver(exists); }, Qt::QueuedConnection);
        }).detach();
    } catch (const std::system_error &) {
        // No thread to ask on: the file is handed on, and what opens it says
        // whether it is gone.
        QMetaObject::invokeMethod(
            Mailbox.get(), [deliver] { deliver(true); }, Qt::QueuedConnection);
    }
}
