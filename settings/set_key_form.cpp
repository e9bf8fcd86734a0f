#include "settings/set_key_form.h"

#include <commctrl.h>

#include "core/tables.h"
#include "settings/control_ids.h"
#include "settings/virual_keybord.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

using namespace hotkey_dialog;

constexpr int kListHeight = 200;  // a drop-down box with its list open

// Before the fields: the key boxes. In the tab order after KList2 comes the picker's button, so
// that the keys only the picker offers (arrows, keypad) can be chosen from the keyboard too.
const FormControl kLeading[] = {
    {.Kind = ControlKind::Label, .X = 8, .Y = 11, .Caption = L"１次キー:"},
    {.Kind = ControlKind::ComboBox,
     .Id = kKList1,
     .X = 64,
     .Y = 8,
     .Width = 145,
     .Height = kListHeight},
    {.Kind = ControlKind::Label, .X = 8, .Y = 40, .Caption = L"２次キー:"},
    {.Kind = ControlKind::ComboBox,
     .Id = kKList2,
     .X = 64,
     .Y = 36,
     .Width = 145,
     .Height = kListHeight},
    {.Kind = ControlKind::Button,
     .Id = kCallVK,
     .X = 248,
     .Y = 35,
     .Width = 97,
     .Height = 22,
     .Caption = L"Virtual Keybord"},
    // Label7: one line in the free band between the key boxes and the title.
    {.Kind = ControlKind::Static,
     .Id = kKeyNote,
     .X = 8,
     .Y = 58,
     .Width = 380,
     .Height = 13,
     .Style = SS_LEFT | SS_NOPREFIX},
};

// After the fields: the line between file and options, the two check boxes, the function box.
const FormControl kTrailing[] = {
    {.Kind = ControlKind::Static,
     .X = 0,
     .Y = 128,
     .Width = 393,
     .Height = 2,  // Bevel1
     .Style = SS_ETCHEDHORZ},
    {.Kind = ControlKind::Button,
     .Id = kCheckBox1,
     .X = 24,
     .Y = 201,
     .Width = 97,
     .Height = 17,
     .Caption = L"URLを指定する",
     .Style = BS_CHECKBOX},
    {.Kind = ControlKind::Button,
     .Id = kCheckBox2,
     .X = 24,
     .Y = 225,
     .Width = 97,
     .Height = 17,
     .Caption = L"内部機能使用",
     .Style = BS_CHECKBOX},
    {.Kind = ControlKind::ComboBox,
     .Id = kFList,
     .X = 128,
     .Y = 224,
     .Width = 225,
     .Height = kListHeight},
};

const EntryKind kKind{
    .Window = {.ClassName = L"TSetKey_Form",
               .Caption = L"キーの設定",
               .NameLabel = L"タイトル",
               .ClientHeight = 289,
               .EditHeight = 20,
               .ChooserX = 360,
               .ButtonsTop = 256,
               .FileLabelWidth = 62,
               .FileLabelHeight = 14},
    .Ids = {.Name = kEdit1,
            .File = kEdit2,
            .Options = kEdit3,
            .Folder = kEdit4,
            .FileChooser = kBtnSel1,
            .FolderChooser = kBtnSel2,
            .FileLabel = kLabel4},
    // Escape in the file and folder fields cancels the dialog, as in the other fields.
    .OwnKey = {.Fields = kPathFields, .Key = VK_ESCAPE, .Action = FieldAction::Cancel},
    .Fields =
        {{.Label = L"タイトル:", .LabelY = 72, .X = 72, .Y = 72, .Width = 281},
         {.Label = L"ファイル:", .LabelY = 100, .X = 72, .Y = 100, .Width = 281, .ChooserY = 100},
         {.Label = L"オプション:", .LabelY = 140, .X = 96, .Y = 140, .Width = 257},
         {.Label = L"作業フォルダ:",
          .LabelY = 168,
          .X = 96,
          .Y = 165,
          .Width = 257,
          .ChooserY = 164}},
    .Leading = kLeading,
    .Trailing = kTrailing,
};

const wchar_t kRepeatedKey[] = L"すでにそのキーは割り当てられています。";

bool IsChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void FillBox(HWND box, const NameValueTable& table) {
    for (std::size_t k = 0; k < table.Count(); ++k)
        SendMessageW(box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(table.Name(k)).c_str()));
}

}  // namespace

