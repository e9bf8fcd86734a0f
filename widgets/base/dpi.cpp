#include "widgets/base/dpi.h"
#include "widgets/base/handles.h"
#include "widgets/base/system_library.h"

namespace zarv {
namespace {

// MONITOR_DPI_TYPE's effective DPI: what the user chose for the monitor.
constexpr int kEffectiveDpi = 0;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// The per-monitor functions of user32 (Windows 10) and shcore (Windows 8.1), looked up once.
// user32 is loaded already; shcore only when a monitor's DPI is first asked for.
struct DpiApi {
    GetDpiForWindowFn getDpiForWindow = nullptr;
    GetDpiForSystemFn getDpiForSystem = nullptr;
    GetSystemMetricsForDpiFn getSystemMetricsForDpi = nullptr;
    AdjustWindowRectExForDpiFn adjustWindowRectExForDpi = nullptr;
    GetDpiForMonitorFn getDpiForMonitor = nullptr;
    bool shcoreLooked = false;
};

template <typename F>
F Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

DpiApi& Api() {
    static DpiApi api = [] {
        DpiApi a;
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        a.getDpiForWindow = Lookup<GetDpiForWindowFn>(user32, "GetDpiForWindow");
        a.getDpiForSystem = Lookup<GetDpiForSystemFn>(user32, "GetDpiForSystem");
        a.getSystemMetricsForDpi =
            Lookup<GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi");
        a.adjustWindowRectExForDpi =
            Lookup<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
        return a;
    }();
    return api;
}

GetDpiForMonitorFn MonitorFunction() {
    DpiApi& api = Api();
    if (!api.shcoreLooked) {
        api.shcoreLooked = true;
        api.getDpiForMonitor =
            Lookup<GetDpiForMonitorFn>(zarv_load_system_library("shcore.dll"), "GetDpiForMonitor");
    }
    return api.getDpiForMonitor;
}

int MonitorDpi(HMONITOR monitor) {
    UINT x = 0, y = 0;
    GetDpiForMonitorFn f = MonitorFunction();
    if (!f || !monitor || FAILED(f(monitor, kEffectiveDpi, &x, &y))) return 0;
    return static_cast<int>(y);
}

DpiFunctions Available(bool forWindow) {
    // shcore is looked for only when the window function cannot answer.
    DpiFunctions have;
    have.dpiForWindow = Api().getDpiForWindow != nullptr;
    have.dpiForMonitor = (forWindow && have.dpiForWindow) || MonitorFunction() != nullptr;
    return have;
}

}  // namespace

int SystemDpi() {
    if (GetDpiForSystemFn f = Api().getDpiForSystem) return UsableDpi(static_cast<int>(f()), 0);
    const WindowDc screen(nullptr);
    return UsableDpi(screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0, 0);
}

int DpiForWindow(HWND window) {
    int dpi = 0;
    switch (ChooseDpiSource(Available(true), true)) {
        case DpiSource::Window:
            dpi = static_cast<int>(Api().getDpiForWindow(window));
            break;
        case DpiSource::Monitor:
            dpi = MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
            break;
        case DpiSource::System:
            break;
    }
    return UsableDpi(dpi, SystemDpi());
}

int DpiForPoint(POINT point, HWND beside) {
    const HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (beside && Api().getDpiForWindow &&
        MonitorFromWindow(beside, MONITOR_DEFAULTTONEAREST) == monitor)
        return DpiForWindow(beside);
    int dpi = 0;
    if (ChooseDpiSource(Available(false), false) == DpiSource::Monitor) dpi = MonitorDpi(monitor);
    return UsableDpi(dpi, SystemDpi());
}

int PrimaryMonitorDpi() { return DpiForPoint(POINT{0, 0}); }

int SmallIconSize(int dpi) {
    if (GetSystemMetricsForDpiFn f = Api().getSystemMetricsForDpi) {
        const int size = f(SM_CXSMICON, static_cast<UINT>(dpi));
        if (size > 0) return size;
    }
    return SmallIconSizeForDpi(dpi);
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    RECT r{0, 0, clientWidth, clientHeight};
    if (AdjustWindowRectExForDpiFn f = Api().adjustWindowRectExForDpi)
        f(&r, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace zarv
