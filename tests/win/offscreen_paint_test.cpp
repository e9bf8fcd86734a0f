// A list view painted through PaintOffscreen, as the editors' tables are.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "test_window.h"
#include "widgets/base/window.h"

namespace zarv {
namespace {

LRESULT CALLBACK Offscreen(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_PAINT && !wp) {
        PaintOffscreen(h);
        return 0;
    }
    if (IsScreenErase(msg, wp)) return TRUE;
    return DefSubclassProc(h, msg, wp, lp);
}

// Rows, background, header and a repainted row all reach the screen where they belong.
TEST(OffscreenPaint, ListViewShowsItsRowsHeaderAndChanges) {
    EnsureCommonControls();
    HWND host = test::CreateHostWindow(L"offscreen", 200, 100, 320, 240);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300,
                                200, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(list, &Offscreen, 1, 0);
    constexpr COLORREF kGround = RGB(0, 128, 255);
    SendMessageW(list, LVM_SETBKCOLOR, 0, kGround);
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, kGround);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    LVCOLUMNW col{LVCF_WIDTH | LVCF_TEXT, 0, 280, const_cast<wchar_t*>(L"caption")};
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    LVITEMW item{LVIF_TEXT, 0, 0, 0, 0, const_cast<wchar_t*>(L"row")};
    for (item.iItem = 0; item.iItem < 3; ++item.iItem)
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetFocus(list);
    UpdateWindow(host);
    test::Pump(100);
    RECT row{LVIR_BOUNDS}, header{};
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    GetClientRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    HDC dc = GetDC(list);
    EXPECT_EQ(GetPixel(dc, 250, 190), kGround);                // below the rows
    EXPECT_EQ(GetPixel(dc, 250, row.top + 2), kGround);        // beside a row's text
    EXPECT_NE(GetPixel(dc, 250, header.bottom / 2), kGround);  // the header is its own
    // Selecting row 1 repaints that row alone, in its place.
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(list);
    EXPECT_EQ(GetPixel(dc, 250, row.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 250, row.bottom + 2), kGround);
    ReleaseDC(list, dc);
    DestroyWindow(host);
}

}  // namespace
}  // namespace zarv
