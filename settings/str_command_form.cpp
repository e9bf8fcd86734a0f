#include "settings/str_command_form.h"

#include "core/list_rows.h"
#include "settings/set_command_form.h"
#include "widgets/base/ansi.h"

namespace zarv {

TStrCommandForm::TStrCommandForm(EditorHost& host, const std::vector<TCommandItem>& list)
    : TListEditor(
          L"TStrCommandForm", L"コマンドの設定", 640, 362,
          {{L"コマンド", 150}, {L"ファイルパス", 0}, {L"オプション", 80}, {L"作業フォルダ", 50}},
          &host, true),
      host_(host),
      rows_(list) {}

std::wstring TStrCommandForm::CellText(int row, int column) {
    static constexpr TextColumn<TCommandItem> kColumns[] = {
        &TCommandItem::Name, &TCommandItem::FilePath, &TCommandItem::Options,
        &TCommandItem::WorkDir};
    return ColumnText(rows_[static_cast<size_t>(row)], kColumns, column);
}

void TStrCommandForm::MoveRow(int from, int to) { zarv::MoveRow(rows_, from, to); }

void TStrCommandForm::DeleteRow(int row) { rows_.erase(rows_.begin() + row); }

void TStrCommandForm::LookBtn_AddClick() {
    TSetCommandForm dialog(rows_, EntryMode::Add(), &host_);
    dialog.ShowModal(hwnd());
    if (const auto& item = dialog.Result()) {
        PutRow(rows_, kAddRow, *item);
        RowsChanged(RowCount() - 1);
    }
}

void TStrCommandForm::EditRow(int row) {
    TSetCommandForm dialog(rows_, EntryMode::Edit(row), &host_);
    dialog.ShowModal(hwnd());
    if (const auto& item = dialog.Result()) {
        PutRow(rows_, row, *item);
        RowsChanged(row);
    }
}

void TStrCommandForm::LookBtn_OKClick() {
    CommandList = CommandListFromRows(rows_, AnsiCodePage());
    host_.ApplyCommands();
    Close();
}

void TStrCommandForm::FormClose() { host_.SaveCommands(); }

}  // namespace zarv
