// The worker: jobs run off the calling thread, their answers come back to a window as messages,
// a start never waits behind a check that hangs, and no answer is lost.
#include "widgets/base/worker.h"

#include <gtest/gtest.h>

#include <atomic>

#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr UINT kAnswer = WM_APP + 1;

class TestJob : public WorkerJob {
public:
    TestJob(HWND window, int id, HANDLE release, std::atomic<int>* deleted = nullptr)
        : Id(id), release_(release), deleted_(deleted) {
        Window = window;
        Message = kAnswer;
    }
    ~TestJob() override {
        if (deleted_) ++*deleted_;
    }
    void Run() override {
        if (release_) WaitForSingleObject(release_, INFINITE);  // a look-up that hangs
        Thread = GetCurrentThreadId();
    }

    const int Id;
    DWORD Thread = 0;

private:
    HANDLE release_;
    std::atomic<int>* deleted_;
};

// The id of the next answer to window within ms, or 0.
int NextAnswer(HWND window, DWORD ms = 5000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!PeekMessageW(&msg, window, kAnswer, kAnswer, PM_REMOVE)) {
        if (GetTickCount() - start > ms) return 0;
        Sleep(5);
    }
    auto job = Worker::Answer<TestJob>(msg.lParam);
    EXPECT_NE(job->Thread, GetCurrentThreadId());
    return job->Id;
}

TEST(Worker, StartsPassChecksThatHangAndComeInTheirOrderAndEveryAnswerComesBackOnce) {
    HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    UniqueKernelHandle check(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueKernelHandle start(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Worker& worker = Worker::Shared();
    worker.Post(std::make_unique<TestJob>(window, 1, check.get()), WorkerLane::Check);
    worker.Post(std::make_unique<TestJob>(window, 2, nullptr), WorkerLane::Check);
    EXPECT_EQ(NextAnswer(window, 300), 0) << "checks take their turns on one thread";
    // Starts, one of them hanging, pass the checks and one another, and begin in their order.
    worker.Post(std::make_unique<TestJob>(window, 3, start.get()), WorkerLane::Start);
    for (int id = 4; id <= 7; ++id)
        worker.Post(std::make_unique<TestJob>(window, id, nullptr), WorkerLane::Start);
    for (int id = 4; id <= 7; ++id) EXPECT_EQ(NextAnswer(window), id);
    worker.Post(std::make_unique<TestJob>(window, 8, nullptr), WorkerLane::Lookup);
    EXPECT_EQ(NextAnswer(window), 8);
    // The starts' idle threads take no check.
    worker.Post(std::make_unique<TestJob>(window, 9, nullptr), WorkerLane::Check);
    EXPECT_EQ(NextAnswer(window, 300), 0);
    SetEvent(check.get());
    EXPECT_EQ(NextAnswer(window), 1);
    EXPECT_EQ(NextAnswer(window), 2);
    EXPECT_EQ(NextAnswer(window), 9);
    SetEvent(start.get());
    EXPECT_EQ(NextAnswer(window), 3);
    EXPECT_EQ(NextAnswer(window, 100), 0);
    DestroyWindow(window);
}

// A window of the program's own, whose base frees the answers still on their way to it.
class AnswerWindow : public Window {
public:
    AnswerWindow() { Create(L"ZarvWorkerTest", L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE); }
};

TEST(Worker, AnAnswerForAWindowThatIsGoneIsFreed) {
    std::atomic<int> deleted{0};
    UniqueKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Worker& worker = Worker::Shared();
    {
        // Answered, and waiting in the queue when the window goes.
        AnswerWindow window;
        ASSERT_TRUE(window.hwnd());
        worker.Post(std::make_unique<TestJob>(window.hwnd(), 1, nullptr, &deleted),
                    WorkerLane::Lookup);
        MSG msg;
        const DWORD start = GetTickCount();
        while (!PeekMessageW(&msg, window.hwnd(), kAnswer, kAnswer, PM_NOREMOVE) &&
               GetTickCount() - start < 5000)
            Sleep(5);
        EXPECT_EQ(deleted, 0);
        // Still running when it goes.
        worker.Post(std::make_unique<TestJob>(window.hwnd(), 2, release.get(), &deleted),
                    WorkerLane::Lookup);
    }
    EXPECT_EQ(deleted, 1);
    SetEvent(release.get());
    const DWORD start = GetTickCount();
    while (deleted < 2 && GetTickCount() - start < 5000) Sleep(5);
    EXPECT_EQ(deleted, 2);
}

}  // namespace
}  // namespace zarv
