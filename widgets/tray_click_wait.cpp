// The wait of a single click on the tray icon: a short-lived thread that sleeps for the
// double-click interval and hands its end back to the callback window.
#include "widgets/tray_icon.h"

namespace zarv {

namespace {

struct ClickWait {
    HWND callbackWindow;
    unsigned sequence;
    unsigned waitId;
};

DWORD WINAPI ClickWaitThread(void* param) {
    ClickWait wait = *static_cast<ClickWait*>(param);
    delete static_cast<ClickWait*>(param);
    Sleep(GetDoubleClickTime() + 50);
    PostMessageW(wait.callbackWindow, kClickWaitEndedMessage, wait.sequence, wait.waitId);
    return 0;
}

}  // namespace

bool TSingleClick::Start(HWND callbackWindow, unsigned sequence, unsigned waitId) {
    // The thread only sleeps: a small stack, so that it costs next to no memory.
    constexpr SIZE_T kStack = 64 * 1024;
    auto* wait = new ClickWait{callbackWindow, sequence, waitId};
    HANDLE thread = CreateThread(nullptr, kStack, ClickWaitThread, wait,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        delete wait;
        return false;
    }
    CloseHandle(thread);
    return true;
}

}  // namespace zarv
