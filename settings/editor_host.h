#pragma once
// What the two list editors hand back to the resident window, and the one open editor of each
// list.
#include <windows.h>

#include <vector>

#include "core/records.h"
#include "settings/key_status.h"
#include "widgets/base/form.h"

namespace zarv {

class TListEditor;

// Also what the program knows about key combinations (KeyStatus), for the hotkey editor.
class EditorHost : public ModalCounter, public KeyStatus {
public:
    // OK in the hotkey editor: the hot keys are registered and the launcher menu is rebuilt
    // from rows.
    virtual void ApplyHotkeys(const std::vector<THotkeyItem>& rows) = 0;
    // OK in the command editor (CommandList holds the rows now): the bar's names follow it.
    virtual void ApplyCommands() = 0;
    // Every close of an editor: HotkeyList or CommandList is written to its file.
    virtual void SaveHotkeys() = 0;
    virtual void SaveCommands() = 0;

protected:
    ~EditorHost() = default;
};

// The open editor of one list. A second request while it is open opens no second editor on
// the same list; with raise set it brings the open one (with its dialog or box) to the front.
struct EditorSlot {
    // True when an editor of the list is open (brought to the front with Raise).
    bool Busy() const;
    // Runs editor modally over owner as the one open editor of the list.
    void Run(TListEditor& editor, HWND owner);

    bool Raise;
    TListEditor* Open = nullptr;
};

}  // namespace zarv
