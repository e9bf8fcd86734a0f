#pragma once
// Base of every window of the program: one C++ object per HWND, registered under its own class
// name, with one HandleMessage switch that calls the named handlers.
#include <windows.h>

#include "core/placement.h"

namespace zarv {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers className (once per process) and creates the window with this object attached.
    bool Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x,
                int y, int w, int h, HWND parent, HICON icon = nullptr,
                HBRUSH background = nullptr);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK Thunk(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

// Pops menu up with its top-left corner at (x, y), in the foreground so that it takes the
// keyboard (also while owner is hidden); the chosen command is posted to owner as WM_COMMAND.
// Returns when the menu has closed: the chosen command, 0 for none.
UINT PopupMenuAt(HMENU menu, HWND owner, int x, int y);

// Loads the common controls (list views, image lists, the visual-style buttons and boxes) and
// registers their window classes, once per process. Every window that uses them calls it before
// it makes its controls; the program does not load them at start-up (they cost memory and time).
void EnsureCommonControls();

// The work area (the screen less the taskbar) of the monitor nearest to pointer.
Rect WorkAreaAt(POINT pointer);

// A child control of parent with the given window class, text, style (WS_CHILD | WS_VISIBLE are
// added), place, control id and font.
HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                   int y, int width, int height, int id, HFONT font);

// The one instance handle of the executable.
HINSTANCE AppInstance();

// A 32-bit picture of width x height to draw a window in off the screen before it is copied
// there. Its pixels are memory of their own, given back whole when it is deleted (under Wine a
// compatible bitmap's pixels come from the process's heap, which keeps what it once held).
HBITMAP OffscreenBitmap(int width, int height);

// Answers a control's WM_PAINT without flicker: the control draws its background and client area
// (WM_PRINTCLIENT) on an OffscreenBitmap, which is then copied to the screen in one piece. For a
// list view it takes the place of LVS_EX_DOUBLEBUFFER, whose buffer under Wine comes from the
// heap at every paint and stays in the process.
void PaintOffscreen(HWND window);
// Whether msg erases a control painted by PaintOffscreen on the screen: that control answers TRUE
// and leaves it, since its background is drawn off the screen with the rest. An erase of the
// off-screen picture (a control may send one for WM_PRINTCLIENT) goes through.
bool IsScreenErase(UINT msg, WPARAM wp);

// The font of the program's windows: "ＭＳ Ｐゴシック", 12 pixels high (9 points at 96 dpi) unless
// told otherwise. The caller owns it.
HFONT CreateFormFont(int height = 12);

}  // namespace zarv
