#pragma once
// What the two entry dialogs (hotkey entry and command entry) share: the name, file, options and
// working-folder fields with the choosers of the file and folder fields, files dropped from the
// shell, the keys of the fields as a table, add or edit mode, and the checks OK makes before an
// entry goes back to its editor.
#include <windows.h>

#include <cstddef>
#include <string>

#include "settings/entry_fields.h"
#include "widgets/base/form.h"

namespace zarv {

// Add mode, or edit mode with the position of the row being changed.
class EntryMode {
public:
    static EntryMode Add() { return EntryMode(-1); }
    static EntryMode Edit(int row) { return EntryMode(row); }
    bool IsAdd() const { return row_ < 0; }
    // The row being changed; -1 in add mode.
    int Row() const { return row_; }

private:
    explicit EntryMode(int row) : row_(row) {}
    int row_;
};

// The four fields every entry has, as bits for the key table.
enum EntryField : unsigned {
    kNameField = 1,     // the title or the command name
    kFileField = 2,     // file or URL
    kOptionsField = 4,  // options
    kFolderField = 8,   // working folder
    kPathFields = kFileField | kFolderField,
    kAnyField = 15,
};

enum class FieldAction { Ok, Cancel, ChooseFile, ChooseFolder, Nothing };

// A key on some fields and what the dialog does with it.
struct FieldKey {
    unsigned Fields;
    WPARAM Key;
    FieldAction Action;
};

// The controls of an entry dialog that the base works with.
struct EntryControls {
    int Name, File, Options, Folder, FileChooser, FolderChooser;
};

// The parts of an entry dialog besides its frame and controls.
struct EntryKind {
    EntryControls Ids;
    const wchar_t* NameLabel;  // the name field's label, for messages
    FieldKey OwnKey;           // looked up before the keys both dialogs share
};

class TEntryDialog : public Form, private FieldKeyHandler {
protected:
    TEntryDialog(const FormFrame& frame, const EntryKind& kind, EntryMode mode,
                 ModalCounter* counter);

    // Runs the dialog with controls (made in tab order, the four fields among them).
    template <std::size_t N>
    bool RunEntry(HWND owner, const FormControl (&controls)[N]) {
        return RunModal(owner, controls, N);
    }

    // The four texts as a record takes them; false (with a message, the focus in the field)
    // when one cannot be stored unchanged. fileLabel: the file field's label.
    bool TakeTexts(std::string& name, std::string& file, std::string& options, std::string& folder,
                   const wchar_t* fileLabel);
    // True (after a message, the focus in the file field) when the file field names no
    // existing file.
    bool FileMissing();

    virtual void Btn_OKClick() = 0;
    void Btn_CancelClick() { Close(); }
    // The file field's label as it reads now.
    virtual const wchar_t* FileLabel() const { return L"ファイル"; }
    // Fields the dialog has switched off take the button face.
    bool IsField(HWND control) const;

    void FormCreate() override;
    void FormShow() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    const EntryMode mode_;
    HWND Edit1 = nullptr;  // name
    HWND Edit2 = nullptr;  // file
    HWND Edit3 = nullptr;  // options
    HWND Edit4 = nullptr;  // working folder

private:
    void Btn_Sel1Click();
    void Btn_Sel2Click();
    bool FieldKeyDown(HWND field, WPARAM key) override;

    const EntryKind& kind_;
    FocusKeeper focus_;
};

}  // namespace zarv
