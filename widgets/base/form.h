#pragma once
// Base of the program's modal windows: a window given by its frame and its controls' rows, all in
// 96-dpi units. It creates the window where it opens (at the mouse pointer or centred on the
// desktop) laid out for that monitor's DPI, lets the form make its controls, runs it modally over
// its owner, gives the activation back to the window the user was in and destroys it. A form's
// own file keeps only its controls and handlers.
#include <windows.h>

#include <cstddef>

#include "widgets/base/scaled_controls.h"
#include "widgets/base/window.h"

namespace zarv {

enum class FormPlace {
    AtPointer,  // bottom-right corner at the mouse pointer, flipped off the top and left edges
    Centred,    // centred on the desktop's work area
};

// The window of a form.
struct FormFrame {
    const wchar_t* ClassName = nullptr;
    const wchar_t* Caption = nullptr;
    int Width = 0, Height = 0;  // 96-dpi units
    bool ClientSize = false;    // Width x Height is the client area (else the outer window)
    DWORD Style = 0, ExStyle = 0;
    FormPlace Place = FormPlace::AtPointer;
    HBRUSH Background = nullptr;  // nullptr: the button face
    HICON Icon = nullptr;         // nullptr: the system's default
};

// The style of a dialog-like form: caption, close box, modal frame.
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
inline constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

// A dialog-like form of client size width x height on the window colour, opened at the pointer.
inline FormFrame DialogFrame(const wchar_t* className, const wchar_t* caption, int width,
                             int height) {
    return {.ClassName = className,
            .Caption = caption,
            .Width = width,
            .Height = height,
            .ClientSize = true,
            .Style = kDialogStyle,
            .ExStyle = kDialogExStyle,
            .Place = FormPlace::AtPointer,
            .Background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)};
}

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

    // Creates the window over owner on the monitor it opens on, laid out for that monitor's DPI
    // and at its place there, calls FormCreate (which makes the controls), shows it, calls
    // FormShow, runs it until Close and calls FormClose; the window is gone when this returns.
    // False when the window could not be made.
    bool ShowModal(HWND owner);

protected:
    // counter: told while the form runs; may be nullptr.
    Form(const FormFrame& frame, ModalCounter* counter);

    // 96-dpi units to this form's pixels at the DPI of its monitor: the frame, the font and
    // every control go through here, and nothing else turns units into pixels. Controls are
    // scaled by their edges (left and right, top and bottom), so that controls side by side keep
    // their gaps at every DPI.
    int Scale(int units) const { return layout_.Scale(units); }
    // The DPI the form is laid out for: that of the monitor it opened on, or moved to.
    int Dpi() const { return layout_.Dpi(); }
    // Where the form's parts of its own (the button bar, the list editor's fonts) take their
    // DPI from.
    const ScaledControls& Layout() const { return layout_; }

    // Makes a control from a row (in tab order), or every row of a table.
    HWND AddControl(const FormControl& control) { return layout_.Make(hwnd(), control); }
    template <std::size_t N>
    void AddControls(const FormControl (&controls)[N]) {
        for (const FormControl& c : controls) AddControl(c);
    }
    HWND Control(int id) const { return GetDlgItem(hwnd(), id); }
    HFONT Font() const { return layout_.Font(); }
    // Ends the modal run.
    void Close() { done_ = true; }
    bool Closing() const { return done_; }
    ModalCounter* Counter() const { return counter_; }

    // Makes the form's controls.
    virtual void FormCreate() {}
    // The form went to a monitor of another DPI (WM_DPICHANGED): the font and the controls are
    // laid out for it already; a form with more of its own (fonts, pictures, a table's columns)
    // lays those out here. The window takes the suggested rectangle after.
    virtual void FormDpiChanged() {}
    // After the form is shown: the focus goes to its first control.
    virtual void FormShow();
    virtual void FormClose() {}
    // A key pressed in one of the form's controls, before the dialog keys (Tab, arrows, Enter,
    // Escape) take it: true when the form took it.
    virtual bool FormKeyDown(HWND /*control*/, WPARAM /*key*/) { return false; }

    // WM_CLOSE and IDCANCEL (Escape, a Cancel button) close the form; a form whose Cancel does
    // more handles IDCANCEL first. IDOK is each form's own. WM_DPICHANGED lays the form out.
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Where the form opens at the outer size given: its top-left corner.
    POINT PlaceFor(SIZE outer, POINT pointer) const;

    const FormFrame frame_;
    ModalCounter* counter_;
    ScaledControls layout_;
    bool done_ = false;
};

}  // namespace zarv
