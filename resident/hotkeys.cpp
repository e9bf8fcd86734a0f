#include "resident/hotkeys.h"

namespace zarv {

void HotkeyRegistration::Register(const std::vector<THotkeyItem>& entries,
                                  const std::vector<bool>& available) {
    UnregisterAll();
    // Dispatch reads this copy, so a key always runs the entry it was registered for, whatever
    // an editor does to the list afterwards.
    entries_ = entries;
    RegisterAvailable(available);
}

void HotkeyRegistration::Renew(const std::vector<bool>& available) {
    for (size_t i = 0; i < entries_.size(); ++i) UnregisterHotKey(window_, static_cast<int>(i + 1));
    RegisterAvailable(available);
}

void HotkeyRegistration::RegisterAvailable(const std::vector<bool>& available) {
    available_ = std::vector<bool>(entries_.size());
    registered_ = std::vector<bool>(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        available_[i] = i < available.size() && available[i];
        if (available_[i]) registered_[i] = RegisterEntry(i);
    }
    TakeOutcome();
}

bool HotkeyRegistration::RegisterEntry(std::size_t i) {
    // MOD_NOREPEAT: a key held down raises the hot key once where the system honours it (the
    // resident window filters the repeats where it does not).
    return RegisterHotKey(window_, static_cast<int>(i + 1), entries_[i].Modifiers | MOD_NOREPEAT,
                          entries_[i].VKey) != FALSE;
}

bool HotkeyRegistration::Retry() {
    bool taken = false;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (available_[i] && !registered_[i] && RegisterEntry(i)) taken = registered_[i] = true;
    if (taken) TakeOutcome();
    return taken;
}

void HotkeyRegistration::TakeOutcome() {
    outcome_.Clear();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (available_[i]) outcome_.Add(CombinationOf(entries_[i]), registered_[i]);
}

void HotkeyRegistration::UnregisterAll() {
    for (size_t i = 0; i < entries_.size(); ++i) UnregisterHotKey(window_, static_cast<int>(i + 1));
    entries_.clear();
    available_.clear();
    registered_.clear();
}

const THotkeyItem* HotkeyRegistration::Entry(WPARAM id) const {
    if (id < 1 || id > entries_.size()) return nullptr;
    return &entries_[id - 1];
}

}  // namespace zarv
