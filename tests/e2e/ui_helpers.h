#pragma once
// Helpers of the end-to-end tests of the notification-area icon, the two pop-up menus, the About
// box and the command bar: clicks on the icon, choosing menu items with the keyboard, the
// pictures of launcher items, the icons the shell shows, and typing into the command bar.
#include "harness.h"  // first: <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace e2e::ui {

// The icon's callback message and its number towards the shell (the program's only icon).
inline constexpr UINT kTrayMessage = 0x4C8;
inline constexpr WPARAM kIconNumber = 1;

// Command ids of the tray menu.
inline constexpr UINT kHotkeySettingsId = 101;
inline constexpr UINT kCommandSettingsId = 102;
inline constexpr UINT kCommandBarId = 104;
inline constexpr UINT kAboutId = 106;
inline constexpr UINT kExitId = 107;

// Launcher items have command id kFirstLauncherId + position in the list.
inline constexpr UINT kFirstLauncherId = 1000;
inline constexpr ULONG_PTR kNoImage = static_cast<ULONG_PTR>(-1);

// Size of the command bar.
inline constexpr int kBarWidth = 248;
inline constexpr int kBarHeight = 37;

// ---- The icon and the menus -------------------------------------------------------------------

inline HWND CallbackWindow(HWND main) {
    return FindWindowExW(main, nullptr, L"TCallbackWindow", nullptr);
}

// Sends what the shell sends when a mouse button goes down over the icon (WM_LBUTTONDOWN or
// WM_RBUTTONDOWN): the callback message with the icon's number.
inline bool ClickIcon(HWND main, UINT button_down) {
    HWND callback = CallbackWindow(main);
    return callback && PostMessageW(callback, kTrayMessage, kIconNumber, button_down);
}

inline bool MenuOpens(DWORD pid, DWORD timeout_ms = kTimeoutMs) {
    return WaitUntil([&] { return !OpenMenuWindows(pid).empty(); }, timeout_ms);
}

// Closes every open pop-up menu of the process (Escape, one level at a time).
inline bool CloseMenus(DWORD pid) {
    return WaitUntil([&] {
        auto open = OpenMenuWindows(pid);
        if (open.empty()) return true;
        PostMessageW(open.front(), WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(50);
        return false;
    });
}

// The one open pop-up menu of the process; nothing (with the reason) when none or several are.
inline std::optional<OpenMenu> ReadMenu(const Process& zarv, const std::wstring& folder,
                                        std::string* error) {
    auto menus = ReadOpenMenus(zarv.handle(), zarv.pid(), folder, error);
    if (!menus) return std::nullopt;
    if (menus->size() != 1) {
        *error = std::to_string(menus->size()) + " menus are open";
        return std::nullopt;
    }
    return menus->front();
}

inline int HighlightedItem(const OpenMenu& menu) {
    for (size_t i = 0; i < menu.items.size(); ++i)
        if (menu.items[i].state & MFS_HILITE) return static_cast<int>(i);
    return -1;
}

// Moves the highlight of the open menu with the Down key until the item with command id is
// highlighted, then presses Enter. False, with the reason, when that does not work.
inline bool ChooseMenuItem(const Process& zarv, const std::wstring& folder, UINT id,
                           std::string* error) {
    int last = -2;
    for (int presses = 0; presses < 40; ++presses) {
        std::optional<OpenMenu> menu;
        // Wait for the previous key to move the highlight before pressing the next one.
        for (int reads = 0; reads < 20; ++reads) {
            menu = ReadMenu(zarv, folder, error);
            if (!menu) return false;
            if (HighlightedItem(*menu) != last) break;
            Sleep(20);
        }
        const auto& items = menu->items;
        auto it = std::find_if(items.begin(), items.end(),
                               [&](const MenuItem& item) { return item.id == id; });
        if (it == items.end()) {
            *error = "no item with id " + std::to_string(id) + " in the open menu";
            return false;
        }
        last = HighlightedItem(*menu);
        if (last == it - items.begin()) {
            Press({0, VK_RETURN});
            return true;
        }
        Press({0, VK_DOWN});
    }
    *error = "the Down key never reached item " + std::to_string(id);
    return false;
}

// ---- Memory and messages of another process ---------------------------------------------------

// Memory inside the process that owns a window: the structures of messages to another process's
// list views and tooltips must lie in the address space of the control that reads them.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t bytes) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) at_ = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    explicit operator bool() const { return at_ != nullptr; }
    LPARAM address(size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(at_) + offset);
    }
    bool Write(const void* data, size_t bytes, size_t offset = 0) const {
        return WriteProcessMemory(process_, static_cast<char*>(at_) + offset, data, bytes, nullptr);
    }
    bool Read(void* data, size_t bytes, size_t offset = 0) const {
        return ReadProcessMemory(process_, static_cast<char*>(at_) + offset, data, bytes, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
};

inline LRESULT SendTimeout(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kTimeoutMs, &result)) return -1;
    return static_cast<LRESULT>(result);
}

