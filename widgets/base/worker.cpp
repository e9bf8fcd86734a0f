#include "widgets/base/worker.h"

#include <objbase.h>

#include <vector>

#include "widgets/base/files.h"

namespace zarv {

namespace {

// A thread without work for this long ends: under Wine each thread costs about 1 MB of private
// memory while it lives. Long enough for a burst of keys or of checks to share their threads.
constexpr DWORD kIdleMs = 4000;
// A start that hangs takes a thread with it; beyond this many, starts wait their turn.
constexpr int kMaxStartThreads = 16;
// Windows just destroyed, whose late answers are freed rather than posted.
constexpr std::size_t kGoneWindows = 16;

}  // namespace

struct Worker::Lane {
    Queue* queue = nullptr;
    int maxThreads = 1;
    // Wakes idle threads. They wait on a kernel object rather than a condition variable: under
    // Wine a thread waiting on one waits in the server, which then gives it the work that other
    // programs send into the process (a thread a screen reader or debugger creates here). With
    // no thread waiting there, Wine breaks into a busy thread with a signal, and one that breaks
    // in while the window thread allocates memory deadlocks it.
    HANDLE ready = CreateSemaphoreW(nullptr, 0, MAXLONG, nullptr);
    // Taken from the front; that moves only pointers, cheap for the hundreds of jobs a list gives.
    std::vector<WorkerJob*> jobs;
    int threads = 0;
    int idle = 0;   // threads waiting for a job
    int woken = 0;  // releases of the semaphore not yet taken: a post wakes no more than are idle
};

struct Worker::Queue {
    // One lock for the lanes and the answers: a post and a thread's turn hold it for a moment.
    SRWLOCK lock = SRWLOCK_INIT;
    Lane lanes[3];
    std::vector<HWND> gone;
};

Worker& Worker::Shared() {
    // Like the system's thread pool it lives as long as the process: a thread may still be
    // waiting on a path when the program ends, and must find its queue.
    static Worker* const worker = new Worker();
    return *worker;
}

Worker::Worker() : queue_(new Queue()) {
    for (Lane& lane : queue_->lanes) lane.queue = queue_;
    queue_->lanes[static_cast<int>(WorkerLane::Start)].maxThreads = kMaxStartThreads;
}

void Worker::Post(std::unique_ptr<WorkerJob> job, WorkerLane which) {
    Lane& lane = queue_->lanes[static_cast<int>(which)];
    bool wake = false;
    bool newThread = false;
    AcquireSRWLockExclusive(&queue_->lock);
    lane.jobs.push_back(job.release());
    // An idle thread takes it; else a new one where the lane allows one more; else a busy thread
    // takes it when its job is done, without a wake-up (the posts of a whole list cost no call
    // into the system while the thread works).
    if (lane.ready && lane.idle > lane.woken) {
        ++lane.woken;
        wake = true;
    } else if (lane.threads < lane.maxThreads) {
        ++lane.threads;
        newThread = true;
    }
    ReleaseSRWLockExclusive(&queue_->lock);
    if (wake) ReleaseSemaphore(lane.ready, 1, nullptr);
    if (newThread) {
        // The default stack: a shell start or icon may run the shell's extensions.
        HANDLE thread = CreateThread(nullptr, 0, &Worker::ThreadMain, &lane, 0, nullptr);
        if (thread) {
            CloseHandle(thread);
        } else {
            AcquireSRWLockExclusive(&queue_->lock);
            --lane.threads;
            ReleaseSRWLockExclusive(&queue_->lock);
        }
    }
}

void Worker::WindowGone(HWND window) {
    Queue& queue = *Shared().queue_;
    AcquireSRWLockExclusive(&queue.lock);
    if (queue.gone.size() == kGoneWindows) queue.gone.erase(queue.gone.begin());
    queue.gone.push_back(window);
    ReleaseSRWLockExclusive(&queue.lock);
    // No answer is posted to it from now on: those already in the queue are taken out and freed
    // (the system would drop them with the window, and the jobs with them).
    MSG msg;
    while (PeekMessageW(&msg, window, WM_APP, 0xBFFF, PM_REMOVE | PM_NOYIELD)) {
        // The end of the message loop comes out whatever the filter: it is put back.
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.wParam == kWorkerAnswer) delete reinterpret_cast<WorkerJob*>(msg.lParam);
    }
}

DWORD WINAPI Worker::ThreadMain(void* param) {
    Lane& lane = *static_cast<Lane*>(param);
    Queue& queue = *lane.queue;
    QuietFileTestsOnThisThread();
    // The shell's calls want a single-threaded apartment on the thread that makes them.
    const bool com =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    AcquireSRWLockExclusive(&queue.lock);
    for (;;) {
        while (lane.jobs.empty()) {
            ++lane.idle;
            ReleaseSRWLockExclusive(&queue.lock);
            DWORD waited = WAIT_TIMEOUT;
            if (lane.ready) {
                waited = WaitForSingleObject(lane.ready, kIdleMs);
            } else {
                Sleep(50);  // no semaphore could be had: the thread looks now and then
            }
            AcquireSRWLockExclusive(&queue.lock);
            --lane.idle;
            if (waited == WAIT_OBJECT_0) {
                --lane.woken;
                continue;
            }
            // Timed out. A wake-up meant for an idle thread that no other idle thread will take
            // is this one's.
            if (lane.woken > lane.idle && WaitForSingleObject(lane.ready, 0) == WAIT_OBJECT_0) {
                --lane.woken;
                continue;
            }
            if (lane.jobs.empty()) {
                --lane.threads;
                ReleaseSRWLockExclusive(&queue.lock);
                if (com) CoUninitialize();
                return 0;
            }
        }
        WorkerJob* job = lane.jobs.front();
        lane.jobs.erase(lane.jobs.begin());
        ReleaseSRWLockExclusive(&queue.lock);
        job->Run();
        AcquireSRWLockExclusive(&queue.lock);
        // A window that is gone takes no answer. Posted under the lock, so that no answer slips
        // in while a window that is being destroyed takes its answers out.
        bool gone = false;
        for (HWND window : queue.gone) gone = gone || window == job->Window;
        if (gone ||
            !PostMessageW(job->Window, job->Message, kWorkerAnswer, reinterpret_cast<LPARAM>(job)))
            delete job;
    }
}

}  // namespace zarv
