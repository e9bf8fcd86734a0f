#pragma once
// The About box `TAbout`.
#include <windows.h>

#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {

class TAbout : public Window {
public:
    TAbout();
    ~TAbout() override;
    // Shows the box modally over owner, centred on the desktop; returns when it is closed.
    void ShowModal(HWND owner);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormCreate();
    void Btn_OKClick();

    HWND Memo1 = nullptr;
    HWND Btn_OK = nullptr;
    UniqueFont font_;
    bool done_ = false;
};

}  // namespace zarv
