#include "settings/virual_keybord.h"

#include "core/key_picker.h"
#include "settings/control_ids.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

using key_picker::kFirstKeyId;
constexpr int kOkId = IDOK;
constexpr int kCancelId = IDCANCEL;
constexpr int kSelectKeysId = 999;

const FormFrame kFrame{L"TVirualKeybord",
                       L"Keybord",
                       578,
                       156,
                       true,
                       kDialogStyle,
                       kDialogExStyle,
                       FormPlace::AtPointer,
                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)};

// The keys' buttons come first (from the keyboard's table), then these.
const FormControl kControls[] = {
    {ControlKind::Static, -1, 1, 120, 576, 2, L"", SS_ETCHEDHORZ},  // Bevel1
    {ControlKind::Label, -1, 15, 133, 0, 0, L"Select Key : ", 0},   // Label1
    {ControlKind::Static, kSelectKeysId, 83, 133, 200, 14, L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    {ControlKind::Button, kOkId, 408, 128, 75, 25, L"OK", BS_DEFPUSHBUTTON},  // Button14
    {ControlKind::Button, kCancelId, 496, 128, 75, 25, L"ｷｬﾝｾﾙ", 0},          // Button76
};

}  // namespace

TVirualKeybord::TVirualKeybord(ModalCounter* counter) : Form(kFrame, counter) {}

std::optional<PickedKey> TVirualKeybord::Execute(HWND owner) {
    confirmed_ = false;
    if (!RunModal(owner, nullptr, 0) || !confirmed_) return std::nullopt;
    return PickedKey{selectKeysText_, selectKeysTag_};
}

void TVirualKeybord::FormCreate() {
    const PickerKey* keys = PickerKeys();
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const PickerKey& key = keys[k];
        const std::wstring caption = Utf8ToWide(key.Caption);
        AddControl({ControlKind::Button, kFirstKeyId + static_cast<int>(k), key.Left, key.Top,
                    key.Width, key.Height, caption.c_str(), BS_PUSHBUTTON});
    }
    for (const FormControl& c : kControls) AddControl(c);
    SelectKeys = Control(kSelectKeysId);
    MakeBoldFont();
}

void TVirualKeybord::MakeBoldFont() {
    LOGFONTW lf{};
    GetObjectW(Font(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    UniqueFont old = std::move(boldFont_);
    boldFont_.reset(CreateFontIndirectW(&lf));
    SendMessageW(SelectKeys, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), TRUE);
}

void TVirualKeybord::FormDpiChanged() { MakeBoldFont(); }

void TVirualKeybord::FormShow() { SetFocus(Control(kOkId)); }

void TVirualKeybord::Button1Click(std::size_t key) {
    const PickerKey& picked = PickerKeys()[key];
    selectKeysText_ = Utf8ToWide(picked.Name);
    selectKeysTag_ = picked.Code;
    SetWindowTextW(SelectKeys, selectKeysText_.c_str());
}

void TVirualKeybord::Button14Click() {
    confirmed_ = true;
    Close();
}

void TVirualKeybord::Button76Click() { Close(); }

LRESULT TVirualKeybord::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (id >= kFirstKeyId && id < kFirstKeyId + static_cast<int>(kPickerKeyCount) &&
                HIWORD(wp) == BN_CLICKED) {
                Button1Click(static_cast<std::size_t>(id - kFirstKeyId));
                return 0;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:  // labels on the window colour; the chosen key's name in bold
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        default:
            break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
