#pragma once
// Base of the program's modal windows: a window given by its size and a table of its controls,
// all in 96-dpi units. It creates the window and its controls, places it (at the mouse pointer or
// centred on the desktop), runs it modally over its owner, gives the activation back to the window
// the user was in and destroys it. A form's own file keeps only its controls and handlers.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "core/dpi.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {

// What a control of a form's table is.
enum class ControlKind {
    Label,        // a static text; a width of 0 sizes it to its caption
    Static,       // a static control of the row's size (an etched line, a label of fixed size)
    Edit,         // a flat one-line field in the tab order
    Memo,         // an edit control of the row's style alone (a read-only text, say)
    Button,       // a push button in the tab order (a flat check box with BS_CHECKBOX)
    SpeedButton,  // a flat button clicked with the mouse only; it never keeps the focus
    ComboBox,     // a drop-down box in the tab order; the height is that of its open list
};

// One control of a form: made in table order, which is also the tab order.
struct FormControl {
    ControlKind Kind;
    int Id;  // -1: no id
    int X, Y, Width, Height;
    const wchar_t* Caption;
    DWORD Style;  // added to the style of the kind
};

enum class FormPlace {
    AtPointer,  // bottom-right corner at the mouse pointer, flipped off the top and left edges
    Centred,    // centred on the desktop's work area
};

// The window of a form.
struct FormFrame {
    const wchar_t* ClassName;
    const wchar_t* Caption;
    int Width, Height;  // 96-dpi units
    bool ClientSize;    // Width x Height is the client area (else the outer window)
    DWORD Style, ExStyle;
    FormPlace Place;
    HBRUSH Background;     // nullptr: the button face
    HICON Icon = nullptr;  // nullptr: the system's default
};

// The style of a dialog-like form: caption, close box, modal frame.
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
inline constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

// Counts the modal windows open over the program (the resident window's tray icon stays deaf
// while any is open). Forms nest, so every form counts itself.
class ModalCounter {
public:
    virtual void ModalBegin() = 0;
    virtual void ModalEnd() = 0;

protected:
    ~ModalCounter() = default;
};

class Form : public Window {
public:
    ~Form() override;

protected:
    // counter: told while the form runs; may be nullptr.
    Form(const FormFrame& frame, ModalCounter* counter);

    // Creates the window over owner, its controls from controls and then calls FormCreate,
    // places and shows it, calls FormShow, runs it until Close and calls FormClose; the window
    // is gone when this returns. False when the window could not be made.
    bool RunModal(HWND owner, const FormControl* controls, std::size_t count);
    template <std::size_t N>
    bool RunModal(HWND owner, const FormControl (&controls)[N]) {
        return RunModal(owner, controls, N);
    }

    // 96-dpi units to this form's pixels at the DPI of its monitor: the frame, the font and
    // every control made from a table row go through here, and nothing else turns units into
    // pixels. Controls are scaled by their edges (left and right, top and bottom), so that
    // controls side by side keep their gaps at every DPI.
    int Scale(int units) const;
    // The DPI the form is laid out for: that of the monitor it opened on, or moved to.
    int Dpi() const { return dpi_; }

    // Makes one more control (ids and texts as in a table row).
    HWND AddControl(const FormControl& control);
    HWND Control(int id) const { return GetDlgItem(hwnd(), id); }
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }
    // Ends the modal run.
    void Close() { done_ = true; }
    bool Closing() const { return done_; }
    ModalCounter* Counter() const { return counter_; }

    // IDOK (the OK button, Enter) and IDCANCEL (the Cancel button, Escape, the close box).
    virtual void OkClick() {}
    virtual void CancelClick() { Close(); }

    virtual void FormCreate() {}
    // The form went to a monitor of another DPI (WM_DPICHANGED): the font and the table's
    // controls are laid out for it already; a form with more of its own (fonts, pictures, a
    // table's columns) lays those out here. The window takes the suggested rectangle after.
    virtual void FormDpiChanged() {}
    // After the form is shown: the focus goes to its first control.
    virtual void FormShow();
    virtual void FormClose() {}

    // WM_COMMAND of IDOK and IDCANCEL, and WM_CLOSE.
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // A control made from a table row, as it was given.
    struct MadeControl {
        HWND window;
        ControlKind kind;
        int x, y, width, height;
    };
    void Place();
    // Where a made control goes and how large it is at the form's DPI; a label sized to its
    // caption measures caption (nullptr: its window's text).
    RECT ControlRect(const MadeControl& c, const wchar_t* caption) const;
    void DpiChanged(int dpi, const RECT& suggested);

    const FormFrame& frame_;
    ModalCounter* counter_;
    UniqueFont font_;
    int dpi_ = kBaseDpi;
    bool done_ = false;
    std::vector<MadeControl> made_;
};

}  // namespace zarv
