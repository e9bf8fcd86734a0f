// zarv_probe.dll: loaded into a running zarv.exe by the tests (CreateRemoteThread + LoadLibraryW)
// to read what another process cannot: under Wine, GetMenuItemCount on another process's menu
// answers -1. On load it starts one thread that answers the request lying next to the DLL (see
// probe_protocol.h) and then unloads the DLL.
#include <windows.h>
#include <winternl.h>
#include <shlobj.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "probe_protocol.h"

namespace {

HMODULE g_module = nullptr;

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::string Hex(unsigned long v) {
    char buf[16];
    wsprintfA(buf, "%lx", v);
    return buf;
}

std::string Hex64(std::uint64_t v) {
    return Hex(static_cast<unsigned long>(v >> 32)) + ":" +
           Hex(static_cast<unsigned long>(v & 0xFFFFFFFFu));
}

std::wstring FolderOfDll() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(g_module, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::string ReadRequest(const std::wstring& path) {
    std::string text;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return text;
    char buf[256];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
    CloseHandle(f);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    return text;
}

void WriteResult(const std::wstring& folder, const std::string& text) {
    std::wstring tmp = folder + L"probe.result.tmp";
    std::wstring path = folder;
    for (const char* p = probe::kResultFile; *p; ++p) path += static_cast<wchar_t>(*p);
    HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

BOOL CALLBACK CollectMenuWindow(HWND w, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[16];
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetClassNameW(w, cls, 16) &&
        lstrcmpW(cls, L"#32768") == 0)
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

// The visible pop-up menu windows of this process, in z-order (top first).
std::vector<HWND> OpenMenuWindows() {
    std::vector<HWND> found;
    EnumWindows(CollectMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string DescribeMenu(HWND window) {
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    RECT r{};
    GetWindowRect(window, &r);
    int count = menu ? GetMenuItemCount(menu) : -1;
    std::string out = "menu\t" + std::to_string(r.left) + "\t" + std::to_string(r.top) + "\t" +
                      std::to_string(r.right) + "\t" + std::to_string(r.bottom) + "\t" +
                      std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) {
        wchar_t caption[512] = {};
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_BITMAP | MIIM_DATA | MIIM_SUBMENU |
                   MIIM_STRING;
        mi.dwTypeData = caption;
        mi.cch = 511;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi)) {
            out += "item\t0\t0\t0\t0\t0\t0\t\n";
            continue;
        }
        out += "item\t" + Hex(mi.fType) + "\t" + Hex(mi.fState) + "\t" + std::to_string(mi.wID) +
               "\t" + (mi.hbmpItem ? "1" : "0") + "\t" + std::to_string(mi.dwItemData) + "\t" +
               (mi.hSubMenu ? "1" : "0") + "\t" + Utf8(caption) + "\n";
    }
    return out;
}

// Pictures are drawn into a bitmap of the size the owner measures (16 x 16 at 96 dpi), filled
// with a colour that no icon of the tests has.
constexpr std::uint32_t kBackground = 0x00FF00FF;

// Lets the owner draw the item's picture into a fresh bitmap; false when it did not answer.
bool DrawPicture(HWND owner, HMENU menu, UINT id, ULONG_PTR data, std::string& line) {
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = id;
    mis.itemData = data;
    DWORD_PTR measured = 0;
    if (!SendMessageTimeoutW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), SMTO_NORMAL,
                             5000, &measured) ||
        mis.itemWidth == 0 || mis.itemHeight == 0 || mis.itemWidth > 256 || mis.itemHeight > 256)
        return false;
    const int width = static_cast<int>(mis.itemWidth), height = static_cast<int>(mis.itemHeight);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bmp || !bits) {
        if (bmp) DeleteObject(bmp);
        if (dc) DeleteDC(dc);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, bmp);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) px[i] = kBackground;

    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = id;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = {0, 0, width, height};
    dis.itemData = data;
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis),
                                        SMTO_NORMAL, 5000, &result) != 0;
    GdiFlush();

    bool drawn = false;
    int left = width, top = height, right = 0, bottom = 0;
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixels
    for (int i = 0; i < width * height; ++i) {
        if (px[i] != kBackground) {
            drawn = true;
            const int x = i % width, y = i / width;
            left = x < left ? x : left;
            top = y < top ? y : top;
            right = x + 1 > right ? x + 1 : right;
            bottom = y + 1 > bottom ? y + 1 : bottom;
        }
        for (int b = 0; b < 4; ++b) {
            hash ^= (px[i] >> (8 * b)) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    line = "picture\t" + std::to_string(id) + "\t" + (drawn ? "1" : "0") + "\t" + Hex64(hash) +
           "\t" + std::to_string(width) + "\t" + std::to_string(height) + "\t" +
           std::to_string(drawn ? right - left : 0) + "\t" +
           std::to_string(drawn ? bottom - top : 0) + "\n";
    return answered;
}

// The resident window of this process, which draws the launcher items' pictures.
HWND ResidentWindow() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"TZarv_main", nullptr); w;
         w = FindWindowExW(nullptr, w, L"TZarv_main", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId()) return w;
    }
    return nullptr;
}

