#include "widgets/base/worker.h"

#include "widgets/base/files.h"

#include <vector>

namespace zarv {

namespace {

// Enough for the shell's calls (a start, an icon); the system commits only what is used.
constexpr SIZE_T kStackBytes = 256 * 1024;
// A start that hangs takes a thread with it; beyond this many, urgent jobs wait their turn.
constexpr int kMaxThreads = 4;

}  // namespace

struct Worker::Queue {
    SRWLOCK lock = SRWLOCK_INIT;
    // Wakes idle threads. They wait on a kernel object rather than a condition variable: under
    // Wine a thread waiting on one waits in the server, which then gives it the work that other
    // programs send into the process (a thread a screen reader or debugger creates here). With
    // no thread waiting there, Wine breaks into a busy thread with a signal, and one that breaks
    // in while the window thread allocates memory deadlocks it.
    HANDLE ready = CreateSemaphoreW(nullptr, 0, MAXLONG, nullptr);
    // Taking from the front moves only pointers: cheap for the hundreds of jobs a list gives.
    std::vector<WorkerJob*> jobs;
    int threads = 0;
    int idle = 0;   // threads waiting for a job
    int woken = 0;  // of them, those the semaphore lets go: a post wakes no more than are idle
};

Worker& Worker::Shared() {
    // Like the system's thread pool it lives as long as the process: a thread may still be
    // waiting on a path when the program ends, and must find its queue.
    static Worker* const worker = new Worker();
    return *worker;
}

Worker::Worker() : queue_(new Queue()) {}

void Worker::Post(std::unique_ptr<WorkerJob> job, bool urgent) {
    bool newThread = false;
    AcquireSRWLockExclusive(&queue_->lock);
    if (urgent) {
        queue_->jobs.insert(queue_->jobs.begin(), job.release());
    } else {
        queue_->jobs.push_back(job.release());
    }
    // Background jobs share the one thread; an urgent one gets a thread of its own when no idle
    // thread is left to take it (more jobs wait than threads do), so that it does not wait for a
    // look-up that hangs.
    const bool wanted = queue_->threads == 0 ||
                        (urgent && queue_->jobs.size() > static_cast<std::size_t>(queue_->idle));
    if (wanted && queue_->threads < kMaxThreads) {
        ++queue_->threads;
        newThread = true;
    }
    // A thread that is busy takes the next job without a wake-up; the posts of a whole list
    // cost no call into the system while the thread works.
    const bool wake = queue_->idle > queue_->woken;
    if (wake) ++queue_->woken;
    ReleaseSRWLockExclusive(&queue_->lock);
    if (wake) ReleaseSemaphore(queue_->ready, 1, nullptr);
    if (newThread) {
        HANDLE thread = CreateThread(nullptr, kStackBytes, &Worker::ThreadMain, queue_,
                                     STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (thread) {
            CloseHandle(thread);
        } else {
            AcquireSRWLockExclusive(&queue_->lock);
            --queue_->threads;
            ReleaseSRWLockExclusive(&queue_->lock);
        }
    }
}

DWORD WINAPI Worker::ThreadMain(void* param) {
    auto* queue = static_cast<Queue*>(param);
    QuietFileTestsOnThisThread();
    for (;;) {
        AcquireSRWLockExclusive(&queue->lock);
        while (queue->jobs.empty()) {
            ++queue->idle;
            ReleaseSRWLockExclusive(&queue->lock);
            // Without its semaphore (no handle was left) the thread looks at the queue now and
            // then.
            const bool woken = WaitForSingleObject(queue->ready, INFINITE) == WAIT_OBJECT_0;
            if (!woken) Sleep(50);
            AcquireSRWLockExclusive(&queue->lock);
            --queue->idle;
            if (woken) --queue->woken;
        }
        WorkerJob* job = queue->jobs.front();
        queue->jobs.erase(queue->jobs.begin());
        ReleaseSRWLockExclusive(&queue->lock);
        job->Run();
        // A window that is gone takes no answer.
        if (!PostMessageW(job->Window, job->Message, 0, reinterpret_cast<LPARAM>(job))) delete job;
    }
}

}  // namespace zarv
