#pragma once
// The tray menu `PopupMenu1`: the program's own commands.
#include <windows.h>

#include "widgets/base/handles.h"

namespace zarv {

class TTrayMenu {
public:
    // Command identifiers of the items.
    enum : UINT {
        Setting1 = 101,  // "ホットキーの設定(&H)"
        SCommad = 102,   // "コマンドの設定(&S)"
        Command = 104,   // "コマンド(&C)"
        AboutCmd = 106,  // "このプログラムについて"
        Exit1 = 107,     // "終了(&X)"
    };

    // The caption of Setting1, which the empty launcher menu shows too.
    static constexpr const wchar_t* kSetting1Caption = L"ホットキーの設定(&H)";

    TTrayMenu();
    HMENU handle() const { return menu_.get(); }
    // Shows the menu with its top-left corner at (x, y); commands go to owner as WM_COMMAND.
    void Popup(HWND owner, int x, int y) const;

private:
    UniqueMenu menu_;
};

}  // namespace zarv
