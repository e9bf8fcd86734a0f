#include "settings/virual_keybord.h"

#include "core/key_picker.h"
#include "settings/entry_fields.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

constexpr int kClientWidth = 578;
constexpr int kClientHeight = 156;
constexpr int kFirstKeyId = 1000;  // key k has the control id kFirstKeyId + k
constexpr int kOkId = IDOK;
constexpr int kCancelId = IDCANCEL;

}  // namespace

std::optional<PickedKey> TVirualKeybord::Execute(HWND owner) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    if (!Create(L"TVirualKeybord", L"Keybord", style, exStyle, 0, 0, r.right - r.left,
                r.bottom - r.top, owner, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return std::nullopt;
    FormCreate();
    FormShow();
    done_ = false;
    RunModalLoop(hwnd(), owner, done_);
    DestroyWindow(hwnd());
    if (!confirmed_) return std::nullopt;
    return PickedKey{selectKeysText_, selectKeysTag_};
}

void TVirualKeybord::FormCreate() {
    font_.reset(CreateFormFont());
    LOGFONTW lf{};
    GetObjectW(font_.get(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&lf));
    HFONT font = static_cast<HFONT>(font_.get());
    const PickerKey* keys = PickerKeys();
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const PickerKey& key = keys[k];
        CreateControl(hwnd(), L"BUTTON", Utf8ToWide(key.Caption).c_str(),
                      WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT, key.Left, key.Top, key.Width,
                      key.Height, kFirstKeyId + static_cast<int>(k), font);
    }
    CreateControl(hwnd(), L"STATIC", L"", SS_ETCHEDHORZ, 1, 120, 576, 2, -1, font);  // Bevel1
    CreateEntryLabel(hwnd(), L"Select Key : ", 15, 133, font);                       // Label1
    SelectKeys = CreateControl(hwnd(), L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 83, 133,
                               200, 14, -1, static_cast<HFONT>(boldFont_.get()));
    const DWORD button = WS_TABSTOP | BS_FLAT;
    CreateControl(hwnd(), L"BUTTON", L"OK", button | BS_DEFPUSHBUTTON, 408, 128, 75, 25, kOkId,
                  font);  // Button14
    CreateControl(hwnd(), L"BUTTON", L"ｷｬﾝｾﾙ", button, 496, 128, 75, 25, kCancelId,
                  font);  // Button76
}

void TVirualKeybord::FormShow() {
    ShowAtPointer(hwnd());
    SetFocus(GetDlgItem(hwnd(), kOkId));
}

void TVirualKeybord::Button1Click(std::size_t key) {
    const PickerKey& picked = PickerKeys()[key];
    selectKeysText_ = Utf8ToWide(picked.Name);
    selectKeysTag_ = picked.Code;
    SetWindowTextW(SelectKeys, selectKeysText_.c_str());
}

void TVirualKeybord::Button14Click() {
    confirmed_ = true;
    done_ = true;
}

void TVirualKeybord::Button76Click() { done_ = true; }

LRESULT TVirualKeybord::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (id == kOkId) {
                Button14Click();
            } else if (id == kCancelId) {
                Button76Click();
            } else if (id >= kFirstKeyId && id < kFirstKeyId + static_cast<int>(kPickerKeyCount) &&
                       HIWORD(wp) == BN_CLICKED) {
                Button1Click(static_cast<std::size_t>(id - kFirstKeyId));
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:  // labels on the window colour; the chosen key's name in bold
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        case WM_CLOSE:
            Button76Click();
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
