// The key boxes of the hotkey entry dialog from the keyboard, as drop-down lists.
#include "settings/set_key_form.h"

#include <commctrl.h>

namespace zarv {

// The three boxes change only by picking from their lists (or, for KList2, the key picker):
// typed text never reaches them. As in a drop-down list, a typed letter or digit picks the next
// item that begins with it; with the list open, Enter takes the highlighted item and Escape
// closes the list on the choice the box had before, and the dialog stays open for both.
LRESULT CALLBACK TSetKey_Form::KeyBoxEdit(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR ref) {
    auto* self = reinterpret_cast<TSetKey_Form*>(ref);
    HWND box = GetParent(edit);
    const auto closesList = [box](WPARAM key) {
        return (key == VK_RETURN || key == VK_ESCAPE) &&
               SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != 0;
    };
    switch (msg) {
        case WM_GETDLGCODE: {
            // Otherwise the dialog takes them as OK and Cancel.
            const auto* m = reinterpret_cast<const MSG*>(lp);
            LRESULT code = DefSubclassProc(edit, msg, wp, lp);
            if (m && m->message == WM_KEYDOWN && closesList(m->wParam)) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (wp == VK_DELETE) return 0;
            if (closesList(wp)) {
                self->CloseList(box, wp == VK_RETURN);
                return 0;
            }
            break;
        case WM_CHAR:
            if (IsCharAlphaNumericW(static_cast<wchar_t>(wp)))
                self->PickByInitial(box, static_cast<wchar_t>(wp));
            return 0;
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case WM_IME_CHAR:
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, &TSetKey_Form::KeyBoxEdit, 1);
            break;
    }
    return DefSubclassProc(edit, msg, wp, lp);
}

void TSetKey_Form::PickByInitial(HWND box, wchar_t initial) {
    // The search starts after the current item and wraps, so the same letter again goes on to
    // the next item that begins with it.
    const LRESULT current = SendMessageW(box, CB_GETCURSEL, 0, 0);
    const wchar_t prefix[2] = {initial, L'\0'};
    const LRESULT found = SendMessageW(box, CB_FINDSTRING, static_cast<WPARAM>(current),
                                       reinterpret_cast<LPARAM>(prefix));
    if (found < 0 || found == current) return;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    KList1Change(box);
}

void TSetKey_Form::ListOpened(HWND box) {
    // The choice the box has as its list opens, which Escape gives back.
    beforeList_ = {box,
                   static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0)),
                   FieldText(box),
                   FieldText(Edit1),
                   kList1Tag_,
                   kList2Tag_,
                   fListTag_};
}

void TSetKey_Form::CloseList(HWND box, bool take) {
    const auto picked = static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
    SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    if (take) {
        if (picked < 0) return;
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(picked), 0);
        KList1Change(box);
        return;
    }
    if (beforeList_.box != box) return;
    // A key from the picker has no row in the list: its text comes back on its own.
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(beforeList_.row), 0);
    SetWindowTextW(box, beforeList_.text.c_str());
    if (box == FList) SetWindowTextW(Edit1, beforeList_.title.c_str());
    kList1Tag_ = beforeList_.kList1Tag;
    kList2Tag_ = beforeList_.kList2Tag;
    fListTag_ = beforeList_.fListTag;
    UpdateKeyNote();
}

}  // namespace zarv
