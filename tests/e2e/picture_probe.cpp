// zarv_picture_probe.dll: loaded into a running zarv.exe while its launcher menu is open, it asks
// the menu's owner to draw the picture of every item that has one, exactly as the menu does when
// it paints (WM_DRAWITEM with ODT_MENU, the item's command id and its dwItemData), into a 16 x 16
// bitmap of its own, and writes a fingerprint of each picture to pictures.result next to the DLL:
//
//   ok
//   picture  command-id  drawn(0/1)  fingerprint(hex)
//   ...
// or
//   error  text
//
// "drawn" says whether any pixel differs from the background the bitmap was filled with; equal
// fingerprints mean equal pictures. The DLL unloads itself when it has answered.
#include <windows.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kSize = 16;
constexpr std::uint32_t kBackground = 0x00FF00FF;  // magenta, in no icon of the tests

HMODULE g_module = nullptr;

std::wstring FolderOfDll() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(g_module, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

void WriteResult(const std::wstring& folder, const std::string& text) {
    const std::wstring tmp = folder + L"pictures.result.tmp";
    HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    MoveFileExW(tmp.c_str(), (folder + L"pictures.result").c_str(), MOVEFILE_REPLACE_EXISTING);
}

struct Found {
    HWND menu_window = nullptr;
    HWND main = nullptr;
};

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId()) return TRUE;
    auto& found = *reinterpret_cast<Found*>(lp);
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (!found.menu_window && IsWindowVisible(w) && lstrcmpW(cls, L"#32768") == 0)
        found.menu_window = w;
    if (!found.main && lstrcmpW(cls, L"TZarv_main") == 0) found.main = w;
    return TRUE;
}

std::string Hex(std::uint64_t v) {
    char buf[20];
    wsprintfA(buf, "%08lx%08lx", static_cast<unsigned long>(v >> 32),
              static_cast<unsigned long>(v & 0xFFFFFFFFu));
    return buf;
}

// Lets the owner draw the item's picture into a fresh bitmap; false when it did not answer.
bool DrawPicture(HWND owner, HMENU menu, UINT id, ULONG_PTR data, std::string& line) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kSize;
    bi.bmiHeader.biHeight = -kSize;
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
    for (int i = 0; i < kSize * kSize; ++i) px[i] = kBackground;

    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = id;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = {0, 0, kSize, kSize};
    dis.itemData = data;
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis),
                                        SMTO_NORMAL, 5000, &result) != 0;
    GdiFlush();

    bool drawn = false;
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixels
    for (int i = 0; i < kSize * kSize; ++i) {
        drawn = drawn || px[i] != kBackground;
        for (int b = 0; b < 4; ++b) {
            hash ^= (px[i] >> (8 * b)) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    line = "picture\t" + std::to_string(id) + "\t" + (drawn ? "1" : "0") + "\t" + Hex(hash) + "\n";
    return answered;
}

std::string Answer() {
    Found found;
    for (int i = 0; i < 100 && !found.menu_window; ++i) {
        found = Found{};
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
        if (!found.menu_window) Sleep(20);
    }
    if (!found.menu_window) return "error\tno open menu\n";
    if (!found.main) return "error\tno TZarv_main window\n";
    auto menu = reinterpret_cast<HMENU>(SendMessageW(found.menu_window, MN_GETHMENU, 0, 0));
    int count = menu ? GetMenuItemCount(menu) : -1;
    if (count < 0) return "error\tthe menu has no items to read\n";

    std::string out = "ok\n";
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_BITMAP | MIIM_DATA;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi)) continue;
        if (mi.hbmpItem != HBMMENU_CALLBACK) continue;
        std::string line;
        if (!DrawPicture(found.main, menu, mi.wID, mi.dwItemData, line))
            return "error\tthe owner did not draw item " + std::to_string(mi.wID) + "\n";
        out += line;
    }
    return out;
}

DWORD WINAPI Worker(void*) {
    WriteResult(FolderOfDll(), Answer());
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