// ---- The icons the shell shows ----------------------------------------------------------------

// One icon of the notification area, as Wine's shell (explorer.exe) shows it: the small window
// that stands for the icon and the text of its tooltip.
struct ShellIcon {
    HWND window = nullptr;
    std::wstring tip;
};

// Every icon of the notification area with its tooltip text. The shell keeps each tip in a
// tooltip control of its own process, so the tool's description and the text buffer are placed in
// that process for TTM_ENUMTOOLSW and TTM_GETTEXTW.
inline std::vector<ShellIcon> ShellIcons() {
    constexpr int kTextChars = 1024;
    struct Remote {
        TTTOOLINFOW info;
        wchar_t text[kTextChars];
    };
    std::vector<ShellIcon> icons;
    for (const ProcessEntry& p : Processes()) {
        if (lstrcmpiW(p.exe.c_str(), L"explorer.exe") != 0) continue;
        for (HWND tooltip : TopLevelWindows(p.pid, TOOLTIPS_CLASSW)) {
            RemoteMemory remote(tooltip, sizeof(Remote));
            if (!remote) continue;
            const LRESULT count = SendTimeout(tooltip, TTM_GETTOOLCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                Remote local{};
                local.info.cbSize = sizeof local.info;
                if (!remote.Write(&local, sizeof local) ||
                    SendTimeout(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                                remote.address()) <= 0 ||
                    !remote.Read(&local, sizeof local))
                    continue;
                local.info.lpszText =
                    reinterpret_cast<wchar_t*>(remote.address(offsetof(Remote, text)));
                local.text[0] = L'\0';
                if (!remote.Write(&local, sizeof local) ||
                    SendTimeout(tooltip, TTM_GETTEXTW, kTextChars, remote.address()) < 0 ||
                    !remote.Read(&local, sizeof local))
                    continue;
                local.text[kTextChars - 1] = L'\0';
                HWND window = (local.info.uFlags & TTF_IDISHWND)
                                  ? reinterpret_cast<HWND>(local.info.uId)
                                  : local.info.hwnd;
                icons.push_back({window, local.text});
            }
        }
    }
    return icons;
}

// ---- Notices
// -------------------------------------------------------------------------------------

// The texts of the balloons the shell shows now. Wine shows one balloon at a time, about 2 s after
// it was asked for, as a tooltip window of the shell's process, which answers WM_GETTEXT.
inline BOOL CALLBACK CollectBalloon(HWND w, LPARAM lp) {
    if (ClassOf(w) == L"tooltips_class32" && IsWindowVisible(w) &&
        (GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON)) {
        wchar_t text[512] = L"";
        DWORD_PTR got = 0;
        SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                            kTimeoutMs, &got);
        reinterpret_cast<std::vector<std::wstring>*>(lp)->push_back(text);
    }
    return TRUE;
}
inline std::vector<std::wstring> BalloonTexts() {
    std::vector<std::wstring> texts;
    EnumWindows(CollectBalloon, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

inline bool BalloonSays(const std::wstring& part) {
    auto texts = BalloonTexts();
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::wstring& t) { return t.find(part) != std::wstring::npos; });
}

