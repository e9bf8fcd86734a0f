#pragma once
// What the resident program knows about key combinations, for the hotkey editor's red key cells,
// its entry dialog's note and the key picker's taken keys.
#include <windows.h>

#include <string>
#include <vector>

#include "core/key_conflicts.h"
#include "widgets/base/colours.h"

namespace zarv {

// The red of a combination that would not work, as legible on the system colour ground (the
// window's by default) as text must be: the editor's key cells, the entry dialog's note, the key
// picker's captions and note.
inline COLORREF TakenKeyRed(int ground = COLOR_WINDOW) {
    return MarkColour(RGB(255, 0, 0), ground);
}

// The note on a combination in words, as one line of the label it is shown in (drawn in font):
// a title too long for the line is cut. Empty for no note.
std::wstring KeyNoteText(const KeyNote& note, const std::vector<HotkeyRow>& rows, HWND label,
                         HFONT font);

class KeyStatus {
public:
    // Which combinations the last registration pass holds and which it could not get.
    virtual const RegistrationOutcome& LastPass() const = 0;
    // A trial registration of key on a hidden window of the program: true when the system refuses
    // it (someone holds it, the program itself included, or the system reserves it).
    virtual bool TrialFails(KeyCombination key) = 0;

protected:
    ~KeyStatus() = default;
};

}  // namespace zarv
