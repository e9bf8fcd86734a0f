#include "settings/about.h"

#include "zarv_version.h"

namespace zarv {
namespace {

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

const FormControl kControls[] = {
    {.Kind = ControlKind::Memo,
     .X = 8,
     .Y = 5,
     .Width = 415,
     .Height = 188,
     .Caption = kAboutText,
     .Style = ES_MULTILINE | ES_READONLY | ES_CENTER},
    {.Kind = ControlKind::Button,  // Btn_OK
     .Id = IDOK,
     .X = 184,
     .Y = 200,
     .Width = 65,
     .Height = 22,
     .Caption = L"OK",
     .Style = BS_DEFPUSHBUTTON},
};

}  // namespace

TAbout::TAbout(ModalCounter* counter)
    : Form({.ClassName = L"TAbout",
            .Caption = L"このプログラムについて",
            .Width = 431,
            .Height = 232,
            .ClientSize = true,
            .Style = kDialogStyle,
            .ExStyle = kDialogExStyle,
            .Place = FormPlace::Centred,
            .Background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
           counter) {}

void TAbout::FormCreate() {
    EnsureCommonControls();  // the button in the system's visual style
    AddControls(kControls);
}

void TAbout::FormShow() { SetFocus(Control(IDOK)); }

void TAbout::Btn_OKClick() { Close(); }

LRESULT TAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:  // OK, Enter, Escape
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                Btn_OKClick();
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:  // the read-only memo on the window colour, white by default
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
            SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return Form::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
