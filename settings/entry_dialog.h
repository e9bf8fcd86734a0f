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

// Where one of the four fields goes: its label at (8, LabelY), sized to its text; the field at
// (X, Y), Width wide; the "..." chooser of the file and folder fields ChooserY down.
struct EntryFieldPlace {
    const wchar_t* Label;
    int LabelY, X, Y, Width, ChooserY;
};

// The window of an entry dialog (396 wide), its name field's label, its field height, its choosers'
// left edge, the top of its OK and Cancel buttons and the size of its file field's label.
struct EntryWindow {
    const wchar_t* ClassName;
    const wchar_t* Caption;
    const wchar_t* NameLabel;  // the name field's label, for messages
    int ClientHeight, EditHeight, ChooserX, ButtonsTop;
    // The file field's label when it changes its text: wide enough for every text; 0 x 0: sized
    // to the text it starts with.
    int FileLabelWidth, FileLabelHeight;
};

// Control ids: the four fields, the two choosers and the file field's label.
struct EntryIds {
    int Name, File, Options, Folder, FileChooser, FolderChooser, FileLabel;
};

// What makes one entry dialog.
struct EntryKind {
    EntryWindow Window;
    EntryIds Ids;
    FieldKey OwnKey;            // looked up before the keys both dialogs share
    EntryFieldPlace Fields[4];  // name, file, options, folder
};

class TEntryDialog : public Form, private FieldKeyHandler {
protected:
    TEntryDialog(const EntryKind& kind, EntryMode mode, ModalCounter* counter);

    // Runs the dialog over owner. Its controls in tab order: the dialog's own leading ones,
    // the four fields with their choosers, the dialog's own trailing ones, OK and Cancel.
    template <std::size_t N, std::size_t M>
    void RunEntry(HWND owner, const FormControl (&leading)[N], const FormControl (&trailing)[M]) {
        RunEntry(owner, leading, N, trailing, M);
    }
    void RunEntry(HWND owner, const FormControl* leading, std::size_t leadingCount,
                  const FormControl* trailing, std::size_t trailingCount);

    // The four texts as a record takes them; false (with a message, the focus in the field)
    // when one cannot be stored unchanged. fileLabel: the file field's label.
    bool TakeTexts(std::string& name, std::string& file, std::string& options, std::string& folder,
                   const wchar_t* fileLabel);
    // True (after a message, the focus in the file field) when the file field names no
    // existing file.
    bool FileMissing();

    virtual void Btn_OKClick() = 0;
    void Btn_CancelClick() { Close(); }
    void OkClick() override { Btn_OKClick(); }
    void CancelClick() override { Btn_CancelClick(); }
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
    FormFrame frame_;
    FocusKeeper focus_;
    const FormControl* leading_ = nullptr;
    const FormControl* trailing_ = nullptr;
    std::size_t leadingCount_ = 0, trailingCount_ = 0;
};

}  // namespace zarv
