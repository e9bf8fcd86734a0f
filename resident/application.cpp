#include "resident/application.h"

namespace zarv {

bool TApplication::Initialize(const wchar_t* title) {
    // Never shown; a tool window so that even a shell that lists every top-level window skips it.
    return Create(L"TApplication", title, WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr,
                  LoadIconW(AppInstance(), L"MAINICON"));
}

LRESULT TApplication::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A close request to the application (a task manager's "end task", say) closes the main
    // window the usual way, so that its hot keys and tables are released as on exit.
    if (msg == WM_CLOSE && mainForm_ && IsWindow(mainForm_)) {
        PostMessageW(mainForm_, WM_CLOSE, 0, 0);
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
