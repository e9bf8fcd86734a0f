#include "settings/set_command_form.h"

#include "settings/control_ids.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

using namespace command_dialog;

// Escape in the file and folder fields keeps the dialog open.
const EntryKind kKind{{L"TSetCommandForm", L"コマンドの設定", L"コマンド", 152, 18, 368, 121, 0, 0},
                      {kEdit1, kEdit2, kEdit3, kEdit4, kBtnSel1, kBtnSel2, -1},
                      {kPathFields, VK_ESCAPE, FieldAction::Nothing},
                      {{L"コマンド:", 4, 70, 4, 289, 0},
                       {L"ファイル:", 32, 70, 32, 289, 32},
                       {L"オプション:", 60, 70, 60, 289, 0},
                       {L"作業フォルダ:", 88, 87, 88, 273, 85}}};

}  // namespace

TSetCommandForm::TSetCommandForm(const CommandRows& rows, EntryMode mode, ModalCounter* counter)
    : TEntryDialog(kKind, mode, counter), rows_(rows) {}

bool TSetCommandForm::SameName(std::string_view a, std::string_view b) {
    std::wstring wa = AnsiToWide(a), wb = AnsiToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

std::optional<TCommandItem> TSetCommandForm::Execute(HWND owner, const TCommandItem* entry) {
    entry_ = entry;
    RunEntry(owner, nullptr, 0, nullptr, 0);
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
    // Blanks alone are no name and no file: the data file would keep nothing of them.
    if (IsBlankField(FieldText(Edit1)) || IsBlankField(FieldText(Edit2))) return;
    TCommandItem row;
    if (!TakeTexts(row.Name, row.FilePath, row.Options, row.WorkDir, L"ファイル")) return;
    const int tag = mode_.IsAdd() ? kAddRow : mode_.Row();
    if (NameRefused(rows_, tag, row.Name, AnsiCodePage(), &TSetCommandForm::SameName)) {
        ShowMessage(hwnd(), L"[" + FieldText(Edit1) + L"]はすでに登録されています。");
        return;
    }
    result_ = row;
    Close();
}

}  // namespace zarv