std::string DescribePictures(HWND window) {
    HWND owner = ResidentWindow();
    if (!owner) return "error\tno TZarv_main window\n";
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    int count = menu ? GetMenuItemCount(menu) : -1;
    if (count < 0) return "error\tthe menu has no items to read\n";
    std::string out;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_BITMAP | MIIM_DATA;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi)) continue;
        if (mi.hbmpItem != HBMMENU_CALLBACK) continue;
        std::string line;
        if (!DrawPicture(owner, menu, mi.wID, mi.dwItemData, line))
            return "error\tthe owner did not draw item " + std::to_string(mi.wID) + "\n";
        out += line;
    }
    return out;
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

// "drop <window> <path>...": the files dropped on the window as the shell drops them, a
// DROPFILES block in global memory of this process (the receiver releases it).
std::string Drop(const std::string& args) {
    std::vector<std::string> f;
    size_t pos = 0;
    for (size_t tab; (tab = args.find('\t', pos)) != std::string::npos; pos = tab + 1)
        f.push_back(args.substr(pos, tab - pos));
    f.push_back(args.substr(pos));
    if (f.size() < 2) return "error\tdrop needs a window and a file\n";
    HWND target = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(f[0])));
    std::wstring names;
    for (size_t i = 1; i < f.size(); ++i) names += Wide(f[i]) + L'\0';
    names += L'\0';
    const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = block ? static_cast<DROPFILES*>(GlobalLock(block)) : nullptr;
    if (!drop) return "error\tGlobalAlloc failed\n";
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(),
           names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) {
        GlobalFree(block);
        return "error\tPostMessage failed\n";
    }
    return "ok\n";
}

std::vector<std::string> Fields(const std::string& args) {
    std::vector<std::string> f;
    size_t pos = 0;
    for (size_t tab; (tab = args.find('\t', pos)) != std::string::npos; pos = tab + 1)
        f.push_back(args.substr(pos, tab - pos));
    f.push_back(args.substr(pos));
    return f;
}

HWND WindowOf(const std::string& decimal) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(decimal)));
}

std::string DescribeControl(HWND w, HWND top, int depth) {
    RECT r{};
    GetWindowRect(w, &r);
    if (depth > 0) MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    wchar_t cls[64] = L"", text[256] = L"";
    GetClassNameW(w, cls, 64);
    GetWindowTextW(w, text, 256);
    LOGFONTW lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
    const int height = font && GetObjectW(font, sizeof lf, &lf) ? static_cast<int>(lf.lfHeight) : 0;
    return "control\t" + std::to_string(depth) + "\t" + Utf8(cls) + "\t" +
           std::to_string(GetDlgCtrlID(w)) + "\t" + std::to_string(r.left) + "\t" +
           std::to_string(r.top) + "\t" + std::to_string(r.right) + "\t" +
           std::to_string(r.bottom) + "\t" + std::to_string(height) + "\t" + Utf8(text) + "\n";
}

void DescribeChildren(HWND parent, HWND top, int depth, std::string& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        out += DescribeControl(c, top, depth);
        DescribeChildren(c, top, depth + 1, out);
    }
}

