// The worker: jobs run off the calling thread, their answers come back to a window as messages,
// and an urgent job never waits behind one that hangs.
#include "widgets/base/worker.h"

#include <gtest/gtest.h>

#include <atomic>

#include "widgets/base/handles.h"

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

TEST(Worker, AnUrgentJobPassesOneThatHangsAndEveryAnswerComesBackOnce) {
    HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    UniqueKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Worker& worker = Worker::Shared();
    worker.Post(std::make_unique<TestJob>(window, 1, release.get()));
    worker.Post(std::make_unique<TestJob>(window, 2, nullptr));
    EXPECT_EQ(NextAnswer(window, 300), 0) << "a background job waits its turn on the one thread";
    // An urgent job gets a thread of its own, which then takes the waiting ones too.
    worker.Post(std::make_unique<TestJob>(window, 3, nullptr), true);
    EXPECT_EQ(NextAnswer(window), 3);
    EXPECT_EQ(NextAnswer(window), 2);
    EXPECT_EQ(NextAnswer(window, 300), 0);
    SetEvent(release.get());
    EXPECT_EQ(NextAnswer(window), 1);
    EXPECT_EQ(NextAnswer(window, 100), 0);

    // An answer whose window is gone is dropped, and the job freed.
    std::atomic<int> deleted{0};
    ResetEvent(release.get());
    worker.Post(std::make_unique<TestJob>(window, 4, release.get(), &deleted));
    DestroyWindow(window);
    SetEvent(release.get());
    const DWORD start = GetTickCount();
    while (deleted == 0 && GetTickCount() - start < 5000) Sleep(5);
    EXPECT_EQ(deleted, 1);
}

}  // namespace
}  // namespace zarv
