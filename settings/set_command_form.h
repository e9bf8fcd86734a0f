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
    // rows: the editor's rows, for the repeated-name test of add mode (in edit mode the fields
    // are filled from the row). The dialog opens at the mouse pointer.
    TSetCommandForm(const CommandRows& rows, EntryMode mode, ModalCounter* counter = nullptr);

    // After ShowModal: the command confirmed with OK, for the editor to write into its rows, or
    // nothing after Cancel.
    const std::optional<TCommandItem>& Result() const { return result_; }

    // The name comparison of the command bar: exact, letter case ignored.
    static bool SameName(std::string_view a, std::string_view b);

protected:
    void FormCreate() override;

private:
    void Btn_OKClick() override;

    const CommandRows& rows_;
    std::optional<TCommandItem> result_;
};

}  // namespace zarv
