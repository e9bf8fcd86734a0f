#include "settings/set_command_form.h"

#include "widgets/base/ansi.h"
#include "widgets/folder_browser.h"

namespace zarv {
namespace {

constexpr int kClientWidth = 396;
constexpr int kClientHeight = 152;
enum ControlId : int { kEdit1 = 101, kEdit2, kEdit3, kEdit4, kSel1Id, kSel2Id };
constexpr int kEditHeight = 18;

}  // namespace

TSetCommandForm::TSetCommandForm(const CommandRows& rows) : rows_(rows) {}

TSetCommandForm::~TSetCommandForm() = default;

bool TSetCommandForm::SameName(std::string_view a, std::string_view b) {
    std::wstring wa = AnsiToWide(a), wb = AnsiToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

std::optional<TCommandItem> TSetCommandForm::Execute(HWND owner, int tag,
                                                     const TCommandItem* entry) {
    tag_ = tag;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    if (!Create(L"TSetCommandForm", L"コマンドの設定", style, exStyle, 0, 0, r.right - r.left,
                r.bottom - r.top, owner, nullptr, GetSysColorBrush(COLOR_WINDOW)))
        return std::nullopt;
    FormCreate();
    if (tag_ != kAddRow && entry) Fill(*entry);
    FormShow();
    done_ = false;
    RunModalLoop(hwnd(), owner, done_);
    DestroyWindow(hwnd());
    return result_;
}

void TSetCommandForm::FormCreate() {
    HWND self = hwnd();
    font_.reset(CreateFormFont());
    auto font = static_cast<HFONT>(font_.get());
    CreateEntryLabel(self, L"コマンド:", 8, 4, font);
    Edit1 = CreateEntryEdit(self, 70, 4, 289, kEditHeight, font, kEdit1);
    CreateEntryLabel(self, L"ファイル:", 8, 32, font);
    Edit2 = CreateEntryEdit(self, 70, 32, 289, kEditHeight, font, kEdit2);
    Btn_Sel1 = CreateSpeedButton(self, L"...", kSel1Id, 368, 32, 23, 19, font);
    CreateEntryLabel(self, L"オプション:", 8, 60, font);
    Edit3 = CreateEntryEdit(self, 70, 60, 289, kEditHeight, font, kEdit3);
    CreateEntryLabel(self, L"作業フォルダ:", 8, 88, font);
    Edit4 = CreateEntryEdit(self, 87, 88, 273, kEditHeight, font, kEdit4);
    Btn_Sel2 = CreateSpeedButton(self, L"...", kSel2Id, 368, 85, 23, 19, font);
    Btn_OK = CreateSpeedButton(self, L"OK", IDOK, 216, 121, 73, 22, font);
    Btn_Cancel = CreateSpeedButton(self, L"ｷｬﾝｾﾙ", IDCANCEL, 304, 121, 81, 22, font);
    for (HWND field : {Edit1, Edit2, Edit3, Edit4}) HookFieldKeys(field, *this);

    SHBrowseForFolderEx1 = std::make_unique<TSHBrowseForFolderEx>(self);
    SHBrowseForFolderEx1->SetSelectFolder(sfManual);
}

void TSetCommandForm::Fill(const TCommandItem& entry) {
    SetWindowTextW(Edit1, AnsiToWide(entry.Name).c_str());
    SetWindowTextW(Edit2, AnsiToWide(entry.FilePath).c_str());
    SetWindowTextW(Edit3, AnsiToWide(entry.Options).c_str());
    SetWindowTextW(Edit4, AnsiToWide(entry.WorkDir).c_str());
}

void TSetCommandForm::FormShow() {
    DragAcceptFiles(hwnd(), TRUE);
    ShowAtPointer(hwnd());
    SetFocus(Edit1);
}

void TSetCommandForm::Btn_OKClick() {
    // Blanks alone are no name and no file: the data file would keep nothing of them.
    if (IsBlankField(FieldText(Edit1)) || IsBlankField(FieldText(Edit2))) return;
    TCommandItem row;
    HWND self = hwnd();
    if (!TakeFieldText(self, Edit1, L"コマンド", row.Name) ||
        !TakeFieldText(self, Edit2, L"ファイル", row.FilePath) ||
        !TakeFieldText(self, Edit3, L"オプション", row.Options) ||
        !TakeFieldText(self, Edit4, L"作業フォルダ", row.WorkDir))
        return;
    if (NameRefused(rows_, tag_, row.Name, AnsiCodePage(), &TSetCommandForm::SameName)) {
        ShowMessage(self, L"[" + FieldText(Edit1) + L"]はすでに登録されています。");
        return;
    }
    result_ = row;
    done_ = true;
}

void TSetCommandForm::Btn_CancelClick() { done_ = true; }

void TSetCommandForm::Btn_Sel1Click() { ChooseFileInto(hwnd(), Edit2); }

void TSetCommandForm::Btn_Sel2Click() { ChooseFolderInto(*SHBrowseForFolderEx1, Edit4); }

bool TSetCommandForm::Edit1KeyDown(HWND, WPARAM key) {
    if (key == VK_RETURN) {
        Btn_OKClick();
        return true;
    }
    if (key == VK_ESCAPE) {
        Btn_CancelClick();
        return true;
    }
    return false;
}

bool TSetCommandForm::Edit2KeyDown(HWND sender, WPARAM key) {
    switch (key) {
        case VK_RETURN:
            Btn_OKClick();
            return true;
        case VK_ESCAPE:  // the file and folder fields keep the dialog open
            return true;
        case VK_MENU:
            if (sender == Edit2)
                Btn_Sel1Click();
            else
                Btn_Sel2Click();
            return true;
    }
    return false;
}

bool TSetCommandForm::FieldKeyDown(HWND field, WPARAM key) {
    return (field == Edit2 || field == Edit4) ? Edit2KeyDown(field, key) : Edit1KeyDown(field, key);
}

void TSetCommandForm::WMDropFiles(HDROP drop) {
    DropFileInto(hwnd(), drop, Edit2, Edit4, L"ファイル");
}

LRESULT TSetCommandForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDOK:
                    Btn_OKClick();
                    break;
                case IDCANCEL:
                    Btn_CancelClick();
                    break;
                case kSel1Id:
                    Btn_Sel1Click();
                    break;
                case kSel2Id:
                    Btn_Sel2Click();
                    break;
            }
            return 0;
        case WM_DROPFILES:
            WMDropFiles(reinterpret_cast<HDROP>(wp));
            return 0;
        case WM_CTLCOLORSTATIC:
            return EntryLabelColor(reinterpret_cast<HDC>(wp));
        case WM_ACTIVATE:
            if (focus_.Activate(hwnd(), wp)) return 0;
            break;
        case WM_CLOSE:
            Btn_CancelClick();
            return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
