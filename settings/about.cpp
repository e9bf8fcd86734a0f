#include "settings/about.h"

#include "zarv_version.h"

namespace zarv {
namespace {

constexpr int kClientWidth = 431;
constexpr int kClientHeight = 232;
constexpr int kOkId = IDOK;

const wchar_t kAboutText[] =
    L"ZARV  - Zero-wait Application Resident Vaunter -\r\n"
    L"\r\n"
    L"Version " ZARV_VERSION L" Release\r\n"
    L"Copyright (C) 2001-2026 ZARV Project. All rights reserved.\r\n"
    L"\r\n"
    L"このプログラムはフリーソフトウェアです。\r\n"
    L"営利を目的としない限り、自由に転載・配布していただいて構いません。\r\n"
    L"雑誌等へ掲載される場合は、作者までご一報ください。\r\n"
    L"\r\n"
    L"本ソフトの使用による損害に、作者は一切責任を負いません。\r\n"
    L"\r\n"
    L"E-Mail : zarv@example.org\r\n"
    L"HomePage : https://zarv.example.org/";

}  // namespace

TAbout::TAbout() = default;

TAbout::~TAbout() = default;

void TAbout::ShowModal(HWND owner) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    int w = r.right - r.left, h = r.bottom - r.top;
    RECT desk;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
    int x = desk.left + (desk.right - desk.left - w) / 2;
    int y = desk.top + (desk.bottom - desk.top - h) / 2;
    if (!Create(L"TAbout", L"このプログラムについて", style, exStyle, x, y, w, h, owner, nullptr,
                static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
        return;
    FormCreate();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(Btn_OK);
    done_ = false;
    RunModalLoop(hwnd(), owner, done_);
    DestroyWindow(hwnd());
}

void TAbout::FormCreate() {
    EnsureCommonControls();  // the button in the system's visual style
    font_.reset(CreateFormFont());
    const auto font = static_cast<HFONT>(font_.get());
    Memo1 = CreateControl(hwnd(), L"EDIT", kAboutText, ES_MULTILINE | ES_READONLY | ES_CENTER, 8, 5,
                          415, 188, 0, font);
    Btn_OK = CreateControl(hwnd(), L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON | BS_FLAT, 184,
                           200, 65, 22, kOkId, font);
}

void TAbout::Btn_OKClick() { done_ = true; }

LRESULT TAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            // IDOK from the button or Enter, IDCANCEL from Escape.
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) Btn_OKClick();
            return 0;
        case WM_CTLCOLORSTATIC:  // the read-only memo on white
            SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case WM_CLOSE:
            Btn_OKClick();
            return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
