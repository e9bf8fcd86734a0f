#pragma once
// The pieces of the entry dialogs and editors: the keys of the fields, the file chooser and the
// folder browser, files dropped from the shell, the boxes the windows ask and tell with, and the
// check that a field's text fits the data file.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/entry_text.h"

namespace zarv {

// The text of a control.
std::wstring FieldText(HWND control);

// ---- Keys -------------------------------------------------------------------------------------

// What a dialog does with the keys of its fields.
class FieldKeyHandler {
public:
    // Key-down key in field (Enter, Escape and every other key), or VK_MENU for a bare Alt:
    // one pressed and released with no other key in between. True when the dialog acted on the
    // key: the field then does not see it.
    virtual bool FieldKeyDown(HWND field, WPARAM key) = 0;

protected:
    ~FieldKeyHandler() = default;
};

// Sends the key-downs of field to handler first. The field asks the dialog for Enter and Escape
// itself, so that they reach the handler instead of acting as the dialog's OK and Cancel.
void HookFieldKeys(HWND field, FieldKeyHandler& handler);

// Keeps the focus in the control the user was in while the dialog is inactive: call from the
// dialog's WM_ACTIVATE; true when it set the focus (the message is then handled).
class FocusKeeper {
public:
    bool Activate(HWND dialog, WPARAM wp);

private:
    HWND last_ = nullptr;
};

// ---- Choosers ---------------------------------------------------------------------------------

// The system's file-open dialog over dialog (no filter, no title); the chosen file's full path
// goes into fileField. True when a file was chosen. The focus comes back to where it was.
bool ChooseFileInto(HWND dialog, HWND fileField);

// The folder browser (a TSHBrowseForFolderEx set to sfManual), opened on the folder in
// folderField; the chosen folder goes into folderField as a working folder (one trailing "\"; a
// drive root keeps its own). True when a folder with a file-system path was chosen. The focus
// comes back to the field.
template <typename FolderBrowser>
bool ChooseFolderInto(FolderBrowser& browser, HWND folderField) {
    browser.SetSelectFolderName(FieldText(folderField));
    bool chosen = browser.Execute() && !browser.SelectedPath().empty();
    if (chosen) SetWindowTextW(folderField, WorkDirOf(browser.SelectedPath()).c_str());
    SetFocus(folderField);
    return chosen;
}

// A WM_DROPFILES on an entry dialog. Only the first file counts: its full path goes into
// fileField, then "作業フォルダを設定しますか？" is asked; on yes its folder goes into
// folderField as a working folder. A path the data file cannot hold unchanged is refused with a
// message naming fileName (the field's label), and no field changes. Releases the drop.
void DropFileInto(HWND dialog, HDROP drop, HWND fileField, HWND folderField,
                  const wchar_t* fileName);

// ---- Boxes ------------------------------------------------------------------------------------

// A plain box with the caption "ZARV" and an OK button.
void ShowMessage(HWND dialog, const std::wstring& text);
// A box with the caption "確認", the question-mark icon and "はい(&Y)" / "いいえ(&N)"; true for
// yes.
bool Confirm(HWND dialog, const wchar_t* question);
// Both give the keyboard focus back to the control that had it.

// A message about what field holds: the focus then goes into the field (where it is enabled),
// its text selected for typing over.
void ShowFieldMessage(HWND dialog, HWND field, const std::wstring& text);

// ---- The data file ----------------------------------------------------------------------------

// The text of field as the ANSI bytes a record takes. When the data file cannot hold it
// unchanged (a character the ANSI code page lacks, or longer than the file stores) it says so in
// a message naming the field (name, as its label reads), puts the focus into the field and
// returns false.
bool TakeFieldText(HWND dialog, HWND field, const wchar_t* name, std::string& bytes);

}  // namespace zarv
