#include "menus/command_bar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/name_match.h"
#include "core/placement.h"
#include "core/variables.h"
#include "widgets/base/ansi.h"
#include "widgets/base/dpi.h"
#include "widgets/base/files.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

constexpr int kButtonId = 2;
constexpr int kBoxId = 1;
// The input box's selection field is 20 high (at 96 dpi), its list's items 12. The frame around
// the field, 20 - 14 pixels, the system draws the same at every DPI, so the field's item height
// makes up the rest of the scaled height.
constexpr int kFieldHeight = 20;
constexpr int kListItemHeight = 12;
constexpr int kBoxFrame = 6;
// After a program's name among the suggestions, so that it is told apart from a command's (also
// by a screen reader).
constexpr wchar_t kProgramMark[] = L" — プログラム";

// The input box's name for a screen reader: a label just before it, as large as nothing.
const FormControl kBoxLabel{.Kind = ControlKind::Static, .X = 8, .Y = 8, .Caption = L"コマンド:"};
const FormControl kPanel1{
    .Kind = ControlKind::Window, .Width = TCommandBar::kWidth, .Height = TCommandBar::kHeight};
// The height given to a drop-down combo box is that of its open list.
const FormControl kCommandBox{
    .Kind = ControlKind::ComboBox, .Id = kBoxId, .X = 8, .Y = 8, .Width = 177, .Height = 200};
const FormControl kBtn_Execute{.Kind = ControlKind::SpeedButton,
                               .Id = kButtonId,
                               .X = 192,
                               .Y = 8,
                               .Width = 49,
                               .Height = 22,
                               .Caption = L"実行"};

}  // namespace

