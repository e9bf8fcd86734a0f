#include "core/key_conflicts.h"

#include <algorithm>

namespace zarv {

KeyCombination CombinationOf(const THotkeyItem& item) { return {item.Modifiers, item.VKey}; }

void RegistrationOutcome::Clear() {
    held_.clear();
    failed_.clear();
}

void RegistrationOutcome::Add(KeyCombination key, bool registered) {
    (registered ? held_ : failed_).push_back(key);
}

bool RegistrationOutcome::Holds(KeyCombination key) const {
    return std::find(held_.begin(), held_.end(), key) != held_.end();
}

bool RegistrationOutcome::Failed(KeyCombination key) const {
    // A later entry with the combination of an earlier one fails too, but the key works.
    return std::find(failed_.begin(), failed_.end(), key) != failed_.end() && !Holds(key);
}

bool IsKeyCellRed(const std::vector<HotkeyRow>& rows, std::size_t row,
                  const RegistrationOutcome& outcome) {
    const KeyCombination key = CombinationOf(rows[row].Item);
    if (outcome.Failed(key)) return true;
    for (std::size_t i = 0; i < row; ++i)
        if (CombinationOf(rows[i].Item) == key) return true;
    return false;
}

KeyNote NoteForKey(KeyCombination key, const std::vector<HotkeyRow>& rows, int ownRow,
                   bool trialFailed, bool heldByUs) {
    if (trialFailed && !heldByUs) return {KeyNote::Kind::OtherProgram, 0};
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (static_cast<int>(i) != ownRow && CombinationOf(rows[i].Item) == key)
            return {KeyNote::Kind::OtherRow, i};
    return {};
}

}  // namespace zarv
