#pragma once
// The command bar's controls on the resident window: `Panel1` filling it, the editable drop-down
// `CommandBox` of command names and the flat button `Btn_Execute`.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/program_list.h"
#include "core/records.h"
#include "core/suggestions.h"
#include "menus/suggestion_list.h"
#include "widgets/base/scaled_controls.h"

namespace zarv {

// What the bar's owner does with the bar's events.
class CommandBarHost {
public:
    virtual void Btn_ExecuteClick() = 0;
    virtual void CommandBoxKeyDown(WPARAM key) = 0;
    virtual void Panel1MouseDown(int button, int x, int y) = 0;
    // A right click on the bar outside the input box, at screen position (x, y).
    virtual void BarContextMenu(int x, int y) = 0;
    // Has folder listed off the window thread, the answer coming back to the bar's window
    // (TCommandBar::FolderListed), so that typing never waits on a slow drive.
    virtual void ListFolder(const std::wstring& folder) = 0;
    // Has the Start menu's programs read off the window thread (unless what was read before,
    // stamp of folders, still stands), the answer coming back as TCommandBar::ProgramsRead.
    virtual void ReadPrograms(std::uint64_t stamp, const std::wstring& folders) = 0;

protected:
    ~CommandBarHost() = default;
};

class TCommandBar {
public:
    // The bar's size at 96 dpi.
    static constexpr int kWidth = 248;
    static constexpr int kHeight = 37;

    TCommandBar();
    ~TCommandBar();
    TCommandBar(const TCommandBar&) = delete;
    TCommandBar& operator=(const TCommandBar&) = delete;

    // Attaches the bar to the resident window and sizes it for the DPI of its monitor. The
    // controls come later (MakeControls): they need the common controls, which start-up does not
    // load.
    void Create(HWND bar, CommandBarHost& host);
    // Makes the controls with the names given so far, and loads the common controls they need,
    // unless that is done: while the program is idle after start-up, so that the first show is as
    // quick as the later ones. Showing the bar or asking it for a name before then makes them.
    void MakeControls();

    // Places the bar's bottom-right corner at the pointer, kept on the work area of the pointer's
    // monitor and laid out for that monitor's DPI, empties the input, shows the bar in the
    // foreground and puts the keyboard focus in the input.
    void ShowAtPointer();
    // WM_DPICHANGED of the bar's window: moved to a monitor of another DPI, the bar takes its
    // font and layout for that DPI and the suggested rectangle.
    void DpiChanged(WPARAM wp, LPARAM lp) { layout_.DpiChanged(bar_, wp, lp); }
    int Dpi() const { return layout_.Dpi(); }
    void Hide();
    bool IsShown() const;

    // The input text, unchanged and whole.
    std::wstring Text() const;
    // Position of the first name from the top equal to text, letter case ignored; -1 if none.
    int FindName(const std::wstring& text);
    // Replaces the names of the list by the commands' names, in list order.
    void RefillNames(const std::vector<TCommandItem>& commands);

    // Suggestions while the user types: command names, or a folder's entries (ListFolder).
    // A notice of the input box (CBN_...): a typed change brings the suggestions up to date.
    void CommandBoxNotice(WORD code);
    // The answer to a look-up of folder: its entries (none when it could not be listed). Only
    // the answer for the folder of the text in the box is taken.
    void FolderListed(const std::wstring& folder, std::vector<FolderEntry> entries);
    void CloseSuggestions() { suggestions_.Hide(); }
    // The answer to ReadPrograms: the programs read, or nothing when the folders are unchanged.
    void ProgramsRead(std::unique_ptr<StartMenuPrograms> read);
    // The shortcut of the program chosen among the suggestions; empty when none is chosen.
    std::wstring ChosenProgram() const;

    // The controls; nullptr until they are made (MakeControls).
    HWND CommandBox() const { return commandBox_; }
    HWND Btn_Execute() const { return button_; }
    HWND Panel1() const;

private:
    class TPanel;
    // After each new layout: the bar's size and the input box's heights for the DPI.
    void FitControls();
    void FillNames(const std::vector<std::wstring>& names);
    void Suggest();
    // Up, Down, Enter and Escape while suggestions are shown; true when the key was theirs.
    bool SuggestionKey(WPARAM key);
    // Puts a suggestion into the box; a folder's is followed by the folder's own entries.
    void TakeSuggestion(int row);
    void SetBoxText(const std::wstring& text);
    // Asks for the Start menu's programs, unless an answer is awaited.
    void AskPrograms();
    // The program of a suggestion's row, or -1 for a name's or a path's.
    std::int64_t ProgramOfRow(int row) const;
    // What a chosen suggestion puts into the box.
    std::wstring BoxTextOfRow(int row) const;
    // Forgets what was typed and listed (each showing starts afresh).
    void ForgetSuggestions();
    static LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR self);

    HWND bar_ = nullptr;
    std::unique_ptr<TPanel> panel_;
    HWND commandBox_ = nullptr;
    HWND button_ = nullptr;
    HWND edit_ = nullptr;
    ScaledControls layout_{[this] { FitControls(); }};
    CommandBarHost* host_ = nullptr;

    TSuggestionList suggestions_;
    // The commands' names: the list's, also before its controls exist, and the suggestions'.
    std::vector<std::wstring> commandNames_;
    std::wstring typed_;               // the text as typed, before a suggestion is chosen
    bool settingText_ = false;         // the box's text is being set, not typed
    std::optional<PathQuery> query_;   // the typed text as a path, when it is one
    std::vector<std::wstring> asked_;  // the folders whose look-ups are awaited
    std::wstring listedFolder_;        // the last folder listed, and its entries
    std::vector<FolderEntry> listed_;
    // The Start menu's programs (none until they are read), and those among the suggestions,
    // after the names.
    std::unique_ptr<StartMenuPrograms> programs_;
    bool programsAsked_ = false;
    std::size_t shownNames_ = 0;
    std::vector<std::uint32_t> shownPrograms_;
};

}  // namespace zarv
