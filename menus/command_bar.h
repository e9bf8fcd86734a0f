#pragma once
// The command bar's controls on the resident window: `Panel1` filling it, the editable drop-down
// `CommandBox` of command names and the flat button `Btn_Execute`.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/command_bar_layout.h"
#include "core/records.h"
#include "widgets/base/handles.h"

namespace zarv {

// What the bar's owner does with the bar's events.
class CommandBarHost {
public:
    virtual void Btn_ExecuteClick() = 0;
    virtual void CommandBoxKeyDown(WPARAM key) = 0;
    virtual void Panel1MouseDown(int button, int x, int y) = 0;
    // A right click on the bar outside the input box, at screen position (x, y).
    virtual void BarContextMenu(int x, int y) = 0;

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
    // unless that is done: in the first idle moment after start-up, so that the first show is as
    // quick as the later ones. Showing the bar or asking it for a name before then makes them.
    void MakeControls();

    // Places the bar's bottom-right corner at the pointer, kept on the pointer's monitor and laid
    // out for that monitor's DPI, empties the input, shows the bar in the foreground and puts the
    // keyboard focus in the input.
    void ShowAtPointer();
    // The bar was moved to a monitor of another DPI (WM_DPICHANGED): it takes the suggested
    // rectangle, its font and its layout for the new DPI.
    void DpiChanged(int dpi, const RECT& suggested);
    int Dpi() const { return dpi_; }
    void Hide();
    bool IsShown() const;

    // The input text, ANSI bytes, unchanged.
    std::string Text() const;
    // Position of the first name from the top equal to text, letter case ignored; -1 if none.
    int FindName(const std::string& text);
    // Replaces the names of the list by the commands' names, in list order.
    void RefillNames(const std::vector<TCommandItem>& commands);

    // The controls; nullptr until the bar is first shown.
    HWND CommandBox() const { return commandBox_; }
    HWND Btn_Execute() const { return button_; }
    HWND Panel1() const;

private:
    class TPanel;
    // Font, window size and controls for dpi.
    void LayOut(int dpi);
    // The controls' font and list heights for the layout, and with move their places too.
    void FitControls(bool move);
    void FillNames(const std::vector<std::wstring>& names);
    static LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR self);

    HWND bar_ = nullptr;
    std::unique_ptr<TPanel> panel_;
    HWND commandBox_ = nullptr;
    HWND button_ = nullptr;
    HWND edit_ = nullptr;
    int dpi_ = 0;  // the DPI the bar is laid out for
    CommandBarLayout layout_{};
    UniqueFont font_;
    CommandBarHost* host_ = nullptr;
    std::vector<std::wstring> names_;  // the list's names until the controls exist
};

}  // namespace zarv