// "controls <window>": the window and everything inside it, with the fonts they draw in.
std::string Controls(const std::string& args) {
    HWND w = WindowOf(args);
    if (!IsWindow(w)) return "error\tno such window\n";
    std::string out = "ok\n" + DescribeControl(w, w, 0);
    DescribeChildren(w, w, 1, out);
    return out;
}

int TextWidth(HDC dc, HFONT font, const wchar_t* text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    return size.cx;
}

// "columns <list view>": each column's width and the width its caption takes.
std::string Columns(const std::string& args) {
    HWND list = WindowOf(args);
    auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (!header) return "error\tno list view with a header\n";
    auto font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
    HDC dc = GetDC(header);
    // The captions are drawn in the system's default font, scaled to the DPI of the list's own
    // 12-pixel font when that is not the system's.
    LOGFONTW lf{}, listFont{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    auto list12 = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    const int system = GetDeviceCaps(dc, LOGPIXELSY);
    if (list12 && GetObjectW(list12, sizeof listFont, &listFont) && listFont.lfHeight < 0) {
        const int dpi = MulDiv(-listFont.lfHeight, 96, 12);
        lf.lfHeight = MulDiv(lf.lfHeight, dpi, system);
    }
    HFONT guiFont = CreateFontIndirectW(&lf);
    std::string out = "ok\n";
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        int needed = TextWidth(dc, guiFont, text);
        if (font) {
            const int inFont = TextWidth(dc, font, text);
            needed = inFont > needed ? inFont : needed;
        }
        out += "column\t" + std::to_string(i) + "\t" + std::to_string(item.cxy) + "\t" +
               std::to_string(needed) + "\t" + Utf8(text) + "\n";
    }
    DeleteObject(guiFont);
    ReleaseDC(header, dc);
    return out;
}

// "pixels <window> <left> <top> <right> <bottom>": where the window draws anything in that part
// of its client area, other than the colour of its top-left pixel.
std::string Pixels(const std::string& args) {
    const std::vector<std::string> f = Fields(args);
    if (f.size() != 5) return "error\tpixels needs a window and a rectangle\n";
    HWND w = WindowOf(f[0]);
    const int left = std::stoi(f[1]), top = std::stoi(f[2]);
    const int width = std::stoi(f[3]) - left, height = std::stoi(f[4]) - top;
    if (!IsWindow(w) || width <= 0 || height <= 0) return "error\tno such window or part\n";
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC window = GetDC(w);
    HDC dc = CreateCompatibleDC(window);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, width, height, window, left, top, SRCCOPY);
    GdiFlush();
    const auto* px = static_cast<const std::uint32_t*>(bits);
    int l = width, t = height, r = 0, b = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((px[y * width + x] & 0xFFFFFF) != (px[0] & 0xFFFFFF)) {
                l = x < l ? x : l;
                t = y < t ? y : t;
                r = x + 1 > r ? x + 1 : r;
                b = y + 1 > b ? y + 1 : b;
            }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(w, window);
    if (r == 0) return "ok\ndrawn\t0\t0\t0\t0\n";
    return "ok\ndrawn\t" + std::to_string(left + l) + "\t" + std::to_string(top + t) + "\t" +
           std::to_string(left + r) + "\t" + std::to_string(top + b) + "\n";
}

// "dpichanged <window> <dpi> <left> <top> <right> <bottom>": the system's notice that the
// window went to a monitor of another DPI, sent on the window's own thread.
std::string DpiChanged(const std::string& args) {
    const std::vector<std::string> f = Fields(args);
    if (f.size() != 6) return "error\tdpichanged needs a window, a DPI and a rectangle\n";
    HWND w = WindowOf(f[0]);
    const int dpi = std::stoi(f[1]);
    RECT suggested{std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5])};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                             reinterpret_cast<LPARAM>(&suggested), SMTO_NORMAL, 5000, &result))
        return "error\tthe window did not answer WM_DPICHANGED\n";
    return "ok\n";
}

