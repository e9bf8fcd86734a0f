#pragma once
// What the resident program knows about key combinations, for the hotkey editor's red key cells
// and its entry dialog's note.
#include "core/key_conflicts.h"

namespace zarv {

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
