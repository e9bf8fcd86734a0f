#pragma once
// The About box `TAbout`.
#include <windows.h>

#include "widgets/base/form.h"

namespace zarv {

class TAbout : public Form {
public:
    // The box opens centred on the desktop.
    explicit TAbout(ModalCounter* counter = nullptr);

protected:
    void FormCreate() override;
    void FormShow() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Btn_OKClick();
};

}  // namespace zarv