// "messages <window> <ms>": the messages that the thread of the window takes from its queue
// during ms milliseconds (timers, posted messages, input), seen by a hook on that thread: none
// while the program is idle.
constexpr int kMaxMessages = 256;
UINT g_messages[kMaxMessages];
volatile LONG g_messageCount = 0;

LRESULT CALLBACK CountMessage(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        LONG i = InterlockedIncrement(&g_messageCount) - 1;
        if (i < kMaxMessages) g_messages[i] = reinterpret_cast<const MSG*>(lp)->message;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::string Messages(const std::string& args) {
    size_t tab = args.find('\t');
    if (tab == std::string::npos) return "error\tmessages needs a window and a time\n";
    HWND target = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(args.substr(0, tab))));
    DWORD thread = GetWindowThreadProcessId(target, nullptr);
    if (!thread) return "error\tno such window\n";
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountMessage, g_module, thread);
    if (!hook) return "error\tSetWindowsHookEx failed\n";
    Sleep(static_cast<DWORD>(std::stoul(args.substr(tab + 1))));
    UnhookWindowsHookEx(hook);
    // A call of the hook that was under way when it was removed ends before the probe unloads.
    PostMessageW(target, WM_NULL, 0, 0);
    Sleep(100);
    std::string out = "ok\n";
    for (LONG i = 0; i < g_messageCount && i < kMaxMessages; ++i)
        out += "message\t" + Hex(g_messages[i]) + "\n";
    return out;
}

// "windowproc <window>": from inside the window's procedure (DefWindowProc's call of the CBT
// hook for a WM_SYSCOMMAND, which the hook then refuses), the error modes of its thread and of
// the process, and the module of each frame a stack walk finds from there.
struct WindowProcAnswer {
    HANDLE done = nullptr;
    std::string text;
};
WindowProcAnswer g_windowProc;

// One line a frame: the module it lies in and its offset there.
std::string DescribeFrames(void* const* frames, USHORT count) {
    std::string out;
    for (USHORT i = 0; i < count; ++i) {
        HMODULE module = nullptr;
        wchar_t name[MAX_PATH] = L"?";
        const auto* at = static_cast<const char*>(frames[i]);
        // Wine names the main module for addresses of its Unix side: only an address inside
        // the module's image counts.
        if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                   GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               static_cast<LPCWSTR>(frames[i]), &module)) {
            const auto* base = reinterpret_cast<const char*>(module);
            const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
                base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
            if (at >= base && at < base + nt->OptionalHeader.SizeOfImage)
                GetModuleFileNameW(module, name, MAX_PATH);
        }
        const wchar_t* file = wcsrchr(name, L'\\');
        out += "frame\t" + Utf8(file ? file + 1 : name) + "\t" +
               Hex(static_cast<unsigned long>(at - reinterpret_cast<const char*>(module))) + "\n";
    }
    return out;
}

LRESULT CALLBACK InsideWindowProc(int code, WPARAM wp, LPARAM lp) {
    if (code != HCBT_SYSCOMMAND || wp != SC_SCREENSAVE || !g_windowProc.done)
        return CallNextHookEx(nullptr, code, wp, lp);
    void* frames[62];
    const USHORT count = RtlCaptureStackBackTrace(0, 62, frames, nullptr);
    g_windowProc.text = "mode\t" + std::to_string(GetThreadErrorMode()) + "\t" +
                        std::to_string(GetErrorMode()) + "\n" + DescribeFrames(frames, count);
    SetEvent(std::exchange(g_windowProc.done, nullptr));
    return 1;  // no screen saver
}

std::string WindowProc(const std::string& args) {
    HWND target = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(args)));
    DWORD thread = GetWindowThreadProcessId(target, nullptr);
    if (!thread) return "error\tno such window\n";
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_windowProc.done = done;
    HHOOK hook = SetWindowsHookExW(WH_CBT, InsideWindowProc, g_module, thread);
    if (!hook) return "error\tSetWindowsHookEx failed\n";
    PostMessageW(target, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    const bool answered = WaitForSingleObject(done, 5000) == WAIT_OBJECT_0;
    UnhookWindowsHookEx(hook);
    PostMessageW(target, WM_NULL, 0, 0);
    Sleep(100);
    CloseHandle(done);
    if (!answered) return "error\tthe window procedure did not call the hook\n";
    return "ok\n" + g_windowProc.text;
}

