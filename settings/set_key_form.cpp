#include "settings/set_key_form.h"

#include <commctrl.h>
#include <shellapi.h>

#include "core/tables.h"
#include "widgets/folder_browser.h"
#include "settings/virual_keybord.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

constexpr int kClientWidth = 396;
constexpr int kClientHeight = 289;
constexpr int kEditHeight = 20;
constexpr int kListHeight = 200;  // a drop-down box with its list open

enum ControlId : int {
    kKList1 = 101,
    kKList2,
    kCallVK,
    kEdit1,
    kEdit2,
    kBtnSel1,
    kEdit3,
    kEdit4,
    kBtnSel2,
    kCheckBox1,
    kCheckBox2,
    kFList,
    kLabel4,
    kKeyNote,
};

const wchar_t kRepeatedKey[] = L"すでにそのキーは割り当てられています。";
const wchar_t kKeyHeldElsewhere[] = L"このキーは他のプログラムが使用中です。";
const wchar_t kKeyOfRowBefore[] = L"このキーは「";
const wchar_t kKeyOfRowAfter[] = L"」に割り当てられています。";
constexpr COLORREF kNoteColour = RGB(255, 0, 0);
const wchar_t kMissingFile[] = L"ファイルが存在しません。正しくファイルパスを指定してください。";

bool IsChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void FillBox(HWND box, const NameValueTable& table) {
    for (std::size_t k = 0; k < table.Count(); ++k)
        SendMessageW(box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(table.Name(k)).c_str()));
}

}  // namespace

TSetKey_Form::TSetKey_Form(const std::vector<HotkeyRow>& rows, KeyStatus& keys)
    : rows_(rows), keys_(keys) {}

TSetKey_Form::~TSetKey_Form() = default;

std::optional<THotkeyItem> TSetKey_Form::Execute(HWND owner, int tag, const THotkeyItem* entry) {
    tag_ = tag;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    if (!Create(L"TSetKey_Form", L"キーの設定", style, exStyle, 0, 0, r.right - r.left,
                r.bottom - r.top, owner, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return std::nullopt;
    FormCreate();
    if (tag_ >= 0 && entry) Fill(*entry);
    UpdateKeyNote();
    FormShow();
    done_ = false;
    RunModalLoop(hwnd(), owner, done_);
    DestroyWindow(hwnd());
    return result_;
}

void TSetKey_Form::FormCreate() {
    font_.reset(CreateFormFont());
    HFONT font = static_cast<HFONT>(font_.get());
    auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                    int h, int id) {
        return CreateControl(hwnd(), cls, text, style, x, y, w, h, id, font);
    };
    const DWORD box = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    auto edit = [&](int id, int x, int y, int w) {
        HWND e = CreateEntryEdit(hwnd(), x, y, w, kEditHeight, font, id);
        HookFieldKeys(e, *this);
        return e;
    };
    // Created in tab order: the boxes, the four fields, the two check boxes, the function box.
    CreateEntryLabel(hwnd(), L"１次キー:", 8, 11, font);
    KList1 = make(L"COMBOBOX", L"", box, 64, 8, 145, kListHeight, kKList1);
    CreateEntryLabel(hwnd(), L"２次キー:", 8, 40, font);
    KList2 = make(L"COMBOBOX", L"", box, 64, 36, 145, kListHeight, kKList2);
    // In the tab order after KList2, so that the keys only the picker offers (arrows, keypad)
    // can be chosen from the keyboard too.
    CallVK = make(L"BUTTON", L"Virtual Keybord", WS_TABSTOP | BS_FLAT, 248, 35, 97, 22, kCallVK);
    // In the free band between the key boxes and the title, one line.
    Label7 = make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 8, 58, 380, 13, kKeyNote);
    CreateEntryLabel(hwnd(), L"タイトル:", 8, 72, font);
    Edit1 = edit(kEdit1, 72, 72, 281);
    // Wide enough for both of its texts, "ファイル:" and "URL:".
    Label4 = make(L"STATIC", L"ファイル:", SS_LEFT | SS_NOPREFIX, 8, 100, 62, 14, kLabel4);
    Edit2 = edit(kEdit2, 72, 100, 281);
    Btn_Sel1 = CreateSpeedButton(hwnd(), L"...", kBtnSel1, 360, 100, 23, 19, font);
    make(L"STATIC", L"", SS_ETCHEDHORZ, 0, 128, 393, 2, -1);  // Bevel1
    CreateEntryLabel(hwnd(), L"オプション:", 8, 140, font);
    Edit3 = edit(kEdit3, 96, 140, 257);
    CreateEntryLabel(hwnd(), L"作業フォルダ:", 8, 168, font);
    Edit4 = edit(kEdit4, 96, 165, 257);
    Btn_Sel2 = CreateSpeedButton(hwnd(), L"...", kBtnSel2, 360, 164, 23, 19, font);
    CheckBox1 = make(L"BUTTON", L"URLを指定する", WS_TABSTOP | BS_CHECKBOX | BS_FLAT, 24, 201, 97,
                     17, kCheckBox1);
    CheckBox2 = make(L"BUTTON", L"内部機能使用", WS_TABSTOP | BS_CHECKBOX | BS_FLAT, 24, 225, 97,
                     17, kCheckBox2);
    FList = make(L"COMBOBOX", L"", box, 128, 224, 225, kListHeight, kFList);
    CreateSpeedButton(hwnd(), L"OK", IDOK, 216, 256, 73, 22, font);         // Btn_OK
    CreateSpeedButton(hwnd(), L"ｷｬﾝｾﾙ", IDCANCEL, 304, 256, 81, 22, font);  // Btn_Cancel

    FillBox(KList1, ModifierList);
    FillBox(KList2, KeyList);
    FillBox(FList, FunctionList);
    for (HWND b : {KList1, KList2, FList}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(b, &info) && info.hwndItem)
            SetWindowSubclass(info.hwndItem, &TSetKey_Form::SwallowTyping, 1, 0);
    }
    EnableWindow(FList, FALSE);
}