// Waits for a balloon whose text holds part (another icon's balloon holds ours back 10 s at least).
inline bool WaitBalloon(const std::wstring& part, DWORD timeout_ms = 40000) {
    return WaitUntil([&] { return BalloonSays(part); }, timeout_ms);
}

// A balloon asked for would be up after this long.
inline constexpr DWORD kBalloonDelayMs = 3000;

// ---- Answers of the probe ---------------------------------------------------------------------

// The records of a probe's answer of the given kind with count fields (the kind first), split at
// the tabs.
inline std::vector<std::vector<std::string>> ProbeRecords(const std::string& answer,
                                                          const char* kind, std::size_t count) {
    std::vector<std::vector<std::string>> records;
    size_t start = 0;
    for (size_t end; (end = answer.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> f;
        size_t pos = start;
        for (size_t tab; (tab = answer.find('\t', pos)) < end; pos = tab + 1)
            f.push_back(answer.substr(pos, tab - pos));
        f.push_back(answer.substr(pos, end - pos));
        if (f.size() == count && f[0] == kind) records.push_back(std::move(f));
    }
    return records;
}

// ---- Pictures of launcher items ---------------------------------------------------------------

// What the probe saw the owner draw for one item of the open menu.
struct Picture {
    UINT id = 0;
    bool drawn = false;       // anything at all was drawn
    std::string fingerprint;  // equal fingerprints, equal pictures
    SIZE size{};              // the picture as its owner measures it
    SIZE drawnSize{};         // the extent of what it drew
};

// The pictures of the open menu's items that have one, read through the probe; nothing, with
// the reason in error, on failure.
inline std::optional<std::vector<Picture>> ReadPictures(HANDLE process, const std::wstring& folder,
                                                        std::string* error) {
    std::optional<std::string> answer = RunProbe(process, folder, "pictures", error);
    if (!answer) return std::nullopt;
    std::vector<Picture> pictures;
    for (const auto& f : ProbeRecords(*answer, "picture", 8))
        pictures.push_back({static_cast<UINT>(std::stoul(f[1])),
                            f[2] == "1",
                            f[3],
                            {std::stoi(f[4]), std::stoi(f[5])},
                            {std::stoi(f[6]), std::stoi(f[7])}});
    return pictures;
}

// ---- Layout read inside the program -----------------------------------------------------------

// A window or a control as the probe saw it.
struct ControlInfo {
    int depth = 0;       // 0: the window itself; 1: its children; 2: theirs ...
    std::wstring cls;    // window class
    int id = 0;          // control id
    RECT rect{};         // screen (depth 0) or the window's client coordinates
    int fontHeight = 0;  // LOGFONT height of its font (negative: character height), 0 none
    std::wstring text;
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
};

// The window and every window inside it, read in the program; nothing (with the reason) when
// the probe failed.
inline std::optional<std::vector<ControlInfo>> ReadControls(HANDLE process,
                                                            const std::wstring& folder, HWND window,
                                                            std::string* error) {
    std::optional<std::string> answer = RunProbe(
        process, folder, "controls\t" + std::to_string(reinterpret_cast<INT_PTR>(window)), error);
    if (!answer) return std::nullopt;
    std::vector<ControlInfo> controls;
    for (const auto& f : ProbeRecords(*answer, "control", 10)) {
        ControlInfo c;
        c.depth = std::stoi(f[1]);
        c.cls = FromUtf8(f[2]);
        c.id = std::stoi(f[3]);
        c.rect = {std::stoi(f[4]), std::stoi(f[5]), std::stoi(f[6]), std::stoi(f[7])};
        c.fontHeight = std::stoi(f[8]);
        c.text = FromUtf8(f[9]);
        controls.push_back(std::move(c));
    }
    return controls;
}

// A column of a list view, with the width its caption takes in the header.
struct ColumnInfo {
    int width = 0;
    int captionWidth = 0;
    std::wstring caption;
};

inline std::optional<std::vector<ColumnInfo>> ReadColumns(HANDLE process,
                                                          const std::wstring& folder, HWND list,
                                                          std::string* error) {
    std::optional<std::string> answer = RunProbe(
        process, folder, "columns\t" + std::to_string(reinterpret_cast<INT_PTR>(list)), error);
    if (!answer) return std::nullopt;
    std::vector<ColumnInfo> columns;
    for (const auto& f : ProbeRecords(*answer, "column", 5))
        columns.push_back({std::stoi(f[2]), std::stoi(f[3]), FromUtf8(f[4])});
    return columns;
}

// The extent of what window draws in part of its client area (other than the colour of the
// part's top-left pixel), read inside the program; an empty rectangle when nothing is drawn.
inline std::optional<RECT> ReadDrawnExtent(HANDLE process, const std::wstring& folder, HWND window,
                                           RECT part, std::string* error) {
    std::string request = "pixels\t" + std::to_string(reinterpret_cast<INT_PTR>(window));
    for (LONG v : {part.left, part.top, part.right, part.bottom})
        request += "\t" + std::to_string(v);
    std::optional<std::string> answer = RunProbe(process, folder, request, error);
    if (!answer) return std::nullopt;
    RECT r{};
    if (sscanf(answer->c_str(), "drawn\t%ld\t%ld\t%ld\t%ld", &r.left, &r.top, &r.right,
               &r.bottom) != 4) {
        if (error) *error = "unreadable answer: " + *answer;
        return std::nullopt;
    }
    return r;
}

// Sends window, inside the program, the notice that it moved to a monitor of dpi with the
// suggested outer rectangle (as Windows does; Wine never does). False, with the reason, on
// failure.
inline bool SendDpiChanged(HANDLE process, const std::wstring& folder, HWND window, int dpi,
                           RECT suggested, std::string* error) {
    std::string request = "dpichanged\t" + std::to_string(reinterpret_cast<INT_PTR>(window)) +
                          "\t" + std::to_string(dpi);
    for (LONG v : {suggested.left, suggested.top, suggested.right, suggested.bottom})
        request += "\t" + std::to_string(v);
    return RunProbe(process, folder, request, error).has_value();
}

// The screen's DPI as the tests' prefix sets it (LogPixels).
inline int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A 96-dpi figure at dpi, rounded as MulDiv rounds.
inline int Scaled(int v, int dpi) { return MulDiv(v, dpi, 96); }

// ---- The command bar --------------------------------------------------------------------------

// Whether the process has loaded the DLL of that file name (letter case ignored).
inline bool ModuleLoaded(DWORD pid, const wchar_t* name) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snap == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W m{};
    m.dwSize = sizeof m;
    bool found = false;
    for (BOOL more = Module32FirstW(snap, &m); more && !found; more = Module32NextW(snap, &m))
        found = lstrcmpiW(m.szModule, name) == 0;
    CloseHandle(snap);
    return found;
}

