#pragma once
// Why a hot key would not work: the combinations the last registration pass could not get, and
// the rows of the editor that share a combination.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/hotkey_rows.h"

namespace zarv {

// A modifier combination and key as the system registers them (the low bytes of the records).
struct KeyCombination {
    std::uint8_t Modifiers = 0;
    std::uint8_t VKey = 0;
    bool operator==(const KeyCombination&) const = default;
};

KeyCombination CombinationOf(const THotkeyItem& item);

// What the last registration pass learnt, by combination (never by position, so that a row moved
// or changed in the editor since the pass is still judged rightly).
class RegistrationOutcome {
public:
    void Clear();
    // One registration of the pass and whether the system granted it.
    void Add(KeyCombination key, bool registered);
    // Some entry of the pass holds the combination.
    bool Holds(KeyCombination key) const;
    // The pass tried the combination and no entry of it got it.
    bool Failed(KeyCombination key) const;

private:
    std::vector<KeyCombination> held_;
    std::vector<KeyCombination> failed_;
};

// The editor draws a row's key cell in red when its hot key would not work: the last pass could
// not get its combination, or an earlier row has the same one.
bool IsKeyCellRed(const std::vector<HotkeyRow>& rows, std::size_t row,
                  const RegistrationOutcome& outcome);

// The entry dialog's note on a picked combination.
struct KeyNote {
    enum class Kind { None, OtherProgram, OtherRow };
    Kind What = Kind::None;
    std::size_t Row = 0;  // for OtherRow: the first other row with the combination
    bool operator==(const KeyNote&) const = default;
};

// ownRow: the row being edited, or -1 when one is added. trialFailed: a trial registration of the
// combination just failed; heldByUs: the last pass holds it itself. A combination that someone
// else holds (another program, or the system) is said so first, also for the row's own (the
// reason its key cell is red); then the first other row with it is named. The row's own
// combination, held by the program for it, and a free one get no note.
KeyNote NoteForKey(KeyCombination key, const std::vector<HotkeyRow>& rows, int ownRow,
                   bool trialFailed, bool heldByUs);

// The same, with the facts asked for: pass is the last registration pass; trialFails makes a
// trial registration, only where the pass does not hold the combination (the program's own
// registration would fail it).
KeyNote NoteForKey(KeyCombination key, const std::vector<HotkeyRow>& rows, int ownRow,
                   const RegistrationOutcome& pass,
                   const std::function<bool(KeyCombination)>& trialFails);

// The note of every key of the on-screen key picker (PickerKeys, in its order) combined with
// modifiers, as NoteForKey gives it, with one trial registration at most per key.
std::vector<KeyNote> PickerKeyNotes(std::uint8_t modifiers, const std::vector<HotkeyRow>& rows,
                                    int ownRow, const RegistrationOutcome& pass,
                                    const std::function<bool(KeyCombination)>& trialFails);

// before + middle + after when that fits width (measure gives a text's width), otherwise with
// middle cut from its end and an ellipsis "…" put after what is left of it, as much of it as
// fits. A surrogate pair is never split.
std::wstring FitMiddle(const std::wstring& before, const std::wstring& middle,
                       const std::wstring& after, int width,
                       const std::function<int(const std::wstring&)>& measure);

}  // namespace zarv
