#include "settings/set_command_form.h"

#include "settings/control_ids.h"
#include "widgets/base/ansi.h"

namespace zarv {
namespace {

using namespace command_dialog;

const EntryKind kKind{
    .Window = {.ClassName = L"TSetCommandForm",
               .Caption = L"コマンドの設定",
               .NameLabel = L"コマンド",
               .ClientHeight = 152,
               .EditHeight = 18,
               .ChooserX = 368,
               .ButtonsTop = 121},
    .Ids = {.Name = kEdit1,
            .File = kEdit2,
            .Options = kEdit3,
            .Folder = kEdit4,
            .FileChooser = kBtnSel1,
            .FolderChooser = kBtnSel2},
    // Escape in the file and folder fields keeps the dialog open.
    .OwnKey = {.Fields = kPathFields, .Key = VK_ESCAPE, .Action = FieldAction::Nothing},
    .Fields =
        {{.Label = L"コマンド:", .LabelY = 4, .X = 70, .Y = 4, .Width = 289},
         {.Label = L"ファイル:", .LabelY = 32, .X = 70, .Y = 32, .Width = 289, .ChooserY = 32},
         {.Label = L"オプション:", .LabelY = 60, .X = 70, .Y = 60, .Width = 289},
         {.Label = L"作業フォルダ:", .LabelY = 88, .X = 87, .Y = 88, .Width = 273, .ChooserY = 85}},
};

}  // namespace

TSetCommandForm::TSetCommandForm(const CommandRows& rows, EntryMode mode, ModalCounter* counter)
    : TEntryDialog(kKind, mode, counter), rows_(rows) {}

bool TSetCommandForm::SameName(std::string_view a, std::string_view b) {
    std::wstring wa = AnsiToWide(a), wb = AnsiToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

void TSetCommandForm::FormCreate() {
    TEntryDialog::FormCreate();
    if (mode_.IsAdd()) return;
    const TCommandItem& entry = rows_[static_cast<std::size_t>(mode_.Row())];
    SetWindowTextW(Edit1, AnsiToWide(entry.Name).c_str());
    SetWindowTextW(Edit2, AnsiToWide(entry.FilePath).c_str());
    SetWindowTextW(Edit3, AnsiToWide(entry.Options).c_str());
    SetWindowTextW(Edit4, AnsiToWide(entry.WorkDir).c_str());
}

void TSetCommandForm::Btn_OKClick() {
    // Blanks alone are no name and no file: the data file would keep nothing of them.
    if (IsBlankField(FieldText(Edit1)) || IsBlankField(FieldText(Edit2))) return;
    TCommandItem row;
    if (!TakeTexts(row.Name, row.FilePath, row.Options, row.WorkDir, L"ファイル")) return;
    const int tag = mode_.IsAdd() ? kAddRow : mode_.Row();
    if (NameRefused(rows_, tag, row.Name, AnsiCodePage(), &TSetCommandForm::SameName)) {
        ShowFieldMessage(hwnd(), Edit1, L"[" + FieldText(Edit1) + L"]はすでに登録されています。");
        return;
    }
    result_ = row;
    Close();
}

}  // namespace zarv