TSetKey_Form::TSetKey_Form(const std::vector<HotkeyRow>& rows, KeyStatus& keys, EntryMode mode,
                           ModalCounter* counter)
    : TEntryDialog(kKind, mode, counter), rows_(rows), keys_(keys) {}

void TSetKey_Form::FormCreate() {
    TEntryDialog::FormCreate();
    KList1 = Control(kKList1);
    KList2 = Control(kKList2);
    FList = Control(kFList);
    Label4 = Control(kLabel4);
    Btn_Sel1 = Control(kBtnSel1);
    Btn_Sel2 = Control(kBtnSel2);
    CheckBox1 = Control(kCheckBox1);
    CheckBox2 = Control(kCheckBox2);
    Label7 = Control(kKeyNote);
    FillBox(KList1, ModifierList);
    FillBox(KList2, KeyList);
    FillBox(FList, FunctionList);
    for (HWND b : {KList1, KList2, FList}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(b, &info) && info.hwndItem)
            SetWindowSubclass(info.hwndItem, &TSetKey_Form::KeyBoxEdit, 1,
                              reinterpret_cast<DWORD_PTR>(this));
    }
    EnableWindow(FList, FALSE);
    if (!mode_.IsAdd()) Fill(rows_[static_cast<std::size_t>(mode_.Row())].Item);
    UpdateKeyNote();
}

void TSetKey_Form::FormShow() {
    TEntryDialog::FormShow();
    SetFocus(KList1);  // the keys first
}

const wchar_t* TSetKey_Form::FileLabel() const {
    return IsChecked(CheckBox1) ? L"URL" : L"ファイル";
}

void TSetKey_Form::Fill(const THotkeyItem& entry) {
    SetWindowTextW(Edit1, AnsiToWide(entry.Title).c_str());
    SetWindowTextW(Edit2, AnsiToWide(entry.FilePath).c_str());
    SetWindowTextW(Edit3, AnsiToWide(entry.Options).c_str());
    SetWindowTextW(Edit4, AnsiToWide(entry.WorkDir).c_str());
    const KeyTextParts key = SplitKeyText(entry.KeyText);
    SetWindowTextW(KList1, AnsiToWide(key.Modifier).c_str());
    SetWindowTextW(KList2, AnsiToWide(key.Key).c_str());
    kList1Tag_ = entry.Modifiers;
    kList2Tag_ = entry.VKey;
    if (entry.FuncNo == kFuncUrl) {
        SendMessageW(CheckBox1, BM_SETCHECK, BST_CHECKED, 0);
        SetUrlMode(true);
    } else if (entry.FuncNo != kFuncProgram) {
        SendMessageW(CheckBox2, BM_SETCHECK, BST_CHECKED, 0);
        SetFunctionMode(true);
        const int row = FunctionList.IndexOfValue(entry.FuncNo);
        if (row >= 0) {
            SetWindowTextW(FList, Utf8ToWide(FunctionList.Name(static_cast<size_t>(row))).c_str());
            fListTag_ = entry.FuncNo;
        }
    }
}

void TSetKey_Form::KList1Change(HWND box) {
    const int k = static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
    if (k < 0) return;
    const auto row = static_cast<size_t>(k);
    if (box == KList1) {
        kList1Tag_ = ModifierList.Value(row);
        UpdateKeyNote();
    } else if (box == KList2) {
        kList2Tag_ = KeyList.Value(row);
        UpdateKeyNote();
    } else if (box == FList) {
        fListTag_ = FunctionList.Value(row);
        SetWindowTextW(Edit1, Utf8ToWide(FunctionList.Name(row)).c_str());
    }
}

