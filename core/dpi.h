#pragma once
// Pixel figures for a screen's dots per inch. Every size of the program's windows is given for
// 96 dpi and turned into pixels here, rounded as the system's MulDiv rounds, so that at 96 dpi
// nothing moves.
#include "core/placement.h"

namespace zarv {

inline constexpr int kBaseDpi = 96;

// v * numerator / denominator rounded to the nearest integer, halves away from zero (MulDiv's
// rounding); 0 for a zero denominator (where MulDiv answers -1, which no caller wants).
int MulDivRound(int v, int numerator, int denominator);

// A 96-dpi figure in pixels at dpi.
inline int ScaleToDpi(int v, int dpi) { return MulDivRound(v, dpi, kBaseDpi); }

// A rectangle given by its 96-dpi edges in pixels at dpi: every edge is scaled, so neighbouring
// rectangles keep their gaps and overlaps.
Rect ScaleRectToDpi(Rect r, int dpi);

// The height of a font that is h pixels high at 96 dpi (as CreateFont's negative character
// height: -12 stays the 12-pixel font at 96 dpi, -18 at 144).
inline int FontHeightForDpi(int h, int dpi) { return ScaleToDpi(h, dpi); }

// Where a window's DPI comes from: the window's own (GetDpiForWindow, Windows 10), its monitor's
// (GetDpiForMonitor, Windows 8.1), or the one DPI of the whole system (older systems).
enum class DpiSource { Window, Monitor, System };

// The per-monitor functions this system has.
struct DpiFunctions {
    bool dpiForWindow = false;   // user32 GetDpiForWindow
    bool dpiForMonitor = false;  // shcore GetDpiForMonitor
};

// The best source for a window that exists (forWindow) or for a point on the screen (a window
// about to be placed there).
DpiSource ChooseDpiSource(const DpiFunctions& have, bool forWindow);

// A DPI as a source reported it; the system DPI when it reported nothing usable (0, or beyond
// any real screen), and the system DPI itself when that is unusable too: 96.
int UsableDpi(int reported, int systemDpi);

// The outer size of a window that is width x height at 96 dpi, as its layout gives it.
struct Size {
    int width, height;
    bool operator==(const Size&) const = default;
};
Size ScaleOuterSize(Size size96, int dpi);

// The list editors' table at dpi: at (8, 8), as wide as the window minus the button bar minus 24
// and as high as the window minus 48, every 96-dpi figure scaled (window and bar in pixels).
Rect EditorTableBoundsForDpi(int windowWidth, int windowHeight, int panelWidth, int dpi);

// The size of a small icon (16 at 96 dpi) at dpi, as Windows sizes it (GetSystemMetricsForDpi):
// 20 at 120, 24 at 144, 32 at 192.
int SmallIconSizeForDpi(int dpi);

}  // namespace zarv