// The three boxes change only by picking from their lists (or, for KList2, the key picker):
// typed characters are dropped.
LRESULT CALLBACK TSetKey_Form::SwallowTyping(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                             DWORD_PTR) {
    if (msg == WM_CHAR || msg == WM_PASTE || msg == WM_CUT || msg == WM_CLEAR || msg == WM_UNDO ||
        msg == WM_IME_CHAR)
        return 0;
    if (msg == WM_KEYDOWN && wp == VK_DELETE) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, &TSetKey_Form::SwallowTyping, 1);
    return DefSubclassProc(h, msg, wp, lp);
}

void TSetKey_Form::FormShow() {
    DragAcceptFiles(hwnd(), TRUE);
    ShowAtPointer(hwnd());
    SetFocus(KList1);
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
    TVirualKeybord picker;
    if (auto key = picker.Execute(hwnd())) {
        SetWindowTextW(KList2, key->Name.c_str());
        kList2Tag_ = key->Code;
        UpdateKeyNote();
    }
    SetFocus(KList2);
}

void TSetKey_Form::UpdateKeyNote() {
    std::wstring text;
    // A combination needs both boxes; the selection of either box may still change the other's
    // text (typing is swallowed), so the texts decide.
    if (!FieldText(KList1).empty() && !FieldText(KList2).empty()) {
        const KeyCombination key{static_cast<std::uint8_t>(kList1Tag_),
                                 static_cast<std::uint8_t>(kList2Tag_)};
        const KeyNote note =
            NoteForKey(key, rows_, tag_, keys_.TrialFails(key), keys_.LastPass().Holds(key));
        if (note.What == KeyNote::Kind::OtherProgram) {
            text = kKeyHeldElsewhere;
        } else if (note.What == KeyNote::Kind::OtherRow) {
            // A long title is cut so that the whole sentence stays on the note's one line.
            RECT band{};
            GetClientRect(Label7, &band);
            HDC dc = GetDC(Label7);
            HGDIOBJ old = SelectObject(dc, font_.get());
            text = FitMiddle(kKeyOfRowBefore, AnsiToWide(rows_[note.Row].Item.Title),
                             kKeyOfRowAfter, band.right, [dc](const std::wstring& s) {
                                 SIZE size{};
                                 GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()),
                                                       &size);
                                 return static_cast<int>(size.cx);
                             });
            SelectObject(dc, old);
            ReleaseDC(Label7, dc);
        }
    }
    SetWindowTextW(Label7, text.c_str());
}

void TSetKey_Form::Btn_Sel1Click() { ChooseFileInto(hwnd(), Edit2); }

void TSetKey_Form::Btn_Sel2Click() {
    TSHBrowseForFolderEx browser(hwnd());
    browser.SetSelectFolder(sfManual);
    ChooseFolderInto(browser, Edit4);
}