void TSetKey_Form::SetUrlMode(bool url) {
    for (HWND c : {Edit3, Edit4, Btn_Sel2, Btn_Sel1}) EnableWindow(c, !url);
    SetWindowTextW(Label4, url ? L"URL:" : L"ファイル:");
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TSetKey_Form::SetFunctionMode(bool function) {
    EnableWindow(FList, function);
    for (HWND c : {Edit2, Edit3, Edit4, Btn_Sel2, Btn_Sel1}) EnableWindow(c, !function);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

// The two boxes exclude each other: a click leaves the clicked box as the click made it and
// clears the other. Fields follow the box that is checked.
void TSetKey_Form::CheckBox1Click() {
    SendMessageW(CheckBox1, BM_SETCHECK, IsChecked(CheckBox1) ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageW(CheckBox2, BM_SETCHECK, BST_UNCHECKED, 0);
    SetFunctionMode(false);
    SetUrlMode(IsChecked(CheckBox1));
}

void TSetKey_Form::CheckBox2Click() {
    SendMessageW(CheckBox2, BM_SETCHECK, IsChecked(CheckBox2) ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageW(CheckBox1, BM_SETCHECK, BST_UNCHECKED, 0);
    SetUrlMode(false);
    SetFunctionMode(IsChecked(CheckBox2));
}

void TSetKey_Form::CallVKClick() {
    // The keys that would not work with the chosen modifiers, asked once as the picker opens.
    std::vector<KeyNote> taken;
    if (!FieldText(KList1).empty())
        taken = PickerKeyNotes(static_cast<std::uint8_t>(kList1Tag_), rows_, mode_.Row(),
                               keys_.LastPass(),
                               [this](KeyCombination key) { return keys_.TrialFails(key); });
    TVirualKeybord picker(std::move(taken), rows_, FieldText(KList2).empty() ? 0 : kList2Tag_,
                          Counter());
    picker.ShowModal(hwnd());
    if (auto key = picker.Picked()) {
        SetWindowTextW(KList2, key->Name.c_str());
        kList2Tag_ = key->Code;
        UpdateKeyNote();
    }
    SetFocus(KList2);
}

void TSetKey_Form::UpdateKeyNote() {
    KeyNote note;
    // A combination needs both boxes (their texts decide, as for OK).
    if (!FieldText(KList1).empty() && !FieldText(KList2).empty()) {
        const KeyCombination key{static_cast<std::uint8_t>(kList1Tag_),
                                 static_cast<std::uint8_t>(kList2Tag_)};
        note = NoteForKey(key, rows_, mode_.Row(), keys_.LastPass(),
                          [&](KeyCombination k) { return keys_.TrialFails(k); });
    }
    SetWindowTextW(Label7, KeyNoteText(note, rows_, Label7, Font()).c_str());
}

void TSetKey_Form::Btn_OKClick() {
    const std::wstring modifier = FieldText(KList1), key = FieldText(KList2);
    if (modifier.empty() || key.empty()) return;

    THotkeyItem item;
    const bool url = IsChecked(CheckBox1);
    if (!TakeTexts(item.Title, item.FilePath, item.Options, item.WorkDir, FileLabel())) return;
    item.KeyText = JoinKeyText(WideToAnsi(modifier), WideToAnsi(key));
    item.Modifiers = static_cast<std::uint8_t>(kList1Tag_);
    item.VKey = static_cast<std::uint8_t>(kList2Tag_);
    item.FuncNo = url                    ? kFuncUrl
                  : IsChecked(CheckBox2) ? static_cast<std::uint8_t>(fListTag_)
                                         : kFuncProgram;

    if (mode_.IsAdd() && IsKeyTaken(rows_, kList1Tag_, kList2Tag_)) {
        ShowMessage(hwnd(), kRepeatedKey);
        return;
    }
    // Nothing is written for a program whose file is missing: the user corrects the path and
    // presses OK again.
    if (item.FuncNo == kFuncProgram && FileMissing()) return;
    result_ = item;
    Close();
}

LRESULT TSetKey_Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        const int code = HIWORD(wp);
        switch (LOWORD(wp)) {
            case kKList1:
            case kKList2:
            case kFList:
                if (code == CBN_SELCHANGE) KList1Change(reinterpret_cast<HWND>(lp));
                if (code == CBN_DROPDOWN) ListOpened(reinterpret_cast<HWND>(lp));
                return 0;
            case kCheckBox1:
                if (code == BN_CLICKED) CheckBox1Click();
                return 0;
            case kCheckBox2:
                if (code == BN_CLICKED) CheckBox2Click();
                return 0;
            case kCallVK:
                if (code == BN_CLICKED) CallVKClick();
                return 0;
            default:
                break;
        }
    }
    // The boxes take Alt+Down and Alt+Up themselves, so the system does not see that Alt was
    // part of a chord: its release would put the dialog into menu mode, which takes the keys
    // meant for the open list. In a box, Alt alone opens no menu.
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU && lp == 0) {
        HWND focus = GetFocus();
        for (HWND box : {KList1, KList2, FList})
            if (IsChild(box, focus)) return 0;
    }
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == Label7) {
        const LRESULT brush = TEntryDialog::HandleMessage(msg, wp, lp);
        SetTextColor(reinterpret_cast<HDC>(wp), TakenKeyRed());
        return brush;
    }
    return TEntryDialog::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
