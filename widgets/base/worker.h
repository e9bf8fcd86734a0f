#pragma once
// The program's worker threads: what may wait on the file system of a path (a test whether a file
// exists, an icon, a start) runs here, never on the thread that answers the keys. A share whose
// server is away can hold a single look-up for half a minute.
//
// A job is posted with the window its answer goes to; it runs on a worker thread, and the job
// itself, with its answer filled in, comes back to that window as a posted message (wParam
// kWorkerAnswer, lParam the job), where Worker::Answer takes it. Each job carries what its
// receiver needs to tell a stale answer (an entry's position and the list's generation, say); the
// receiver drops those. An answer for a window that has been destroyed is freed.
//
// The jobs go in lanes that share no thread, so that what the user waits for never waits behind
// what may hang:
// - Start: the starts the user asked for. A start that finds no idle thread of its lane gets a
//   new one, so a start that hangs on an absent server holds up no other.
// - Check: the tests and pictures of the entries; one thread, in order.
// - Lookup: what the command bar shows while the user types (folder listings, the programs);
//   one thread, in order.
// Each lane takes its jobs in the order they were posted. Threads are made when needed and end
// after a few seconds without work; ending the program never waits for them. Every thread runs in
// a single-threaded COM apartment, as the shell's calls (a start, an icon, a folder) want.
#include <windows.h>

#include <memory>

namespace zarv {

enum class WorkerLane { Start, Check, Lookup };

// The wParam of every answer message.
constexpr WPARAM kWorkerAnswer = 0x5A52;

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

    // Queues job at the end of its lane.
    void Post(std::unique_ptr<WorkerJob> job, WorkerLane lane = WorkerLane::Check);

    // The job an answer message carries, now the receiver's.
    template <typename Job>
    static std::unique_ptr<Job> Answer(LPARAM lp) {
        return std::unique_ptr<Job>(static_cast<Job*>(reinterpret_cast<WorkerJob*>(lp)));
    }

    // Called as window is destroyed (the window base does it for every window): the answers
    // already posted to it, and those that come later, are freed.
    static void WindowGone(HWND window);

private:
    Worker();
    struct Lane;
    struct Queue;
    static DWORD WINAPI ThreadMain(void* lane);
    Queue* queue_;
};

}  // namespace zarv
