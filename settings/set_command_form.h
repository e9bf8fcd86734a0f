#pragma once
// The command entry dialog `TSetCommandForm`: one command's name, file, options and working
// folder, added to or changed in the command list editor's rows.
#include <windows.h>

#include <memory>
#include <optional>

#include "core/command_rows.h"
#include "settings/entry_fields.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {

class TSHBrowseForFolderEx;

class TSetCommandForm : public Window, private FieldKeyHandler {
public:
    // rows: the editor's rows, for the repeated-name test of add mode.
    explicit TSetCommandForm(const CommandRows& rows);
    ~TSetCommandForm() override;

    // Shows the dialog modally at the mouse pointer over owner; in edit mode (tag = the row's
    // position) its fields are filled from entry. The command confirmed with OK, for the editor
    // to write into its rows, or nothing after Cancel.
    std::optional<TCommandItem> Execute(HWND owner, int tag, const TCommandItem* entry);

    // The name comparison of the command bar: exact, letter case ignored.
    static bool SameName(std::string_view a, std::string_view b);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormCreate();
    void Fill(const TCommandItem& entry);
    void FormShow();
    void Btn_OKClick();
    void Btn_CancelClick();
    void Btn_Sel1Click();
    void Btn_Sel2Click();
    bool Edit1KeyDown(HWND sender, WPARAM key);
    bool Edit2KeyDown(HWND sender, WPARAM key);
    void WMDropFiles(HDROP drop);
    bool FieldKeyDown(HWND field, WPARAM key) override;

    const CommandRows& rows_;
    int tag_ = kAddRow;
    std::optional<TCommandItem> result_;
    bool done_ = false;
    UniqueFont font_;
    FocusKeeper focus_;
    std::unique_ptr<TSHBrowseForFolderEx> SHBrowseForFolderEx1;

    HWND Edit1 = nullptr;  // command
    HWND Edit2 = nullptr;  // file, tag 1
    HWND Edit3 = nullptr;  // options
    HWND Edit4 = nullptr;  // working folder, tag 2
    HWND Btn_Sel1 = nullptr;
    HWND Btn_Sel2 = nullptr;
    HWND Btn_OK = nullptr;
    HWND Btn_Cancel = nullptr;
};

}  // namespace zarv