// "loadwalk <window> <hot-key id> <dll>": posts the window the hot key and walks the stack from
// inside the load of the DLL that follows (a DLL load notification), which the program's first
// call of one of the DLL's functions makes through its delay-load thunk.
struct LoadWalk {
    std::wstring dll;
    HANDLE done = nullptr;
    void* frames[62];
    USHORT count = 0;
};
LoadWalk g_loadWalk;

struct DllNotification {  // LDR_DLL_NOTIFICATION_DATA, for a load
    ULONG flags;
    const UNICODE_STRING* fullName;
    const UNICODE_STRING* baseName;
};

void CALLBACK DllLoaded(ULONG reason, const DllNotification* data, void*) {
    if (reason != 1 || !g_loadWalk.done) return;
    const std::wstring name(data->baseName->Buffer, data->baseName->Length / sizeof(wchar_t));
    if (lstrcmpiW(name.c_str(), g_loadWalk.dll.c_str()) != 0) return;
    g_loadWalk.count = RtlCaptureStackBackTrace(0, 62, g_loadWalk.frames, nullptr);
    SetEvent(std::exchange(g_loadWalk.done, nullptr));
}

std::string LoadWalkAnswer(const std::string& args) {
    const size_t tab = args.find('\t'), tab2 = args.find('\t', tab + 1);
    if (tab2 == std::string::npos) return "error\tloadwalk needs a window, an id and a DLL\n";
    HWND target = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(args.substr(0, tab))));
    using Register = LONG(NTAPI*)(ULONG, void*, void*, void**);
    using Unregister = LONG(NTAPI*)(void*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto reg = reinterpret_cast<Register>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "LdrRegisterDllNotification")));
    auto unreg = reinterpret_cast<Unregister>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "LdrUnregisterDllNotification")));
    if (!reg || !unreg) return "error\tno DLL load notifications\n";
    const std::string dll = args.substr(tab2 + 1);
    g_loadWalk.dll.assign(dll.begin(), dll.end());
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_loadWalk.done = done;
    void* cookie = nullptr;
    if (reg(0, reinterpret_cast<void*>(&DllLoaded), nullptr, &cookie) < 0)
        return "error\tLdrRegisterDllNotification failed\n";
    PostMessageW(target, WM_HOTKEY, std::stoul(args.substr(tab + 1, tab2 - tab - 1)), 0);
    const bool loaded = WaitForSingleObject(done, 5000) == WAIT_OBJECT_0;
    unreg(cookie);
    CloseHandle(done);
    if (!loaded) return "error\tthe DLL was not loaded\n";
    return "ok\n" + DescribeFrames(g_loadWalk.frames, g_loadWalk.count);
}

// "accessible <window> [<child>]": the accessible object of the window's client area, asked on
// the window's own thread as a screen reader's request reaches it, and its children; with a
// child, that child's default action is done too.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
HWND g_accWindow = nullptr;
long g_accDo = 0;
UINT g_accMessage = 0;
std::string g_accAnswer;

std::string Bstr(BSTR b) {
    std::string s = b ? Utf8(std::wstring(b, SysStringLen(b))) : std::string();
    SysFreeString(b);
    return s;
}

std::string DescribeAccessible(HWND window) {
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                          reinterpret_cast<void**>(&acc))))
        return "error\tno accessible object\n";
    std::string out = "ok\n";
    long count = 0;
    acc->get_accChildCount(&count);
    VARIANT child{};
    child.vt = VT_I4;
    for (child.lVal = 1; child.lVal <= count; ++child.lVal) {
        BSTR name = nullptr, keys = nullptr;
        VARIANT role{};
        acc->get_accName(child, &name);
        acc->get_accKeyboardShortcut(child, &keys);
        acc->get_accRole(child, &role);
        out += "child\t" + std::to_string(role.lVal) + "\t" + Bstr(keys) + "\t" + Bstr(name) + "\n";
    }
    child.lVal = g_accDo;
    if (g_accDo > 0 && FAILED(acc->accDoDefaultAction(child)))
        out = "error\tthe default action failed\n";
    acc->Release();
    return out;
}

