#pragma once
// The on-screen key picker `TVirualKeybord`: a Japanese keyboard drawn as 92 buttons. A click
// chooses a key and shows its name; OK hands the name and the key's virtual-key code back.
#include <windows.h>

#include <optional>
#include <string>

#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {

struct PickedKey {
    std::wstring Name;  // empty when no key was clicked
    int Code = 0;       // virtual-key code; 0 when no key was clicked
};

class TVirualKeybord : public Window {
public:
    // Shows the picker modally at the mouse pointer over owner. OK gives the chosen key (an empty
    // name and code 0 when none was clicked); Cancel and the close box give nothing.
    std::optional<PickedKey> Execute(HWND owner);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormCreate();
    void FormShow();
    void Button1Click(std::size_t key);
    void Button14Click();
    void Button76Click();

    HWND SelectKeys = nullptr;
    int selectKeysTag_ = 0;  // the chosen key's code
    std::wstring selectKeysText_;
    UniqueFont font_;
    UniqueFont boldFont_;
    bool done_ = false;
    bool confirmed_ = false;
};

}  // namespace zarv
