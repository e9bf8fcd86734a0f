#pragma once
// The DPI of a window or of the monitor under a point, read with the per-monitor functions where
// the system has them (looked up at run time: Windows 7 lacks them) and the system DPI elsewhere,
// and the pixel figures that depend on it.
#include <windows.h>

#include "core/dpi.h"

namespace zarv {

// The one DPI of the whole system (the primary monitor's when the user logged on).
int SystemDpi();
// The DPI of the monitor that holds the window, as the window sees it.
int DpiForWindow(HWND window);
// The DPI of the monitor under a screen point (the nearest monitor when none holds it): for a
// window about to be placed there. When the window beside is on that monitor, its DPI answers
// (which spares loading the library of the monitors' function).
int DpiForPoint(POINT point, HWND beside = nullptr);
// The DPI of the primary monitor, where the notification area is.
int PrimaryMonitorDpi();

// The size of a small icon at dpi (16 at 96 dpi), as the system sizes menu and title-bar
// pictures.
int SmallIconSize(int dpi);

// The outer size of a window whose client area is clientWidth x clientHeight at dpi, with the
// frame the system draws at that DPI.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);


}  // namespace zarv
