// bare_list [ROWS]: the yardstick of the editor benchmarks. A hidden window waits for two
// requests (and a third): kMenu pops up a menu of one item, as a resident program's icon does;
// kOpen makes a top-level window with a plain report list view (five columns, grid
// lines, whole-row selection) and fills it with the benchmark's first ROWS rows (all of them by
// default), one insertion per row and one text per cell; kOk reads every cell back, writes the
// texts to a file and destroys the window. What it holds after one opening and closing is what a
// program keeps of having shown one list view.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "bench_rows.h"

namespace {

constexpr UINT kOpen = WM_APP + 1;
constexpr UINT kOk = WM_APP + 2;
constexpr UINT kMenu = WM_APP + 3;
HWND g_list = nullptr;
HWND g_frame = nullptr;
int g_rows = e2e::bench::kRows;

void Open(HINSTANCE instance) {
    g_frame = CreateWindowExW(0, L"TBareListFrame", L"bare list", WS_OVERLAPPEDWINDOW, 60, 60, 640,
                              360, nullptr, nullptr, instance, nullptr);
    g_list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 8, 8, 524, 312,
                             g_frame, nullptr, instance, nullptr);
    SendMessageW(g_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const wchar_t* captions[] = {L"title", L"file", L"options", L"folder", L"key"};
    const int widths[] = {130, 80, 80, 84, 150};
    for (int c = 0; c < 5; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(captions[c]);
        col.cx = widths[c];
        SendMessageW(g_list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
    int i = 0;
    for (const auto& row : e2e::bench::Rows("C:\\zarv-e2e\\editor-bench")) {
        if (i == g_rows) break;
        const std::string* texts[] = {&row.title, &row.file, &row.options, &row.folder, &row.key};
        for (int c = 0; c < 5; ++c) {
            std::wstring wide(texts[c]->begin(), texts[c]->end());
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.iSubItem = c;
            item.pszText = wide.data();
            SendMessageW(g_list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, i,
                         reinterpret_cast<LPARAM>(&item));
        }
        ++i;
    }
    ShowWindow(g_frame, SW_SHOW);
}

void Ok() {
    std::wstring all;
    const int n = static_cast<int>(SendMessageW(g_list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 5; ++c) {
            wchar_t text[300] = L"";
            LVITEMW item{};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = 300;
            SendMessageW(g_list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
            all += text;
            all += L'\n';
        }
    }
    HANDLE f = CreateFileW(L"bare_list.out", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (f != INVALID_HANDLE_VALUE) {
        WriteFile(f, all.data(), static_cast<DWORD>(all.size() * sizeof(wchar_t)), &written,
                  nullptr);
        CloseHandle(f);
    }
    DestroyWindow(g_frame);
    g_frame = g_list = nullptr;
}

LRESULT CALLBACK ControlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kOpen) Open(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(w, GWLP_HINSTANCE)));
    if (msg == kOk && g_frame) Ok();
    if (msg == kMenu) {
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, L"bare");
        POINT at;
        GetCursorPos(&at);
        SetForegroundWindow(w);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, w, nullptr);
        PostMessageW(w, WM_NULL, 0, 0);
        DestroyMenu(menu);
    }
    if (msg == WM_CLOSE) PostQuitMessage(0);
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    if (std::atoi(args) > 0) g_rows = std::atoi(args);
    InitCommonControls();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TBareListFrame";
    RegisterClassW(&wc);
    wc.lpfnWndProc = ControlProc;
    wc.lpszClassName = L"TBareList";
    if (!RegisterClassW(&wc)) return 1;
    if (!CreateWindowExW(WS_EX_TOOLWINDOW, L"TBareList", L"bare list", WS_POPUP, 0, 0, 0, 0,
                         nullptr, nullptr, instance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
