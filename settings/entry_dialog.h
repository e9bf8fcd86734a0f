#pragma once
// What the two entry dialogs (hotkey entry and command entry) share: the name, file, options and
// working-folder fields with the choosers of the file and folder fields, files dropped from the
// shell, the keys of the fields as a table, add or edit mode, and the checks OK makes before an
// entry goes back to its editor.
#include <windows.h>

#include <cstddef>
#include <span>
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
    unsigned Fields = 0;
    WPARAM Key = 0;
    FieldAction Action = FieldAction::Nothing;
};

// Where one of the four fields goes: its label at (8, LabelY), sized to its text; the field at
// (X, Y), Width wide; the "..." chooser of the file and folder fields ChooserY down.
struct EntryFieldPlace {
    const wchar_t* Label = nullptr;
    int LabelY = 0, X = 0, Y = 0, Width = 0, ChooserY = 0;
};

// The window of an entry dialog (396 wide), its name field's label, its field height, its choosers'
// left edge, the top of its OK and Cancel buttons and the size of its file field's label.
struct EntryWindow {
    const wchar_t* ClassName = nullptr;
    const wchar_t* Caption = nullptr;
    const wchar_t* NameLabel = nullptr;  // the name field's label, for messages
    int ClientHeight = 0, EditHeight = 0, ChooserX = 0, ButtonsTop = 0;
    // The file field's label when it changes its text: wide enough for every text; 0 x 0: sized
    // to the text it starts with.
    int FileLabelWidth = 0, FileLabelHeight = 0;
};

// Control ids: the four fields, the two choosers and the file field's label.
struct EntryIds {
    int Name = -1, File = -1, Options = -1, Folder = -1, FileChooser = -1, FolderChooser = -1,
        FileLabel = -1;
};

// What makes one entry dialog. Its controls in tab order: the dialog's own leading ones, the
// four fields with their choosers, the dialog's own trailing ones, OK and Cancel.
struct EntryKind {
    EntryWindow Window;
    EntryIds Ids;
    FieldKey OwnKey;            // looked up before the keys both dialogs share
    EntryFieldPlace Fields[4];  // name, file, options, folder
    std::span<const FormControl> Leading, Trailing;
};

class TEntryDialog : public Form, private FieldKeyHandler {
protected:
    TEntryDialog(const EntryKind& kind, EntryMode mode, ModalCounter* counter);

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
    // Whether the file field's path exists, asked of the worker. The dialog waits for that one
    // answer, switched off and with the busy cursor, while the program's other messages (its hot
    // keys among them) are still served.
    bool FileExistsWaiting(const std::wstring& path);
    void Btn_Sel1Click();
    void Btn_Sel2Click();
    bool FieldKeyDown(HWND field, WPARAM key) override;

    const EntryKind& kind_;
    FocusKeeper focus_;
    bool waiting_ = false;  // for the test of the file field
    bool fileFound_ = false;
};

}  // namespace zarv
