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

// The keys' buttons come first (from the keyboard's table), then these.
const FormControl kControls[] = {
    {.Kind = ControlKind::Static,
     .X = 1,
     .Y = 120,
     .Width = 576,
     .Height = 2,  // Bevel1
     .Style = SS_ETCHEDHORZ},
    {.Kind = ControlKind::Label, .X = 15, .Y = 133, .Caption = L"Select Key : "},  // Label1
    {.Kind = ControlKind::Static,                                                  // SelectKeys
     .Id = kSelectKeysId,
     .X = 83,
     .Y = 133,
     .Width = 200,
     .Height = 14,
     .Style = SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    {.Kind = ControlKind::Button,  // Button14
     .Id = kOkId,
     .X = 408,
     .Y = 128,
     .Width = 75,
     .Height = 25,
     .Caption = L"OK",
     .Style = BS_DEFPUSHBUTTON},
    {.Kind = ControlKind::Button,  // Button76
     .Id = kCancelId,
     .X = 496,
     .Y = 128,
     .Width = 75,
     .Height = 25,
     .Caption = L"ｷｬﾝｾﾙ"},
};

}  // namespace

TVirualKeybord::TVirualKeybord(ModalCounter* counter)
    : Form({.ClassName = L"TVirualKeybord",
            .Caption = L"Keybord",
            .Width = 578,
            .Height = 156,
            .ClientSize = true,
            .Style = kDialogStyle,
            .ExStyle = kDialogExStyle,
            .Place = FormPlace::AtPointer,
            .Background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
           counter) {}

std::optional<PickedKey> TVirualKeybord::Picked() const {
    if (!confirmed_) return std::nullopt;
    return PickedKey{selectKeysText_, selectKeysTag_};
}

void TVirualKeybord::FormCreate() {
    const PickerKey* keys = PickerKeys();
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const PickerKey& key = keys[k];
        const std::wstring caption = Utf8ToWide(key.Caption);
        AddControl({.Kind = ControlKind::Button,
                    .Id = kFirstKeyId + static_cast<int>(k),
                    .X = key.Left,
                    .Y = key.Top,
                    .Width = key.Width,
                    .Height = key.Height,
                    .Caption = caption.c_str(),
                    .Style = BS_PUSHBUTTON});
    }
    AddControls(kControls);
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
            if (id == kOkId) {
                Button14Click();
                return 0;
            }
            if (id == kCancelId) {
                Button76Click();
                return 0;
            }
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
