#pragma once
// Has a window told when the user's session is unlocked (WM_WTSSESSION_CHANGE). wtsapi32 is
// loaded from the system folder only when the watch starts: a program whose keys all work never
// needs it.
#include <windows.h>

namespace zarv {

class SessionWatch {
public:
    SessionWatch() = default;
    SessionWatch(const SessionWatch&) = delete;
    SessionWatch& operator=(const SessionWatch&) = delete;
    ~SessionWatch() { Stop(); }

    // Starts telling window; a watch already started stays as it is.
    void Start(HWND window);
    // Ends the telling (while the window still exists) and lets the library go.
    void Stop();

private:
    HMODULE library_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace zarv
