#pragma once
// The on-screen key picker `TVirualKeybord`: a Japanese keyboard drawn as 92 buttons. A click
// chooses a key and shows its name; OK hands the name and the key's virtual-key code back.
#include <windows.h>

#include <optional>
#include <string>

#include "widgets/base/form.h"
#include "widgets/base/handles.h"

namespace zarv {

struct PickedKey {
    std::wstring Name;  // empty when no key was clicked
    int Code = 0;       // virtual-key code; 0 when no key was clicked
};

class TVirualKeybord : public Form {
public:
    // The picker opens at the mouse pointer.
    explicit TVirualKeybord(ModalCounter* counter = nullptr);
    // After ShowModal: the key chosen with OK (an empty name and code 0 when none was clicked);
    // nothing after Cancel or the close box.
    std::optional<PickedKey> Picked() const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormDpiChanged() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Button1Click(std::size_t key);
    void Button14Click();
    void Button76Click();
    void MakeBoldFont();

    HWND SelectKeys = nullptr;
    int selectKeysTag_ = 0;  // the chosen key's code
    std::wstring selectKeysText_;
    UniqueFont boldFont_;  // the chosen key's name: the form's font in bold
    bool confirmed_ = false;
};

}  // namespace zarv
