#include "resident/application.h"

namespace zarv {

bool TApplication::Initialize(const wchar_t* title) {
    // Never shown; a tool window so that even a shell that lists every top-level window skips it.
    return Create(L"TApplication", title, WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr,
                  LoadIconW(AppInstance(), L"MAINICON"));
}

}  // namespace zarv