// The editable drop-down of the bar (a ComboBox on the bar's panel).
inline HWND CommandBox(HWND main) {
    HWND panel = FindWindowExW(main, nullptr, L"TPanel", nullptr);
    return panel ? FindWindowExW(panel, nullptr, L"ComboBox", nullptr) : nullptr;
}

// The rows of the bar's list of suggestions (a ListBox of its own); none while it is hidden.
inline std::vector<std::wstring> BarSuggestions(DWORD pid) {
    std::vector<std::wstring> rows;
    for (HWND list : TopLevelWindows(pid, L"ListBox")) {
        if (!IsWindowVisible(list)) continue;
        wchar_t text[300];
        for (LRESULT i = 0, n = SendTimeout(list, LB_GETCOUNT, 0, 0); i < n; ++i)
            if (SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) >= 0)
                rows.push_back(text);
    }
    return rows;
}

// The text of the window, asked for with WM_GETTEXT (which also reaches into another process).
inline std::wstring TextOfControl(HWND window) {
    wchar_t buf[1024] = {};
    const LRESULT n = SendTimeout(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
    if (n < 0) return L"<no answer>";
    return std::wstring(buf, std::min<size_t>(static_cast<size_t>(n), 1023));
}

inline RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The bar is up and has the keyboard: typed keys reach its box.
inline bool WaitBarShown(HWND main, DWORD timeout_ms = kTimeoutMs) {
    return WaitUntil([&] { return IsWindowVisible(main) && GetForegroundWindow() == main; },
                     timeout_ms);
}

// Shows the bar with its hot key and waits until it has the keyboard. Without a window manager
// the X server may hand the focus to another window a moment after the bar last hid, taking the
// activation from a bar shown again meanwhile: then the key is pressed once more.
inline bool ShowBarWith(KeyCombo key, HWND main) {
    Press(key);
    if (WaitBarShown(main, 1000)) return true;
    Press(key);
    return WaitBarShown(main);
}

inline bool WaitBarHidden(HWND main) {
    return WaitUntil([&] { return !IsWindowVisible(main); });
}

// Types text into the focused window, character by character (KEYEVENTF_UNICODE).
inline void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(in);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void PressKey(UINT vk) { Press({0, vk}); }

// Moves the pointer and returns where it really is (the system keeps it inside the screen).
// Under Wine the position lives twice: in the server, which SetCursorPos sets at once, and in X,
// which Wine asks once the last change is 100 ms old; X may refuse the move (while it has the
// pointer grabbed). So the move is repeated until the position read after that time agrees.
// Then the window the pointer entered has heard of it: its thread re-reads the keyboard from X,
// which knows nothing of keys pressed with SendInput, so a chord pressed meanwhile could lose
// its modifiers; the call returns once that thread has caught up.
inline POINT MovePointer(int x, int y) {
    POINT want{}, at{};
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(x, y);
        GetCursorPos(&want);
        Sleep(120);
        GetCursorPos(&at);
        if (at.x == want.x && at.y == want.y) break;
    }
    if (HWND under = WindowFromPoint(at)) WaitResponsive(under, 2000);
    return at;
}

