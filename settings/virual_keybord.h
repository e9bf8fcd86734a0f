#pragma once
// The on-screen key picker `TVirualKeybord`: a Japanese keyboard drawn as 92 buttons. A click
// chooses a key and shows its name; OK hands the name and the key's virtual-key code back. Keys
// whose combination with the entry dialog's modifiers would not work have red captions (and say
// so in their names), and a click on one says why under the keyboard; they can be chosen all the
// same. The arrow keys go from key to key as they lie on the keyboard. Enter on the chosen key, or
// a double click on a key, chooses it and confirms as OK does.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/key_conflicts.h"
#include "widgets/base/form.h"
#include "widgets/base/handles.h"

namespace zarv {

struct PickedKey {
    std::wstring Name;  // empty when no key was clicked
    int Code = 0;       // virtual-key code; 0 when no key was clicked
};

class TVirualKeybord : public Form {
public:
    // taken: the note on each key's combination (PickerKeyNotes; empty: none), naming rows of
    // rows; keyBoxCode: the key the entry dialog's key box holds (0: none), where the focus
    // starts. The picker opens at the mouse pointer.
    TVirualKeybord(std::vector<KeyNote> taken, const std::vector<HotkeyRow>& rows,
                   int keyBoxCode = 0, ModalCounter* counter = nullptr);
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
    bool Taken(std::size_t key) const;
    // A key's button: its caption red when the key is taken.
    void DrawKey(const DRAWITEMSTRUCT& item);
    bool FormKeyDown(HWND control, WPARAM key) override;

    const std::vector<KeyNote> taken_;
    const std::vector<HotkeyRow>& rows_;
    HWND SelectKeys = nullptr;
    HWND Label2 = nullptr;   // the note on the clicked key
    int selectKeysTag_ = 0;  // the chosen key's code
    int chosenKey_ = -1;     // the chosen key's place in the keyboard's table
    std::wstring selectKeysText_;
    UniqueFont boldFont_;  // the chosen key's name: the form's font in bold
    bool confirmed_ = false;
    const int keyBoxCode_;
};

}  // namespace zarv