// The panel that fills the bar in the window colour (white in the default theme): its bevel, the
// drag handle and the right-click menu.
class TCommandBar::TPanel : public Window {
public:
    TPanel(HWND parent, CommandBarHost& host, int width, int height) : host_(host) {
        Create(L"TPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, width, height,
               parent, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(hwnd(), &ps);
                RECT r;
                GetClientRect(hwnd(), &r);
                FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
                // Outer bevel lowered, inner bevel raised.
                DrawEdge(dc, &r, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
                EndPaint(hwnd(), &ps);
                return 0;
            }
            case WM_LBUTTONDOWN:
                host_.Panel1MouseDown(0, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
                return 0;
            case WM_RBUTTONDOWN:
                host_.Panel1MouseDown(1, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
                return 0;
            case WM_CONTEXTMENU: {
                // Right click anywhere on the bar but in the input box (whose edit has its own).
                POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                if (pt.x == -1 && pt.y == -1) GetCursorPos(&pt);
                host_.BarContextMenu(pt.x, pt.y);
                return 0;
            }
            case WM_COMMAND:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_MEASUREITEM:
            case WM_DRAWITEM:
                // The controls sit on the panel; their notices belong to the bar.
                return SendMessageW(GetParent(hwnd()), msg, wp, lp);
        }
        return Window::HandleMessage(msg, wp, lp);
    }

private:
    CommandBarHost& host_;
};

TCommandBar::TCommandBar() = default;

TCommandBar::~TCommandBar() {
    if (edit_) RemoveWindowSubclass(edit_, &TCommandBar::EditProc, 1);
}

HWND TCommandBar::Panel1() const { return panel_ ? panel_->hwnd() : nullptr; }

void TCommandBar::Create(HWND bar, CommandBarHost& host) {
    bar_ = bar;
    host_ = &host;
    if (layout_.SetDpi(DpiForWindow(bar_))) layout_.LayOut(bar_);
}

void TCommandBar::FitControls() {
    SetWindowPos(bar_, nullptr, 0, 0, layout_.Scale(kWidth), layout_.Scale(kHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!commandBox_) return;
    const int field = layout_.Scale(kCommandBox.Y + kFieldHeight) - layout_.Scale(kCommandBox.Y);
    SendMessageW(commandBox_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - kBoxFrame);
    SendMessageW(commandBox_, CB_SETITEMHEIGHT, 0, layout_.Scale(kListItemHeight));
}

void TCommandBar::MakeControls() {
    if (panel_) return;
    EnsureCommonControls();
    panel_ = std::make_unique<TPanel>(bar_, *host_, layout_.Scale(kWidth), layout_.Scale(kHeight));
    HWND panel = panel_->hwnd();
    layout_.Keep(panel, kPanel1);
    layout_.Make(panel, kBoxLabel);
    commandBox_ = layout_.Make(panel, kCommandBox);
    button_ = layout_.Make(panel, kBtn_Execute);
    FitControls();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(commandBox_, &info)) edit_ = info.hwndItem;
    if (edit_)
        SetWindowSubclass(edit_, &TCommandBar::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    FillNames(commandNames_);
    suggestions_.Create(bar_, [this](int row) { TakeSuggestion(row); });
    // The programs are read as soon as the program is idle, or at the first show.
    AskPrograms();
}

void TCommandBar::AskPrograms() {
    if (programsAsked_ || !host_) return;
    programsAsked_ = true;
    host_->ReadPrograms(programs_ ? programs_->stamp : 0,
                        programs_ ? programs_->folders : std::wstring());
}

void TCommandBar::ProgramsRead(std::unique_ptr<StartMenuPrograms> read) {
    programsAsked_ = false;
    if (!read) return;
    programs_ = std::move(read);
    // Suggestions on the screen take the new programs in (a choice among the old ones is
    // dropped: the box holds the typed text again).
    if (!IsShown() || query_ || typed_.empty()) return;
    if (suggestions_.Chosen() >= 0) SetBoxText(typed_);
    Suggest();
}

void TCommandBar::FillNames(const std::vector<std::wstring>& names) {
    SendMessageW(commandBox_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : names)
        SendMessageW(commandBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

LRESULT CALLBACK TCommandBar::EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR selfPtr) {
    auto* self = reinterpret_cast<TCommandBar*>(selfPtr);
    if (msg == WM_CHAR && (wp == VK_RETURN || wp == VK_ESCAPE)) return 0;  // no beep
    if (msg == WM_KEYDOWN && self->SuggestionKey(wp)) return 0;
    if (msg == WM_KEYDOWN) {
        // The combo box handles the key first (Enter takes the item picked in an open list),
        // then the bar's handler sees it.
        LRESULT r = DefSubclassProc(h, msg, wp, lp);
        if (self->host_) self->host_->CommandBoxKeyDown(wp);
        return r;
    }
    return DefSubclassProc(h, msg, wp, lp);
}

void TCommandBar::ShowAtPointer() {
    // Laid out for the pointer's monitor before it moves there, so that the notice that follows
    // the move (of the DPI it has then) changes nothing.
    POINT pt{};
    GetCursorPos(&pt);
    if (layout_.SetDpi(DpiForPoint(pt, bar_))) layout_.LayOut(bar_);
    MakeControls();
    // A shortcut added or removed since the last show is seen now.
    AskPrograms();
    const int width = layout_.Scale(kWidth), height = layout_.Scale(kHeight);
    // Whole on the work area of that monitor, above a taskbar the pointer is on.
    const Point p = PlaceBarAtPointer(Point{pt.x, pt.y}, width, height, WorkAreaAt(pt));
    SetWindowPos(bar_, HWND_TOPMOST, p.x, p.y, width, height, SWP_NOACTIVATE);
    // Nothing picked from the list before is kept either.
    SendMessageW(commandBox_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(commandBox_, L"");
    ForgetSuggestions();
    ShowWindow(bar_, SW_SHOW);
    SetForegroundWindow(bar_);
    SetFocus(commandBox_);
}

void TCommandBar::Hide() {
    if (commandBox_) SendMessageW(commandBox_, CB_SHOWDROPDOWN, FALSE, 0);
    ForgetSuggestions();
    ShowWindow(bar_, SW_HIDE);
}

bool TCommandBar::IsShown() const { return IsWindowVisible(bar_) != FALSE; }

std::wstring TCommandBar::Text() const {
    if (!commandBox_) return {};
    int n = GetWindowTextLengthW(commandBox_);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(commandBox_, w.data(), n + 1);
    w.resize(static_cast<size_t>(n));
    return w;
}

int TCommandBar::FindName(const std::wstring& text) {
    // The combo box's own search, so that the comparison is always the one the bar runs with.
    MakeControls();
    LRESULT k = SendMessageW(commandBox_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(text.c_str()));
    return k == CB_ERR ? -1 : static_cast<int>(k);
}

void TCommandBar::RefillNames(const std::vector<TCommandItem>& commands) {
    std::vector<std::wstring> names;
    names.reserve(commands.size());
    for (const TCommandItem& c : commands) names.push_back(AnsiToWide(c.Name));
    commandNames_ = std::move(names);
    if (panel_) FillNames(commandNames_);
}

void TCommandBar::CommandBoxNotice(WORD code) {
    if (code == CBN_EDITCHANGE && !settingText_) Suggest();
    // The box's own list of every name replaces the suggestions.
    if (code == CBN_DROPDOWN) CloseSuggestions();
}

void TCommandBar::Suggest() {
    typed_ = Text();
    if (typed_.empty() || SendMessageW(commandBox_, CB_GETDROPPEDSTATE, 0, 0)) {
        query_.reset();
        CloseSuggestions();
        return;
    }
    // Only the environment is read here; the folder is listed off the window thread.
    query_ = ReadPathQuery(typed_, typed_.find(L'%') == std::wstring::npos
                                       ? typed_
                                       : ExpandVariables(typed_, EnvironmentVariable));
    // Under the bar (or over it), lined up with the box: the bar, on top, would hide what of
    // the list lay on it.
    RECT box{}, bar{};
    GetWindowRect(commandBox_, &box);
    GetWindowRect(bar_, &bar);
    box.top = bar.top;
    box.bottom = bar.bottom;
    std::vector<std::wstring> texts;
    shownPrograms_.clear();
    if (!query_) {
        for (std::size_t i : SuggestNames(commandNames_, typed_)) texts.push_back(commandNames_[i]);
        shownNames_ = texts.size();
        if (programs_ && texts.size() < TSuggestionList::kMostRows) {
            shownPrograms_ =
                programs_->programs.Suggest(typed_, TSuggestionList::kMostRows - texts.size());
            for (std::uint32_t i : shownPrograms_)
                texts.push_back(std::wstring(programs_->programs.Name(i)) + kProgramMark);
        }
    } else if (query_->folder == listedFolder_) {
        texts = SuggestPaths(*query_, listed_);
    } else if (host_ && std::find(asked_.begin(), asked_.end(), query_->folder) == asked_.end()) {
        // Each folder is asked for once until it answers, also over later showings of the bar:
        // one on a drive that does not answer is not asked again and again.
        asked_.push_back(query_->folder);
        host_->ListFolder(query_->folder);
    }
    suggestions_.Show(texts, box, layout_.Font());
}

void TCommandBar::FolderListed(const std::wstring& folder, std::vector<FolderEntry> entries) {
    asked_.erase(std::remove(asked_.begin(), asked_.end(), folder), asked_.end());
    if (!IsShown() || !query_ || folder != query_->folder) return;
    listedFolder_ = folder;
    listed_ = std::move(entries);
    Suggest();
}

bool TCommandBar::SuggestionKey(WPARAM key) {
    if (!suggestions_.IsShown()) return false;
    switch (key) {
        case VK_DOWN:
        case VK_UP: {
            // The chosen suggestion shows in the box; back at no choice, the typed text.
            const int row = suggestions_.Move(key == VK_DOWN ? 1 : -1);
            SetBoxText(row < 0 ? typed_ : BoxTextOfRow(row));
            return true;
        }
        case VK_RETURN: {
            // A chosen path goes into the box to be run by a second Enter; a chosen name, in the
            // box already, runs as typed text does.
            const int row = suggestions_.Chosen();
            if (row >= 0 && query_) {
                TakeSuggestion(row);
                return true;
            }
            // A chosen program is started by the run (ChosenProgram), the list still up.
            if (ProgramOfRow(row) < 0) CloseSuggestions();
            return false;
        }
        case VK_ESCAPE:
            SetBoxText(typed_);
            CloseSuggestions();
            return true;
    }
    return false;
}

std::int64_t TCommandBar::ProgramOfRow(int row) const {
    if (row < 0 || query_ || static_cast<std::size_t>(row) < shownNames_) return -1;
    const std::size_t k = static_cast<std::size_t>(row) - shownNames_;
    return k < shownPrograms_.size() ? shownPrograms_[k] : -1;
}

std::wstring TCommandBar::BoxTextOfRow(int row) const {
    const std::int64_t program = ProgramOfRow(row);
    if (program < 0) return suggestions_.Text(row);
    return std::wstring(programs_->programs.Name(static_cast<std::size_t>(program)));
}

std::wstring TCommandBar::ChosenProgram() const {
    const std::int64_t program = ProgramOfRow(suggestions_.Chosen());
    return program < 0 ? std::wstring() : programs_->LinkPath(static_cast<std::size_t>(program));
}

void TCommandBar::TakeSuggestion(int row) {
    if (ProgramOfRow(row) >= 0) {
        // A program clicked is started at once, as one chosen and run.
        suggestions_.Choose(row);
        SetBoxText(BoxTextOfRow(row));
        if (host_) host_->Btn_ExecuteClick();
        return;
    }
    const std::wstring text = suggestions_.Text(row);
    SetBoxText(text);
    CloseSuggestions();
    if (query_ && !text.empty() && text.back() == L'\\') Suggest();
}

void TCommandBar::SetBoxText(const std::wstring& text) {
    settingText_ = true;
    SetWindowTextW(commandBox_, text.c_str());
    settingText_ = false;
    const auto end = static_cast<WPARAM>(text.size());
    if (edit_) SendMessageW(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void TCommandBar::ForgetSuggestions() {
    CloseSuggestions();
    typed_.clear();
    query_.reset();
    listedFolder_.clear();
    std::vector<FolderEntry>().swap(listed_);
    shownPrograms_.clear();
}

}  // namespace zarv
