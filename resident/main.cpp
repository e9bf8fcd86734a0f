// Program entry: the single-instance guard, the resident window and the message loop.
#include <windows.h>
#include <shellapi.h>

#include "resident/application.h"
#include "resident/zarv_main.h"
#include "widgets/base/files.h"
#include "widgets/base/handles.h"

namespace {

// Only the first argument counts, and only when it is exactly "/DEBUG".
// DLLs that load later, by us or by the system on our behalf, come from the system folder only,
// never from the program's own folder, where the user (or a download) may have put anything.
// Systems without the call (Windows 7 before its update KB2533623) keep their usual search; the
// program's own on-demand loads name the system folder themselves (resident/delay_resolve.c).
void RestrictDllSearch() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(kSearchSystem32);
}

bool FirstArgumentIsDebug() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool debug = argv && argc > 1 && lstrcmpW(argv[1], L"/DEBUG") == 0;
    if (argv) LocalFree(argv);
    return debug;
}

// The running copy's own mark for the user's session: a named mutex that it holds for its whole
// life. Unlike the resident window, it exists from the first moment on, so of two copies started
// together only one takes it. A copy that ended without letting it go (killed, crashed) leaves it
// abandoned, and the next start takes it as free.
class InstanceLock {
public:
    enum class Result { Taken, Held, Unknown };

    Result Take() {
        mutex_.reset(CreateMutexW(nullptr, FALSE, L"Local\\ZARV.TZarv_main"));
        if (!mutex_)  // denied: a copy with other rights (elevated, say) made it
            return GetLastError() == ERROR_ACCESS_DENIED ? Result::Held : Result::Unknown;
        switch (WaitForSingleObject(mutex_.get(), 0)) {
            case WAIT_OBJECT_0:
            case WAIT_ABANDONED:
                owned_ = true;
                return Result::Taken;
            case WAIT_TIMEOUT:
                mutex_.reset();  // a refused copy keeps nothing open
                return Result::Held;
            default:
                return Result::Unknown;
        }
    }
    // Lets the mutex go (a refused copy that took it, because only a window was found).
    void Drop() {
        if (owned_) ReleaseMutex(mutex_.get());
        owned_ = false;
        mutex_.reset();
    }
    ~InstanceLock() { Drop(); }

private:
    zarv::UniqueKernelHandle mutex_;
    bool owned_ = false;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A test of a file on a drive without a medium (a card reader, a DVD drive) fails quietly
    // instead of stopping on the system's "no disk" box: on this thread alone, so that the
    // process keeps the default mode that whatever it starts, directly or by the shell, inherits.
    zarv::QuietFileTestsOnThisThread();
    zarv::AskFileSystemViewOnce();
    RestrictDllSearch();
    // The common controls load with the first window that uses them (EnsureCommonControls).
    bool debug = FirstArgumentIsDebug();
    // "/DEBUG" neither looks for another copy nor leaves a mark that would refuse a later one.
    // When the mutex cannot tell, the window lookup alone decides.
    InstanceLock lock;
    if (!debug &&
        (lock.Take() == InstanceLock::Result::Held || FindWindowW(L"TZarv_main", nullptr))) {
        lock.Drop();
        MessageBoxW(nullptr, L"すでに起動されています。", L"警告", MB_OK | MB_ICONERROR);
        return 0;
    }

    zarv::TApplication application;
    if (!application.Initialize(L"ZARV")) return 1;
    zarv::TZarv_main main(debug, application.hwnd());
    zarv::Zarv_main = &main;
    if (!main.CreateResident()) return 1;
    application.SetMainForm(main.hwnd());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    zarv::Zarv_main = nullptr;
    return 0;
}
