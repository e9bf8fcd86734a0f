#pragma once
// Drawing and menu helpers shared by the button bar and its windowless buttons and arrows.
#include <windows.h>

#include "widgets/base/window.h"

namespace zarv::bar_detail {

inline bool Contains(const RECT& r, POINT pt) { return PtInRect(&r, pt) != FALSE; }

inline void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A one-pixel 3-D frame: topLeft along the top and left edges, bottomRight along the others.
inline void Frame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, topLeft);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

// Pops menu up at a client point of the bar for the bar's form, then drops the mouse messages
// the menu left in the queue, so that they do not reach the bar as fresh presses.
inline void PopUpAt(HMENU menu, HWND bar, POINT clientPoint) {
    ClientToScreen(bar, &clientPoint);
    PopupMenuAt(menu, GetAncestor(bar, GA_ROOT), clientPoint.x, clientPoint.y);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

}  // namespace zarv::bar_detail
