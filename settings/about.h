#pragma once
// The About box `TAbout`.
#include <windows.h>

#include "widgets/base/form.h"

namespace zarv {

class TAbout : public Form {
public:
    explicit TAbout(ModalCounter* counter = nullptr);
    // Shows the box modally over owner, centred on the desktop; returns when it is closed.
    void ShowModal(HWND owner);

protected:
    void FormShow() override;
    // OK, Enter, Escape and the close box.
    void OkClick() override { Btn_OKClick(); }
    void CancelClick() override { Btn_OKClick(); }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Btn_OKClick();
};

}  // namespace zarv
