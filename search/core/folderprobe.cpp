#include "search/core/folderprobe.h"

#include <QFileInfo>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Shared with the thread, which may outlive the caller.
struct CProbeAnswer
{
    std::mutex Lock;
    std::condition_variable Answered;
    bool Done = false;
    bool Folder = false;
};

} // namespace

bool FolderAnswersWithin(const QString &path, int milliseconds)
{
    if (path.isEmpty())
        return false;
    auto answer = std::make_shared<CProbeAnswer>();
    try {
        std::thread([answer, path] {
            const bool folder = QFileInfo(path).isDir();
            std::lock_guard<std::mutex> lock(answer->Lock);
            answer->Done = true;
            answer->Folder = folder;
            answer->Answered.notify_all();
        }).detach();
    } catch (const std::system_error &) {
        return false; // no thread to ask on: not asked here either
    }
    std::unique_lock<std::mutex> lock(answer->Lock);
    answer->Answered.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&answer] { return answer->Done; });
    return answer->Done && answer->Folder;
}
