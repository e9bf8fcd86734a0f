#pragma once
// The command entry dialog `TSetCommandForm`: one command's name, file, options and working
// folder, added to or changed in the command list editor's rows.
#include <windows.h>

#include <optional>
#include <string_view>

#include "core/command_rows.h"
#include "settings/entry_dialog.h"

namespace zarv {

class TSetCommandForm : public TEntryDialog {
public:
    // rows: the editor's rows, for the repeated-name test of add mode.
    TSetCommandForm(const CommandRows& rows, EntryMode mode, ModalCounter* counter = nullptr);

    // Shows the dialog modally at the mouse pointer over owner; in edit mode its fields are
    // filled from entry. The command confirmed with OK, for the editor to write into its rows,
    // or nothing after Cancel.
    std::optional<TCommandItem> Execute(HWND owner, const TCommandItem* entry);

    // The name comparison of the command bar: exact, letter case ignored.
    static bool SameName(std::string_view a, std::string_view b);

protected:
    void FormCreate() override;

private:
    void Btn_OKClick() override;

    const CommandRows& rows_;
    const TCommandItem* entry_ = nullptr;
    std::optional<TCommandItem> result_;
};

}  // namespace zarv
