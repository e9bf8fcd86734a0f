#pragma once
// The controls of a window laid out from 96-dpi rows for the DPI of the monitor it is on: the
// 12-pixel font made for that DPI, every control made from its row and placed by its scaled
// edges, and all of it laid out again when the window goes to a monitor of another DPI
// (WM_DPICHANGED). The form base and the command bar keep their controls here, and whatever
// else of theirs has a 96-dpi size (pictures, columns, the button bar) takes its pixels from
// Scale: the one place where 96-dpi units become pixels.
#include <windows.h>

#include <functional>
#include <vector>

#include "core/dpi.h"
#include "widgets/base/handles.h"

namespace zarv {

// What a control of a table is.
enum class ControlKind {
    Label,        // a static text; a width of 0 sizes it to its caption
    Static,       // a static control of the row's size (an etched line, a label of fixed size)
    Edit,         // a flat one-line field in the tab order
    Memo,         // an edit control of the row's style alone (a read-only text, say)
    Button,       // a push button in the tab order (a flat check box with BS_CHECKBOX)
    SpeedButton,  // a flat button that a mouse click leaves the focus where it was (WS_TABSTOP in
                  // the row's style puts it in the tab order)
    ComboBox,     // a drop-down box in the tab order; the height is that of its open list
    Window,       // a window made by its owner (a panel, say), only placed here
};

// One control: its place and size in 96-dpi units. Tables of them are made in order, which is
// also the tab order.
struct FormControl {
    ControlKind Kind = ControlKind::Label;
    int Id = -1;  // -1: no id
    int X = 0, Y = 0, Width = 0, Height = 0;
    const wchar_t* Caption = nullptr;
    DWORD Style = 0;  // added to the style of the kind
};

class ScaledControls {
public:
    // laidOut: told after each new layout, before the window takes its new size; its owner lays
    // out there what is not a row (fonts and pictures of its own, a list's columns).
    explicit ScaledControls(std::function<void()> laidOut = nullptr);
    ScaledControls(const ScaledControls&) = delete;
    ScaledControls& operator=(const ScaledControls&) = delete;

    // The DPI to lay out for, with the font made for it. False, and nothing done, when it is the
    // DPI already laid out for.
    bool SetDpi(int dpi);
    int Dpi() const { return dpi_; }
    // 96-dpi units in pixels at the DPI.
    int Scale(int units) const { return ScaleToDpi(units, dpi_); }
    // The 12-pixel font at the DPI.
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }
    // The system's default GUI font at the DPI; null at the system's own DPI, where the stock
    // font is the one.
    UniqueFont SystemFontAtDpi() const;

    // Makes the control of row on parent with the font, at its scaled place.
    HWND Make(HWND parent, const FormControl& row);
    // Places a window its owner made (ControlKind::Window) as row says, now and at every new DPI.
    void Keep(HWND window, const FormControl& row);
    // Forgets the controls (their window has gone).
    void Clear() { made_.clear(); }

    // Gives window and every control the font of the DPI, moves the controls to their places
    // and tells the owner (laidOut).
    void LayOut(HWND window);
    // WM_DPICHANGED for window: a notice of the DPI it is laid out for changes nothing, neither
    // the layout nor the size (Windows sends one, with a rectangle scaled by the two monitors'
    // ratio, when a window laid out for its new monitor moves there); another DPI lays it out
    // again and the window takes the rectangle Windows suggests.
    void DpiChanged(HWND window, WPARAM wp, LPARAM lp);

private:
    struct Made {
        HWND window;
        FormControl row;  // without its caption, which the control holds
    };
    // Where a control goes and how large it is at the DPI: by its scaled edges, so that controls
    // side by side keep their gaps at every DPI. A label of width 0 is as large as caption in
    // the font.
    RECT ControlRect(HWND parent, const FormControl& row, const wchar_t* caption) const;

    std::function<void()> laidOut_;
    int dpi_ = 0;
    UniqueFont font_;
    std::vector<Made> made_;
};

}  // namespace zarv
