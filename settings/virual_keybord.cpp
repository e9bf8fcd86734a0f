#include "settings/virual_keybord.h"

#include "core/key_picker.h"
#include "settings/control_ids.h"
#include "settings/key_status.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

using key_picker::kFirstKeyId;
constexpr int kOkId = IDOK;
constexpr int kCancelId = IDCANCEL;

// The keys' buttons come first (from the keyboard's table), then these.
const FormControl kControls[] = {
    // Bevel1
    {.Kind = ControlKind::Static,
     .X = 1,
     .Y = 120,
     .Width = 576,
     .Height = 2,
     .Style = SS_ETCHEDHORZ},
    // Label1
    {.Kind = ControlKind::Label, .X = 15, .Y = 133, .Caption = L"Select Key : "},
    // SelectKeys: as wide as the longest name ("PageDown") in bold
    {.Kind = ControlKind::Static,
     .Id = key_picker::kSelectKeys,
     .X = 83,
     .Y = 133,
     .Width = 66,
     .Height = 14,
     .Style = SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    // Label2: the note on the clicked key's combination, up to the OK button
    {.Kind = ControlKind::Static,
     .Id = key_picker::kKeyNote,
     .X = 152,
     .Y = 133,
     .Width = 252,
     .Height = 14,
     .Style = SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    // Button14
    {.Kind = ControlKind::Button,
     .Id = kOkId,
     .X = 408,
     .Y = 128,
     .Width = 75,
     .Height = 25,
     .Caption = L"OK",
     .Style = BS_DEFPUSHBUTTON},
    // Button76
    {.Kind = ControlKind::Button,
     .Id = kCancelId,
     .X = 496,
     .Y = 128,
     .Width = 75,
     .Height = 25,
     .Caption = L"ｷｬﾝｾﾙ"},
};

}  // namespace

TVirualKeybord::TVirualKeybord(std::vector<KeyNote> taken, const std::vector<HotkeyRow>& rows,
                               int keyBoxCode, ModalCounter* counter)
    : Form(DialogFrame(L"TVirualKeybord", L"Keybord", 578, 156), counter),
      taken_(std::move(taken)),
      rows_(rows),
      keyBoxCode_(keyBoxCode) {}

std::optional<PickedKey> TVirualKeybord::Picked() const {
    if (!confirmed_) return std::nullopt;
    return PickedKey{selectKeysText_, selectKeysTag_};
}

void TVirualKeybord::FormCreate() {
    const PickerKey* keys = PickerKeys();
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const PickerKey& key = keys[k];
        // The window text is what a screen reader reads: the key's full name, and whether its
        // combination is taken; the short caption is drawn.
        std::wstring name = Utf8ToWide(PickerKeyFullName(key));
        if (Taken(k)) name += L"（使用中）";
        AddControl({.Kind = ControlKind::Button,
                    .Id = kFirstKeyId + static_cast<int>(k),
                    .X = key.Left,
                    .Y = key.Top,
                    .Width = key.Width,
                    .Height = key.Height,
                    .Caption = name.c_str(),
                    .Style = BS_OWNERDRAW});
    }
    AddControls(kControls);
    SelectKeys = Control(key_picker::kSelectKeys);
    Label2 = Control(key_picker::kKeyNote);
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

// The focus starts on the key the key box holds, else on the first key.
void TVirualKeybord::FormShow() {
    std::size_t first = 0;
    for (std::size_t k = 0; k < kPickerKeyCount; ++k)
        if (keyBoxCode_ != 0 && PickerKeys()[k].Code == keyBoxCode_) {
            first = k;
            break;
        }
    SetFocus(Control(kFirstKeyId + static_cast<int>(first)));
}

// The arrow keys on a key go to its neighbour on the keyboard, not to the next button made, and
// Enter picks the key, as on any push button (the dialog keys would send it to OK: the keys are
// drawn here); on the key already picked it confirms it. Taken in the modal loop: a subclass on
// each of the 92 keys made the picker open a third slower under Wine.
bool TVirualKeybord::FormKeyDown(HWND control, WPARAM key) {
    const int id = GetDlgCtrlID(control) - kFirstKeyId;
    if (GetParent(control) != hwnd() || id < 0 || id >= static_cast<int>(kPickerKeyCount))
        return false;
    if (key == VK_RETURN) {
        const bool again = id == chosenKey_;
        Button1Click(static_cast<std::size_t>(id));
        if (again) Button14Click();
        return true;
    }
    if (key >= VK_LEFT && key <= VK_DOWN) {
        static constexpr PickerMove kMoves[] = {PickerMove::Left, PickerMove::Up, PickerMove::Right,
                                                PickerMove::Down};
        const std::size_t to = NeighbourKey(static_cast<std::size_t>(id), kMoves[key - VK_LEFT]);
        SetFocus(Control(kFirstKeyId + static_cast<int>(to)));
        return true;
    }
    return false;
}

void TVirualKeybord::Button1Click(std::size_t key) {
    const PickerKey& picked = PickerKeys()[key];
    selectKeysText_ = Utf8ToWide(picked.Name);
    selectKeysTag_ = picked.Code;
    chosenKey_ = static_cast<int>(key);
    SetWindowTextW(SelectKeys, selectKeysText_.c_str());
    const KeyNote note = Taken(key) ? taken_[key] : KeyNote{};
    SetWindowTextW(Label2, KeyNoteText(note, rows_, Label2, Font()).c_str());
}

bool TVirualKeybord::Taken(std::size_t key) const {
    return key < taken_.size() && taken_[key].What != KeyNote::Kind::None;
}

void TVirualKeybord::DrawKey(const DRAWITEMSTRUCT& item) {
    // A push button as the system draws one, with the caption in red for a taken key.
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    RECT r = item.rcItem;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    if (pushed) OffsetRect(&r, 1, 1);
    const std::size_t key = item.CtlID - kFirstKeyId;
    const std::wstring caption = Utf8ToWide(PickerKeys()[key].Caption);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, Taken(key) ? TakenKeyRed(COLOR_BTNFACE) : GetSysColor(COLOR_BTNTEXT));
    SelectObjectGuard font(item.hDC, Font());
    DrawTextW(item.hDC, caption.c_str(), -1, &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -Scale(3), -Scale(3));
        DrawFocusRect(item.hDC, &focus);
    }
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
            const int code = HIWORD(wp);
            if (id >= kFirstKeyId && id < kFirstKeyId + static_cast<int>(kPickerKeyCount) &&
                (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
                Button1Click(static_cast<std::size_t>(id - kFirstKeyId));
                // An owner-drawn button tells of a double click (its first click came before).
                if (code == BN_DOUBLECLICKED) Button14Click();
                return 0;
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (item.CtlType != ODT_BUTTON || item.CtlID < static_cast<UINT>(kFirstKeyId)) break;
            DrawKey(item);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:  // labels on the window colour; the chosen key's name in bold
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            if (reinterpret_cast<HWND>(lp) == Label2)
                SetTextColor(reinterpret_cast<HDC>(wp), TakenKeyRed());
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        default:
            break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