// Moves the pointer to (x, y) and clicks there with the left or the right button.
inline void ClickAt(int x, int y, bool right = false) {
    MovePointer(x, y);
    INPUT in[2] = {};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

// ---- List views of another process ------------------------------------------------------------

inline int RowCount(HWND list) {
    return static_cast<int>(SendTimeout(list, LVM_GETITEMCOUNT, 0, 0));
}

// The text of one cell (column 0 is the row caption).
inline std::wstring CellText(HWND list, int row, int column) {
    constexpr int kChars = 600;
    RemoteMemory mem(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!mem) return L"<no memory>";
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<wchar_t*>(mem.address(sizeof(LVITEMW)));
    wchar_t text[kChars] = {};
    if (!mem.Write(&item, sizeof item) || !mem.Write(text, sizeof text, sizeof(LVITEMW)) ||
        SendTimeout(list, LVM_GETITEMTEXTW, row, mem.address()) < 0 ||
        !mem.Read(text, sizeof text, sizeof(LVITEMW)))
        return L"<no answer>";
    text[kChars - 1] = L'\0';
    return text;
}

// Every row as its shown cells, columns 0 to columns - 1.
inline std::vector<std::vector<std::wstring>> Rows(HWND list, int columns) {
    std::vector<std::vector<std::wstring>> rows;
    const int n = RowCount(list);
    for (int r = 0; r < n; ++r) {
        rows.emplace_back();
        for (int c = 0; c < columns; ++c) rows.back().push_back(CellText(list, r, c));
    }
    return rows;
}

// The captions of the rows, top to bottom.
inline std::vector<std::wstring> RowCaptions(HWND list) {
    std::vector<std::wstring> captions;
    for (auto& row : Rows(list, 1)) captions.push_back(row[0]);
    return captions;
}

// The screen rectangle of a row (its label part: the first column).
inline RECT RowRect(HWND list, int row) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    RemoteMemory mem(list, sizeof r);
    if (mem && mem.Write(&r, sizeof r)) {
        SendTimeout(list, LVM_GETITEMRECT, row, mem.address());
        mem.Read(&r, sizeof r);
    }
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The screen rectangle of one cell of a row (column 0 is the caption).
inline RECT CellRect(HWND list, int row, int column) {
    RECT r{LVIR_BOUNDS, column, 0, 0};
    RemoteMemory mem(list, sizeof r);
    if (mem && mem.Write(&r, sizeof r)) {
        SendTimeout(list, LVM_GETSUBITEMRECT, row, mem.address());
        mem.Read(&r, sizeof r);
    }
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// How many pixels (0x00RRGGBB) of the screen rectangle r are such that is(pixel). Only the part
// on the screen counts (a copy from beyond its edge fails as a whole).
template <typename Is>
int PixelsWhere(RECT r, Is is) {
    const RECT screen_rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&r, &r, &screen_rect)) return 0;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    int count = 0;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; pixels && i < w * h; ++i)
        if (is(pixels[i])) ++count;
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return count;
}

