#include "core/key_conflicts.h"

#include <algorithm>

#include "core/key_picker.h"

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

KeyNote NoteForKey(KeyCombination key, const std::vector<HotkeyRow>& rows, int ownRow,
                   const RegistrationOutcome& pass,
                   const std::function<bool(KeyCombination)>& trialFails) {
    const bool held = pass.Holds(key);
    return NoteForKey(key, rows, ownRow, !held && trialFails(key), held);
}

std::vector<KeyNote> PickerKeyNotes(std::uint8_t modifiers, const std::vector<HotkeyRow>& rows,
                                    int ownRow, const RegistrationOutcome& pass,
                                    const std::function<bool(KeyCombination)>& trialFails) {
    std::vector<KeyNote> notes;
    notes.reserve(kPickerKeyCount);
    const PickerKey* keys = PickerKeys();
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const KeyCombination key{modifiers, static_cast<std::uint8_t>(keys[k].Code)};
        notes.push_back(NoteForKey(key, rows, ownRow, pass, trialFails));
    }
    return notes;
}

std::wstring FitMiddle(const std::wstring& before, const std::wstring& middle,
                       const std::wstring& after, int width,
                       const std::function<int(const std::wstring&)>& measure) {
    std::wstring whole = before + middle + after;
    if (measure(whole) <= width) return whole;
    auto cut = [&](std::size_t n) { return before + middle.substr(0, n) + L"\u2026" + after; };
    // The longest start of middle that fits; widths grow with the length.
    std::size_t lo = 0, hi = middle.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (measure(cut(mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && middle[lo - 1] >= 0xD800 && middle[lo - 1] <= 0xDBFF) --lo;
    return cut(lo);
}

}  // namespace zarv
