#pragma once
// The command list editor `TStrCommandForm`: one row per command of the command bar; Add and Edit
// open the entry dialog, OK replaces CommandList by the rows, and every close writes
// "Command.DAT" (so a close without OK writes the list unchanged).
#include <functional>
#include <vector>

#include "core/command_rows.h"
#include "core/records.h"
#include "settings/list_editor.h"

namespace zarv {

class TStrCommandForm : public TListEditor {
public:
    // saveCommands: writes CommandList to its file (every close).
    explicit TStrCommandForm(std::function<void()> saveCommands);

    // Shows the rows of list modally over owner; returns when the editor has closed.
    void Open(HWND owner, const std::vector<TCommandItem>& list);

protected:
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::wstring CellText(int row, int column) override;
    void MoveRow(int from, int to) override;
    void DeleteRow(int row) override;
    void LookBtn_AddClick() override;
    void EditRow(int row) override;
    void LookBtn_OKClick() override;
    void FormClose() override;

private:
    CommandRows rows_;
    std::function<void()> saveCommands_;
};

}  // namespace zarv
