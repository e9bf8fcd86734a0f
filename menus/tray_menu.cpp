#include "menus/tray_menu.h"

#include "widgets/base/window.h"

namespace zarv {

TTrayMenu::TTrayMenu() : menu_(CreatePopupMenu()) {
    HMENU m = menu_.get();
    AppendMenuW(m, MF_STRING, Setting1, kSetting1Caption);
    AppendMenuW(m, MF_STRING, SCommad, L"コマンドの設定(&S)");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);  // N2
    AppendMenuW(m, MF_STRING, Command, L"コマンド(&C)");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);  // N1
    AppendMenuW(m, MF_STRING, AboutCmd, L"このプログラムについて");
    AppendMenuW(m, MF_STRING, Exit1, L"終了(&X)");
}

void TTrayMenu::Popup(HWND owner, int x, int y) const { PopupMenuAt(menu_.get(), owner, x, y); }

}  // namespace zarv
