#include "settings/entry_fields.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <iterator>
#include <utility>

#include "core/data_file.h"
#include "core/entry_text.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr UINT_PTR kFieldSubclass = 1;
constexpr WPARAM kEscape = 27;
constexpr wchar_t kAltAlone[] = L"ZarvAltAlone";

LRESULT CALLBACK FieldProc(HWND field, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* handler = reinterpret_cast<FieldKeyHandler*>(ref);
    switch (msg) {
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(field, msg, wp, lp);
            const auto* m = reinterpret_cast<const MSG*>(lp);
            if (m && m->message == WM_KEYDOWN && (wp == VK_RETURN || wp == VK_ESCAPE))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Bit 30: the key was already down (an auto-repeat).
            if (wp == VK_MENU) {
                // Alt counts once it is released with no other key in between (a bare Alt),
                // so that Alt+Tab, Alt+Down or an access key never opens a chooser.
                if (!(lp & (1L << 30))) SetPropW(field, kAltAlone, reinterpret_cast<HANDLE>(1));
                break;
            }
            RemovePropW(field, kAltAlone);
            if (handler->FieldKeyDown(field, wp)) return 0;
            break;
        case WM_SYSKEYUP:
        case WM_KEYUP:
            // Taken here, the release does not also enter the window's menu mode, which would
            // start a menu loop in the middle of the chooser it opened.
            if (wp == VK_MENU && RemovePropW(field, kAltAlone) && handler->FieldKeyDown(field, wp))
                return 0;
            break;
        case WM_KILLFOCUS:
            RemovePropW(field, kAltAlone);
            break;
        case WM_CHAR:
            // The characters of Enter and Escape would only make the field beep.
            if (wp == L'\r' || wp == L'\n' || wp == kEscape) return 0;
            break;
        case WM_NCDESTROY:
            RemovePropW(field, kAltAlone);
            RemoveWindowSubclass(field, &FieldProc, kFieldSubclass);
            break;
    }
    return DefSubclassProc(field, msg, wp, lp);
}

std::wstring FitMessage(const wchar_t* name, FieldFit fit) {
    std::wstring text = L"[";
    text += name;
    if (fit == FieldFit::Unrepresentable) {
        text += L"]に、このシステムの文字コードで保存できない文字が含まれています。";
    } else {
        text += L"]が長すぎます。半角" + DecimalText(kMaxStoredBytes) + L"文字（全角" +
                DecimalText(kMaxStoredBytes / 2) + L"文字）以内にしてください。";
    }
    return text;
}

FieldFit FitOf(const std::wstring& text, std::string& bytes) {
    bool exact = WideToAnsiExact(text, bytes);
    return CheckFieldFit(bytes, exact);
}

// Runs a box and gives the focus back to the control that had it: the dialogs are plain windows,
// and a plain window that becomes active again keeps the focus itself.
int RunBox(HWND dialog, const wchar_t* text, const wchar_t* caption, UINT type) {
    HWND focus = GetFocus();
    int answer = MessageBoxW(dialog, text, caption, type);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return answer;
}

}  // namespace

std::wstring FieldText(HWND control) {
    int n = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(control, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

void HookFieldKeys(HWND field, FieldKeyHandler& handler) {
    SetWindowSubclass(field, &FieldProc, kFieldSubclass, reinterpret_cast<DWORD_PTR>(&handler));
}

bool FocusKeeper::Activate(HWND dialog, WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) last_ = focus;
        return false;
    }
    if (!last_ || !IsWindow(last_) || !IsChild(dialog, last_)) return false;
    SetFocus(last_);
    return true;
}

bool ChooseFileInto(HWND dialog, HWND fileField) {
    // Opens in the folder of the file already given, where there is one. Under WOW64 the
    // system folder is opened through "Sysnative", so that it shows the 64-bit programs (the
    // file system is never switched to another view around the dialog), and a file chosen
    // there is written under the system folder's own name.
    std::wstring folder = FileSystemPath(WorkDirOfFile(FieldText(fileField)));
    wchar_t path[MAX_PATH * 4] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFile = path;
    ofn.nMaxFile = static_cast<DWORD>(std::size(path));
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The program's current folder stays where it is.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    bool chosen = GetOpenFileNameW(&ofn) != FALSE;
    if (chosen) SetWindowTextW(fileField, WrittenPath(path).c_str());
    SetFocus(fileField);
    return chosen;
}

void DropFileInto(HWND dialog, HDROP drop, HWND fileField, HWND folderField,
                  const wchar_t* fileName) {
    UINT n = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(static_cast<size_t>(n) + 1, L'\0');
    n = n ? DragQueryFileW(drop, 0, path.data(), n + 1) : 0;
    path.resize(n);
    DragFinish(drop);
    if (path.empty()) return;
    std::string bytes;
    FieldFit fit = FitOf(path, bytes);
    if (fit != FieldFit::Fits) {
        ShowMessage(dialog, FitMessage(fileName, fit));
        return;
    }
    SetWindowTextW(fileField, path.c_str());
    if (Confirm(dialog, L"作業フォルダを設定しますか？"))
        SetWindowTextW(folderField, WorkDirOfFile(path).c_str());
}

void ShowMessage(HWND dialog, const std::wstring& text) {
    RunBox(dialog, text.c_str(), L"ZARV", MB_OK);
}

void ShowFieldMessage(HWND dialog, HWND field, const std::wstring& text) {
    ShowMessage(dialog, text);
    if (!IsWindowEnabled(field)) return;
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

// The confirmation box's buttons read the same on a system of any language: the hook renames
// them when the box is about to be activated.
namespace {

HHOOK boxHook = nullptr;

LRESULT CALLBACK NameBoxButtons(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wp);
        SetDlgItemTextW(box, IDYES, L"はい(&Y)");
        SetDlgItemTextW(box, IDNO, L"いいえ(&N)");
        UnhookWindowsHookEx(std::exchange(boxHook, nullptr));
        return 0;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

bool Confirm(HWND dialog, const wchar_t* question) {
    boxHook = SetWindowsHookExW(WH_CBT, &NameBoxButtons, nullptr, GetCurrentThreadId());
    const int answer = RunBox(dialog, question, L"確認", MB_YESNO | MB_ICONQUESTION);
    if (boxHook) UnhookWindowsHookEx(std::exchange(boxHook, nullptr));
    return answer == IDYES;
}

bool TakeFieldText(HWND dialog, HWND field, const wchar_t* name, std::string& bytes) {
    FieldFit fit = FitOf(FieldText(field), bytes);
    if (fit == FieldFit::Fits) return true;
    ShowFieldMessage(dialog, field, FitMessage(name, fit));
    return false;
}

}  // namespace zarv
