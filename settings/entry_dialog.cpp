#include "settings/entry_dialog.h"

#include <shellapi.h>

#include "widgets/base/accessible_name.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"
#include "widgets/folder_browser.h"

namespace zarv {
namespace {

constexpr int kEntryWidth = 396;
constexpr int kLabelX = 8;
constexpr int kChooserWidth = 23, kChooserHeight = 19;

constexpr UINT kFileTestedMessage = WM_APP + 13;

const wchar_t kMissingFile[] = L"ファイルが存在しません。正しくファイルパスを指定してください。";

// The keys of the fields both dialogs share; a dialog's own row comes first.
const FieldKey kSharedKeys[] = {
    {kAnyField, VK_RETURN, FieldAction::Ok},
    {kAnyField, VK_ESCAPE, FieldAction::Cancel},
    {kFileField, VK_MENU, FieldAction::ChooseFile},
    {kFolderField, VK_MENU, FieldAction::ChooseFolder},
};

}  // namespace

TEntryDialog::TEntryDialog(const EntryKind& kind, EntryMode mode, ModalCounter* counter)
    : Form(DialogFrame(kind.Window.ClassName, kind.Window.Caption, kEntryWidth,
                       kind.Window.ClientHeight),
           counter),
      mode_(mode),
      kind_(kind) {}

void TEntryDialog::FormCreate() {
    for (const FormControl& c : kind_.Leading) AddControl(c);
    const EntryIds& id = kind_.Ids;
    const EntryWindow& window = kind_.Window;
    const int ids[4] = {id.Name, id.File, id.Options, id.Folder};
    const int choosers[4] = {0, id.FileChooser, 0, id.FolderChooser};
    for (int k = 0; k < 4; ++k) {
        const EntryFieldPlace& f = kind_.Fields[k];
        const bool file = k == 1;
        AddControl({.Kind = ControlKind::Label,
                    .Id = file ? id.FileLabel : -1,
                    .X = kLabelX,
                    .Y = f.LabelY,
                    .Width = file ? window.FileLabelWidth : 0,
                    .Height = file ? window.FileLabelHeight : 0,
                    .Caption = f.Label});
        AddControl({.Kind = ControlKind::Edit,
                    .Id = ids[k],
                    .X = f.X,
                    .Y = f.Y,
                    .Width = f.Width,
                    .Height = window.EditHeight});
        if (choosers[k])
            AddControl({.Kind = ControlKind::SpeedButton,
                        .Id = choosers[k],
                        .X = window.ChooserX,
                        .Y = f.ChooserY,
                        .Width = kChooserWidth,
                        .Height = kChooserHeight,
                        .Caption = L"...",
                        .Style = WS_TABSTOP});
    }
    for (const FormControl& c : kind_.Trailing) AddControl(c);
    AddControl({.Kind = ControlKind::SpeedButton,
                .Id = IDOK,
                .X = 216,
                .Y = window.ButtonsTop,
                .Width = 73,
                .Height = 22,
                .Caption = L"OK",
                .Style = WS_TABSTOP | BS_DEFPUSHBUTTON});
    AddControl({.Kind = ControlKind::SpeedButton,
                .Id = IDCANCEL,
                .X = 304,
                .Y = window.ButtonsTop,
                .Width = 81,
                .Height = 22,
                .Caption = L"ｷｬﾝｾﾙ",
                .Style = WS_TABSTOP});
    Edit1 = Control(kind_.Ids.Name);
    Edit2 = Control(kind_.Ids.File);
    Edit3 = Control(kind_.Ids.Options);
    Edit4 = Control(kind_.Ids.Folder);
    for (HWND field : {Edit1, Edit2, Edit3, Edit4}) HookFieldKeys(field, *this);
    // The choosers show "...": a screen reader reads what they choose.
    SetAccessibleName(Control(kind_.Ids.FileChooser), L"ファイルの選択");
    SetAccessibleName(Control(kind_.Ids.FolderChooser), L"作業フォルダの選択");
}

void TEntryDialog::FormShow() {
    DragAcceptFiles(hwnd(), TRUE);
    SetFocus(Edit1);
}

bool TEntryDialog::TakeTexts(std::string& name, std::string& file, std::string& options,
                             std::string& folder, const wchar_t* fileLabel) {
    // Every text must come back from the data file as it was typed.
    HWND self = hwnd();
    return TakeFieldText(self, Edit1, kind_.Window.NameLabel, name) &&
           TakeFieldText(self, Edit2, fileLabel, file) &&
           TakeFieldText(self, Edit3, L"オプション", options) &&
           TakeFieldText(self, Edit4, L"作業フォルダ", folder);
}

bool TEntryDialog::FileMissing() {
    // With its %NAME% references expanded, as it will be started.
    if (FileExistsWaiting(FieldText(Edit2))) return false;
    ShowFieldMessage(hwnd(), Edit2, kMissingFile);
    return true;
}

bool TEntryDialog::FileExistsWaiting(const std::wstring& path) {
    auto job = std::make_unique<FileTest>(path);
    job->Window = hwnd();
    job->Message = kFileTestedMessage;
    // The user waits for it: it never queues behind the entries' checks.
    Worker::Shared().Post(std::move(job), WorkerLane::Lookup);
    HWND focus = GetFocus();
    waiting_ = true;
    EnableWindow(hwnd(), FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    MSG msg;
    while (waiting_) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that ends the program
            waiting_ = false;
            fileFound_ = false;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EnableWindow(hwnd(), TRUE);
    if (focus) SetFocus(focus);
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y);  // the cursor of what lies under the pointer again
    return fileFound_;
}

bool TEntryDialog::IsField(HWND control) const {
    return control == Edit1 || control == Edit2 || control == Edit3 || control == Edit4;
}

void TEntryDialog::Btn_Sel1Click() { ChooseFileInto(hwnd(), Edit2); }

void TEntryDialog::Btn_Sel2Click() {
    TSHBrowseForFolderEx browser(hwnd());
    browser.SetSelectFolder(sfManual);
    ChooseFolderInto(browser, Edit4);
}

bool TEntryDialog::FieldKeyDown(HWND field, WPARAM key) {
    const unsigned which = field == Edit1   ? kNameField
                           : field == Edit2 ? kFileField
                           : field == Edit3 ? kOptionsField
                                            : kFolderField;
    const FieldKey* found = nullptr;
    if ((kind_.OwnKey.Fields & which) && kind_.OwnKey.Key == key) found = &kind_.OwnKey;
    for (const FieldKey& row : kSharedKeys)
        if (!found && (row.Fields & which) && row.Key == key) found = &row;
    if (!found) return false;
    switch (found->Action) {
        case FieldAction::Ok:
            Btn_OKClick();
            break;
        case FieldAction::Cancel:
            Btn_CancelClick();
            break;
        case FieldAction::ChooseFile:
            Btn_Sel1Click();
            break;
        case FieldAction::ChooseFolder:
            Btn_Sel2Click();
            break;
        case FieldAction::Nothing:
            break;
    }
    return true;
}

LRESULT TEntryDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (id == IDOK) {
                Btn_OKClick();
            } else if (id == IDCANCEL) {
                Btn_CancelClick();
            } else if (HIWORD(wp) == BN_CLICKED && id == kind_.Ids.FileChooser) {
                Btn_Sel1Click();
            } else if (HIWORD(wp) == BN_CLICKED && id == kind_.Ids.FolderChooser) {
                Btn_Sel2Click();
            } else {
                break;
            }
            return 0;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // Labels on the window colour; a switched-off field takes the button face.
            HWND control = reinterpret_cast<HWND>(lp);
            HDC dc = reinterpret_cast<HDC>(wp);
            const bool field = GetParent(control) != hwnd() || IsField(control);
            const int colour = field && !IsWindowEnabled(control) ? COLOR_BTNFACE : COLOR_WINDOW;
            SetBkColor(dc, GetSysColor(colour));
            if (!field) SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
        }
        case kFileTestedMessage:
            fileFound_ = Worker::Answer<FileTest>(lp)->Exists;
            waiting_ = false;
            return 0;
        case WM_SETCURSOR:
            if (!waiting_) break;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        case WM_DROPFILES:
            DropFileInto(hwnd(), reinterpret_cast<HDROP>(wp), Edit2, Edit4, FileLabel());
            return 0;
        case WM_ACTIVATE:
            if (focus_.Activate(hwnd(), wp)) return 0;
            break;
        default:
            break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