bool TSetKey_Form::FieldKeyDown(HWND field, WPARAM key) {
    switch (key) {
        case VK_RETURN:
            Btn_OKClick();
            return true;
        case VK_ESCAPE:
            Btn_CancelClick();
            return true;
        case VK_MENU:
            if (field == Edit2)
                Btn_Sel1Click();
            else if (field == Edit4)
                Btn_Sel2Click();
            else
                return false;
            return true;
        default:
            return false;
    }
}

void TSetKey_Form::Btn_OKClick() {
    const std::wstring modifier = FieldText(KList1), key = FieldText(KList2);
    if (modifier.empty() || key.empty()) return;

    // Every text must come back from the data file as it was typed.
    THotkeyItem item;
    const bool url = IsChecked(CheckBox1);
    if (!TakeFieldText(hwnd(), Edit1, L"タイトル", item.Title) ||
        !TakeFieldText(hwnd(), Edit2, url ? L"URL" : L"ファイル", item.FilePath) ||
        !TakeFieldText(hwnd(), Edit3, L"オプション", item.Options) ||
        !TakeFieldText(hwnd(), Edit4, L"作業フォルダ", item.WorkDir))
        return;
    item.KeyText = JoinKeyText(WideToAnsi(modifier), WideToAnsi(key));
    item.Modifiers = static_cast<std::uint8_t>(kList1Tag_);
    item.VKey = static_cast<std::uint8_t>(kList2Tag_);
    item.FuncNo = url                    ? kFuncUrl
                  : IsChecked(CheckBox2) ? static_cast<std::uint8_t>(fListTag_)
                                         : kFuncProgram;

    if (tag_ < 0 && IsKeyTaken(rows_, kList1Tag_, kList2Tag_)) {
        ShowMessage(hwnd(), kRepeatedKey);
        return;
    }
    // Nothing is written for a program whose file is missing: the user corrects the path and
    // presses OK again.
    if (item.FuncNo == kFuncProgram && !IsExistingFile(ResolvedPath(item.FilePath))) {
        ShowMessage(hwnd(), kMissingFile);
        if (IsWindowEnabled(Edit2)) SetFocus(Edit2);
        return;
    }
    result_ = item;
    done_ = true;
}

void TSetKey_Form::Btn_CancelClick() { done_ = true; }

LRESULT TSetKey_Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            const int code = HIWORD(wp);
            switch (id) {
                case IDOK:
                    Btn_OKClick();
                    break;
                case IDCANCEL:
                    Btn_CancelClick();
                    break;
                case kKList1:
                case kKList2:
                case kFList:
                    if (code == CBN_SELCHANGE) KList1Change(reinterpret_cast<HWND>(lp));
                    break;
                case kCheckBox1:
                    if (code == BN_CLICKED) CheckBox1Click();
                    break;
                case kCheckBox2:
                    if (code == BN_CLICKED) CheckBox2Click();
                    break;
                case kCallVK:
                    if (code == BN_CLICKED) CallVKClick();
                    break;
                case kBtnSel1:
                    if (code == BN_CLICKED) Btn_Sel1Click();
                    break;
                case kBtnSel2:
                    if (code == BN_CLICKED) Btn_Sel2Click();
                    break;
                default:
                    break;
            }
            return 0;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // A disabled field takes the button-face colour, an enabled one the window colour.
            HWND control = reinterpret_cast<HWND>(lp);
            HDC dc = reinterpret_cast<HDC>(wp);
            const bool field = GetParent(control) != hwnd() || control == Edit1 ||
                               control == Edit2 || control == Edit3 || control == Edit4;
            const int colour = field && !IsWindowEnabled(control) ? COLOR_BTNFACE : COLOR_WINDOW;
            SetBkColor(dc, GetSysColor(colour));
            if (!field) SetBkMode(dc, TRANSPARENT);
            if (control == Label7) SetTextColor(dc, kNoteColour);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
        }
        case WM_DROPFILES:
            DropFileInto(hwnd(), reinterpret_cast<HDROP>(wp), Edit2, Edit4,
                         IsChecked(CheckBox1) ? L"URL" : L"ファイル");
            return 0;
        case WM_ACTIVATE:
            if (focus_.Activate(hwnd(), wp)) return 0;
            break;
        case WM_CLOSE:
            Btn_CancelClick();
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
