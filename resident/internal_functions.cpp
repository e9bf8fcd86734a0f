#include "resident/internal_functions.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <winnetwk.h>

#include "core/function_numbers.h"
#include "resident/zarv_main.h"

namespace zarv {
namespace {

// Restart and shut down need the shutdown privilege where the system asks for it.
void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
    CloseHandle(token);
}

void TransparentDesktopIconTexts() {
    HWND progman = FindWindowW(L"Progman", L"Program Manager");
    if (!progman) return;
    HWND view = FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr);
    if (!view) return;
    HWND list = FindWindowExW(view, nullptr, L"SysListView32", nullptr);
    if (!list) return;
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    InvalidateRect(list, nullptr, TRUE);
}

void ShowDateTime() {
    HWND owner = nullptr;  // the resident window is hidden: the box stands on its own
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::wstring text = DateTimeText(now);
    MessageBoxW(owner, text.c_str(), L"ZARV", MB_OK | MB_SETFOREGROUND);
}

}  // namespace

std::wstring DateTimeText(const SYSTEMTIME& time) {
    wchar_t date[128] = L"";
    wchar_t clock[128] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
    std::wstring text = date;
    if (time.wHour != 0 || time.wMinute != 0 || time.wSecond != 0) {
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
        text += L' ';
        text += clock;
    }
    return text;
}

void RunInternalFunction(int number, TZarv_main& main) {
    HWND self = main.hwnd();
    switch (number) {
        case kFuncShutdownDialog:
            if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr))
                SendMessageW(tray, WM_CLOSE, 0, 0);
            break;
        case kFuncRestart:
            EnableShutdownPrivilege();
            ExitWindowsEx(EWX_REBOOT, 0);
            break;
        case kFuncShutDown:
            EnableShutdownPrivilege();
            ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0);
            break;
        case kFuncMapNetworkDrive:
            WNetConnectionDialog(main.Application(), RESOURCETYPE_DISK);
            break;
        case kFuncDisconnectNetworkDrive:
            WNetDisconnectDialog(main.Application(), RESOURCETYPE_DISK);
            break;
        case kFuncScreenSaver:
            SendMessageW(self, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
            break;
        case kFuncControlPanel:
            ShellExecuteA(self, "Open", "Control.exe", "", "", SW_SHOW);
            break;
        case kFuncTransparentIconTexts:
            TransparentDesktopIconTexts();
            break;
        case kFuncDateAndTime:
            ShowDateTime();
            break;
        case kFuncLauncherMenu:
            main.PopupItemMenu(0, 0);
            break;
        case kFuncTrayMenu:
            main.PopupTrayMenu(0, 0);
            break;
        case kFuncHotkeyEditor:
            main.Setting1Click();
            break;
        case kFuncCommandEditor:
            main.SCommadClick();
            break;
        case kFuncCommandBar:
            main.CommandClick();
            break;
        default:
            break;
    }
}

}  // namespace zarv
