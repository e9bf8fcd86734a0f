#include "resident/session_watch.h"

#include "widgets/base/system_library.h"

namespace zarv {
namespace {

// A function of the library, by name.
template <typename Function>
Function Find(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

void SessionWatch::Start(HWND window) {
    if (library_) return;
    library_ = zarv_load_system_library("wtsapi32.dll");
    if (!library_) return;
    constexpr DWORD kThisSession = 0;  // NOTIFY_FOR_THIS_SESSION
    if (auto start = Find<BOOL(WINAPI*)(HWND, DWORD)>(library_, "WTSRegisterSessionNotification");
        start && start(window, kThisSession))
        window_ = window;
}

void SessionWatch::Stop() {
    if (!library_) return;
    if (auto stop = Find<BOOL(WINAPI*)(HWND)>(library_, "WTSUnRegisterSessionNotification");
        stop && window_)
        stop(window_);
    FreeLibrary(library_);
    library_ = nullptr;
    window_ = nullptr;
}

}  // namespace zarv
