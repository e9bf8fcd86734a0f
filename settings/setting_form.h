#pragma once
// The hotkey list editor `TSettingForm`: one row per hotkey entry; Add and Edit open the entry
// dialog, OK re-registers the hot keys and rebuilds the launcher menu from the rows, and every
// close replaces HotkeyList by the rows and writes "Hotkey.DAT".
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/hotkey_rows.h"
#include "core/records.h"
#include "settings/editor_host.h"
#include "settings/list_editor.h"

namespace zarv {

class TSettingForm : public TListEditor {
public:
    // The rows of list, handed back through host, which also tells which combinations would not
    // work (the red key cells and the entry dialog's note).
    TSettingForm(EditorHost& host, const std::vector<THotkeyItem>& list);

protected:
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::wstring CellText(int row, int column) override;
    bool RowGreyed(int row) override;
    bool HasColouredCells() const override { return true; }
    bool CellRed(int row, int column) override;
    void MoveRow(int from, int to) override;
    void DeleteRow(int row) override;
    void LookBtn_AddClick() override;
    void EditRow(int row) override;
    void LookBtn_OKClick() override;
    void FormClose() override;

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Whether the file of a program row exists: asked of the worker the first time a path is
    // drawn, answered later (the row is struck through then); nothing until then.
    std::optional<bool> FileKnown(const std::string& path);

    EditorHost& host_;
    std::vector<HotkeyRow> rows_;
    // The answers by the path as the rows hold it, so an answer never reaches another path.
    std::vector<std::pair<std::string, std::optional<bool>>> files_;
};

}  // namespace zarv
