#include "resident/folder_lister.h"

#include "widgets/base/files.h"

namespace zarv {
namespace {

// What a job holds: its own copies, never the window's objects, which may be gone by the time a
// slow drive answers (a window that is gone refuses the post, and the answer is dropped).
struct Job {
    HWND window;
    std::wstring folder;
};

DWORD WINAPI RunJob(void* param) {
    const std::unique_ptr<Job> job(static_cast<Job*>(param));
    auto answer = std::make_unique<FolderAnswer>();
    answer->folder = job->folder;
    answer->entries = FolderEntries(job->folder);
    if (PostMessageW(job->window, TFolderLister::kFolderListedMessage, 0,
                     reinterpret_cast<LPARAM>(answer.get())))
        answer.release();
    return 0;
}

}  // namespace

void TFolderLister::ListFolder(const std::wstring& folder) {
    auto job = std::make_unique<Job>(Job{window_, folder});
    // A look-up may wait long on its drive: the pool gives it a thread that may block.
    if (QueueUserWorkItem(&RunJob, job.get(), WT_EXECUTELONGFUNCTION)) job.release();
}

}  // namespace zarv
