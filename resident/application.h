#pragma once
// The application's own hidden top-level window, titled with the application title. It owns the
// resident window, so that the resident window never gets a taskbar button, and the system
// dialogs of the internal functions.
#include "widgets/base/window.h"

namespace zarv {

class TApplication : public Window {
public:
    // Creates the hidden window with the application title as its caption.
    bool Initialize(const wchar_t* title);
    // The window that a close request to the application closes.
    void SetMainForm(HWND mainForm) { mainForm_ = mainForm; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    HWND mainForm_ = nullptr;
};

}  // namespace zarv
