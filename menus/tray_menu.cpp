#include "menus/tray_menu.h"

namespace zarv {

TTrayMenu::TTrayMenu() : menu_(CreatePopupMenu()) {
    HMENU m = menu_.get();
    AppendMenuW(m, MF_STRING, Setting1, L"ホットキーの設定(&H)");
    AppendMenuW(m, MF_STRING, SCommad, L"コマンドの設定(&S)");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);  // N2
    AppendMenuW(m, MF_STRING, Command, L"コマンド(&C)");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);  // N1
    AppendMenuW(m, MF_STRING, AboutCmd, L"このプログラムについて");
    AppendMenuW(m, MF_STRING, Exit1, L"終了(&X)");
}

void TTrayMenu::Popup(HWND owner, int x, int y) const {
    // See TLauncherMenu::Popup for the foreground window and the WM_NULL.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                   nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace zarv
