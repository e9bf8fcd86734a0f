#pragma once
// The command list editor `TStrCommandForm`: one row per command of the command bar; Add and Edit
// open the entry dialog, OK replaces CommandList by the rows, and every close writes
// "Command.DAT" (so a close without OK writes the list unchanged).
#include <vector>

#include "core/command_rows.h"
#include "core/records.h"
#include "settings/editor_host.h"
#include "settings/list_editor.h"

namespace zarv {

class TStrCommandForm : public TListEditor {
public:
    // The rows of list, handed back through host.
    TStrCommandForm(EditorHost& host, const std::vector<TCommandItem>& list);

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
    EditorHost& host_;
    CommandRows rows_;
};

}  // namespace zarv