LRESULT CALLBACK AccessibleOnThread(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == g_accMessage && m->hwnd == g_accWindow)
        g_accAnswer = DescribeAccessible(m->hwnd);
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::string Accessible(const std::string& args) {
    size_t tab = args.find('\t');
    g_accWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(args.substr(0, tab))));
    g_accDo = tab == std::string::npos ? 0 : std::stol(args.substr(tab + 1));
    DWORD thread = GetWindowThreadProcessId(g_accWindow, nullptr);
    if (!thread) return "error\tno such window\n";
    g_accMessage = RegisterWindowMessageW(L"zarv_probe_accessible");
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, AccessibleOnThread, g_module, thread);
    if (!hook) return "error\tSetWindowsHookEx failed\n";
    g_accAnswer = "error\tthe window's thread did not answer\n";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(g_accWindow, g_accMessage, 0, 0, SMTO_NORMAL, 5000, &result);
    UnhookWindowsHookEx(hook);
    return g_accAnswer;
}

// "syscolors <window> <window text> <button face>": the process's system colours (SetSysColors,
// which tells every window); colours are decimal COLORREFs.
std::string SysColors(const std::string& args) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE};
    COLORREF colours[3]{};
    size_t pos = 0;
    for (COLORREF& c : colours) {
        c = static_cast<COLORREF>(std::stoul(args.substr(pos)));
        pos = args.find('\t', pos) + 1;
    }
    return SetSysColors(3, elements, colours) ? "ok\n" : "error\tSetSysColors failed\n";
}

// The driver loads us once it sees a menu; a menu that is still opening is given a moment.
std::vector<HWND> WaitOpenMenus() {
    std::vector<HWND> menus;
    for (int i = 0; i < 100 && menus.empty(); ++i) {
        menus = OpenMenuWindows();
        if (menus.empty()) Sleep(20);
    }
    return menus;
}

std::string Answer(const std::string& request) {
    if (request.rfind("drop\t", 0) == 0) return Drop(request.substr(5));
    if (request.rfind("controls\t", 0) == 0) return Controls(request.substr(9));
    if (request.rfind("columns\t", 0) == 0) return Columns(request.substr(8));
    if (request.rfind("pixels\t", 0) == 0) return Pixels(request.substr(7));
    if (request.rfind("dpichanged\t", 0) == 0) return DpiChanged(request.substr(11));

    if (request.rfind("messages\t", 0) == 0) return Messages(request.substr(9));
    if (request.rfind("windowproc\t", 0) == 0) return WindowProc(request.substr(11));
    if (request.rfind("loadwalk\t", 0) == 0) return LoadWalkAnswer(request.substr(9));
    if (request.rfind("accessible\t", 0) == 0) return Accessible(request.substr(11));
    if (request.rfind("syscolors\t", 0) == 0) return SysColors(request.substr(10));
    if (request == "menu") {
        const std::vector<HWND> menus = WaitOpenMenus();
        if (menus.empty()) return "error\tno open menu\n";
        std::string out = "ok\n";
        for (HWND w : menus) out += DescribeMenu(w);
        return out;
    }
    if (request == "pictures") {
        const std::vector<HWND> menus = WaitOpenMenus();
        if (menus.empty()) return "error\tno open menu\n";
        std::string pictures = DescribePictures(menus.front());
        return pictures.rfind("error", 0) == 0 ? pictures : "ok\n" + pictures;
    }
    return "error\tunknown request: " + request + "\n";
}

DWORD WINAPI Worker(void*) {
    std::wstring folder = FolderOfDll();
    std::wstring request = folder;
    for (const char* p = probe::kRequestFile; *p; ++p) request += static_cast<wchar_t>(*p);
    WriteResult(folder, Answer(ReadRequest(request)));
    FreeLibraryAndExitThread(g_module, 0);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
        // The worker runs once the loader lock is released, after LoadLibraryW has returned.
        HANDLE t = CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
        if (!t) return FALSE;
        CloseHandle(t);
    }
    return TRUE;
}
