#include "settings/set_command_form.h"

#include "settings/control_ids.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

using namespace command_dialog;

constexpr int kEditHeight = 18;

const FormFrame kFrame{L"TSetCommandForm",
                       L"コマンドの設定",
                       396,
                       152,
                       true,
                       kDialogStyle,
                       kDialogExStyle,
                       FormPlace::AtPointer,
                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)};

// Escape in the file and folder fields keeps the dialog open.
const EntryKind kKind{{kEdit1, kEdit2, kEdit3, kEdit4, kBtnSel1, kBtnSel2},
                      L"コマンド",
                      {kPathFields, VK_ESCAPE, FieldAction::Nothing}};

const FormControl kControls[] = {
    {ControlKind::Label, -1, 8, 4, 0, 0, L"コマンド:", 0},
    {ControlKind::Edit, kEdit1, 70, 4, 289, kEditHeight, L"", 0},
    {ControlKind::Label, -1, 8, 32, 0, 0, L"ファイル:", 0},
    {ControlKind::Edit, kEdit2, 70, 32, 289, kEditHeight, L"", 0},
    {ControlKind::SpeedButton, kBtnSel1, 368, 32, 23, 19, L"...", 0},
    {ControlKind::Label, -1, 8, 60, 0, 0, L"オプション:", 0},
    {ControlKind::Edit, kEdit3, 70, 60, 289, kEditHeight, L"", 0},
    {ControlKind::Label, -1, 8, 88, 0, 0, L"作業フォルダ:", 0},
    {ControlKind::Edit, kEdit4, 87, 88, 273, kEditHeight, L"", 0},
    {ControlKind::SpeedButton, kBtnSel2, 368, 85, 23, 19, L"...", 0},
    {ControlKind::SpeedButton, IDOK, 216, 121, 73, 22, L"OK", 0},         // Btn_OK
    {ControlKind::SpeedButton, IDCANCEL, 304, 121, 81, 22, L"ｷｬﾝｾﾙ", 0},  // Btn_Cancel
};

}  // namespace

TSetCommandForm::TSetCommandForm(const CommandRows& rows, EntryMode mode, ModalCounter* counter)
    : TEntryDialog(kFrame, kKind, mode, counter), rows_(rows) {}

bool TSetCommandForm::SameName(std::string_view a, std::string_view b) {
    std::wstring wa = AnsiToWide(a), wb = AnsiToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

std::optional<TCommandItem> TSetCommandForm::Execute(HWND owner, const TCommandItem* entry) {
    entry_ = entry;
    RunEntry(owner, kControls);
    return result_;
}

void TSetCommandForm::FormCreate() {
    TEntryDialog::FormCreate();
    if (mode_.IsAdd() || !entry_) return;
    SetWindowTextW(Edit1, AnsiToWide(entry_->Name).c_str());
    SetWindowTextW(Edit2, AnsiToWide(entry_->FilePath).c_str());
    SetWindowTextW(Edit3, AnsiToWide(entry_->Options).c_str());
    SetWindowTextW(Edit4, AnsiToWide(entry_->WorkDir).c_str());
}

void TSetCommandForm::Btn_OKClick() {
    if (GetWindowTextLengthW(Edit1) == 0 || GetWindowTextLengthW(Edit2) == 0) return;
    TCommandItem row;
    if (!TakeTexts(row.Name, row.FilePath, row.Options, row.WorkDir, L"ファイル")) return;
    const int tag = mode_.IsAdd() ? kAddRow : mode_.Row();
    if (NameRefused(rows_, tag, row.Name, &TSetCommandForm::SameName)) {
        ShowMessage(hwnd(), L"[" + FieldText(Edit1) + L"]はすでに登録されています。");
        return;
    }
    result_ = row;
    Close();
}

}  // namespace zarv
