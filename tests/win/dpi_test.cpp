// The DPI lookup on this system: the per-monitor functions answer the screen's DPI, and the
// library they come from is the system's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "widgets/base/dpi.h"
#include "widgets/base/system_library.h"

namespace zarv {
namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

TEST(DpiLookup, WindowsPointsAndTheSystemAnswerTheScreensDpi) {
    const int dpi = ScreenDpi();
    EXPECT_EQ(SystemDpi(), dpi);
    EXPECT_EQ(DpiForPoint(POINT{10, 10}), dpi);
    EXPECT_EQ(DpiForPoint(POINT{-100000, -100000}), dpi) << "off every screen: the nearest";
    EXPECT_EQ(PrimaryMonitorDpi(), dpi);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(DpiForWindow(window), dpi);
    DestroyWindow(window);
    // A window that is gone has no DPI of its own: the system's.
    EXPECT_EQ(DpiForWindow(window), dpi);
    EXPECT_EQ(SmallIconSize(dpi), MulDiv(16, dpi, 96));
}

TEST(DpiLookup, OuterSizeAddsTheFrameOfTheDpi) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const SIZE outer = OuterSizeForClient(578, 156, style, 0, ScreenDpi());
    RECT r{0, 0, 578, 156};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    // The screen's own DPI: the frame the system draws now.
    EXPECT_EQ(outer.cx, r.right - r.left);
    EXPECT_EQ(outer.cy, r.bottom - r.top);
}

TEST(DpiLookup, SystemLibrariesComeFromTheSystemFolder) {
    HMODULE shcore = zarv_load_system_library("shcore.dll");
    ASSERT_TRUE(shcore);
    wchar_t path[MAX_PATH] = L"", system[MAX_PATH] = L"";
    GetModuleFileNameW(shcore, path, MAX_PATH);
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(_wcsnicmp(path, system, wcslen(system)), 0);
    FreeLibrary(shcore);
    EXPECT_EQ(zarv_load_system_library("no-such-library-of-windows.dll"), nullptr);
}

}  // namespace
}  // namespace zarv
