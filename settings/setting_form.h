#pragma once
// The hotkey list editor `TSettingForm`: one row per hotkey entry; Add and Edit open the entry
// dialog, OK re-registers the hot keys and rebuilds the launcher menu from the rows, and every
// close replaces HotkeyList by the rows and writes "Hotkey.DAT".
#include <functional>
#include <vector>

#include "core/hotkey_rows.h"
#include "core/records.h"
#include "settings/key_status.h"
#include "settings/list_editor.h"

namespace zarv {

class TSettingForm : public TListEditor {
public:
    // registerHotkeys: drops the old hot keys and launcher items and makes them from the given
    // entries (OK); saveHotkeys: writes HotkeyList to its file (every close); keys: which
    // combinations would not work, for the red key cells and the entry dialog's note.
    TSettingForm(std::function<void(const std::vector<THotkeyItem>&)> registerHotkeys,
                 std::function<void()> saveHotkeys, KeyStatus& keys);

    // Shows the rows of list modally over owner; returns when the editor has closed.
    void Open(HWND owner, const std::vector<THotkeyItem>& list);

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

private:
    std::vector<HotkeyRow> rows_;
    std::function<void(const std::vector<THotkeyItem>&)> registerHotkeys_;
    std::function<void()> saveHotkeys_;
    KeyStatus& keys_;
};

}  // namespace zarv
