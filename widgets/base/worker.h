#pragma once
// The program's worker threads: what may wait on the file system of a path (a test whether a file
// exists, an icon, a start) runs here, never on the thread that answers the keys. A share whose
// server is away can hold a single look-up for half a minute.
//
// A job is posted with the window its answer goes to; it runs on a worker thread, and the job
// itself, with its answer filled in, comes back to that window as a posted message (wParam 0,
// lParam the job), where Worker::Answer takes it. Each job carries what its receiver needs to tell
// a stale answer (an entry's position and the list's generation, say); the receiver drops those.
//
// One thread takes the jobs in order. A job marked urgent (a start the user asked for) never waits
// behind a job that is running: when every thread is busy, another is made (up to a few), so a
// start that hangs on an absent server holds up nothing else. Threads are made when first needed,
// with a small stack, and stay for the life of the process; ending the program never waits for
// them.
#include <windows.h>

#include <memory>

namespace zarv {

class WorkerJob {
public:
    virtual ~WorkerJob() = default;
    // On a worker thread: the calls that may wait, their answer kept in the job. It touches no
    // window and nothing the window thread uses.
    virtual void Run() = 0;

    HWND Window = nullptr;  // where the answer goes
    UINT Message = 0;       // as which message
};

class Worker {
public:
    // The process's one worker, made on first use and never ended.
    static Worker& Shared();

    // Queues job; urgent jobs go before the others and never wait for a running one.
    void Post(std::unique_ptr<WorkerJob> job, bool urgent = false);

    // The job an answer message carries, now the receiver's.
    template <typename Job>
    static std::unique_ptr<Job> Answer(LPARAM lp) {
        return std::unique_ptr<Job>(static_cast<Job*>(reinterpret_cast<WorkerJob*>(lp)));
    }

private:
    Worker();
    struct Queue;
    static DWORD WINAPI ThreadMain(void* queue);
    Queue* queue_;
};

}  // namespace zarv
