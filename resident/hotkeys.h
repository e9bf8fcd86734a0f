#pragma once
// The global hot keys of the hotkey entries: identifier = position + 1.
#include <windows.h>

#include <vector>

#include "core/key_conflicts.h"
#include "core/records.h"

namespace zarv {

class HotkeyRegistration {
public:
    explicit HotkeyRegistration(HWND window) : window_(window) {}
    ~HotkeyRegistration() { UnregisterAll(); }
    HotkeyRegistration(const HotkeyRegistration&) = delete;
    HotkeyRegistration& operator=(const HotkeyRegistration&) = delete;

    // Drops the previous pass, keeps its own copy of entries and registers every available one
    // (available[i]) under identifier i + 1 with its Modifiers (and MOD_NOREPEAT) and VKey.
    // Failures are silent; the pass's outcome is kept for the hotkey editor to show.
    void Register(const std::vector<THotkeyItem>& entries, const std::vector<bool>& available);
    // The same pass again for the same entries, with what is now known of them.
    void Renew(const std::vector<bool>& available);
    // Tries again the keys of available entries that the system refused (they may have come
    // free); the outcome follows. True when one was taken now.
    bool Retry();
    // Unregisters identifiers 1 to the entry count of the last pass.
    void UnregisterAll();
    // The entry that identifier id was registered for, or nullptr for an identifier outside
    // the last pass.
    const THotkeyItem* Entry(WPARAM id) const;
    const std::vector<THotkeyItem>& Entries() const { return entries_; }
    // Which combinations the last pass holds and which it could not get.
    const RegistrationOutcome& Outcome() const { return outcome_; }
    // Which entries of the last pass were available, and whose key is registered now.
    const std::vector<bool>& Available() const { return available_; }
    const std::vector<bool>& Registered() const { return registered_; }

private:
    void RegisterAvailable(const std::vector<bool>& available);
    bool RegisterEntry(std::size_t i);
    void TakeOutcome();

    HWND window_;
    std::vector<THotkeyItem> entries_;
    RegistrationOutcome outcome_;
    std::vector<bool> available_;
    std::vector<bool> registered_;
};

}  // namespace zarv