// Pixels of text drawn in red.
inline int RedPixels(RECT r) {
    return PixelsWhere(r, [](DWORD p) {
        return ((p >> 16) & 0xFF) > 160 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90;
    });
}

// Pixels near white (light) or near black.
inline int GreyPixels(RECT r, bool light) {
    return PixelsWhere(r, [light](DWORD p) {
        const int lo = std::min({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFFu});
        const int hi = std::max({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFFu});
        return light ? lo > 200 : hi < 50;
    });
}

// Selects and focuses one row, as a click on it does.
inline bool SelectRow(HWND list, int row) {
    RemoteMemory mem(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return mem && mem.Write(&item, sizeof item) &&
           SendTimeout(list, LVM_SETITEMSTATE, row, mem.address()) > 0;
}

// Drags with the left button from one screen point to another, in steps, as a hand does.
inline void DragMouse(POINT from, POINT to) {
    MovePointer(from.x, from.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    Sleep(50);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int step = 1; step <= 8; ++step) {
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        move.mi.dx = (from.x + (to.x - from.x) * step / 8) * 65535 / (w - 1);
        move.mi.dy = (from.y + (to.y - from.y) * step / 8) * 65535 / (h - 1);
        SendInput(1, &move, sizeof move);
        Sleep(40);
    }
    MovePointer(to.x, to.y);
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

// ---- Files dropped from the shell -------------------------------------------------------------

// Drops the files on window of the running program as the shell does (WM_DROPFILES with a block
// the program itself holds, made by the probe). False, with the reason, on failure.
inline bool DropFiles(const Process& zarv, const std::wstring& folder, HWND window,
                      const std::vector<std::wstring>& paths, std::string* error) {
    std::string request = "drop\t" + std::to_string(reinterpret_cast<INT_PTR>(window));
    for (const std::wstring& path : paths) {
        int n = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr,
                                    0, nullptr, nullptr);
        std::string utf8(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), utf8.data(), n,
                            nullptr, nullptr);
        request += "\t" + utf8;
    }
    return RunProbe(zarv.handle(), folder, request, error).has_value();
}

}  // namespace e2e::ui
