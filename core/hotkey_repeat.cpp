#include "core/hotkey_repeat.h"

namespace zarv {

bool HotkeyRepeatWatch::Press(unsigned id, unsigned char vkey, unsigned nowMs) {
    if (id_ != 0 && id == id_) return false;
    // A new press, also while another hot key's key is still held: from now on its key is
    // the one a repeat comes from.
    id_ = id;
    vkey_ = vkey;
    pressMs_ = nowMs;
    seenDown_ = seenUp_ = false;
    return true;
}

bool HotkeyRepeatWatch::Look(bool keyDown, unsigned nowMs) {
    if (keyDown) {
        seenDown_ = true;
        seenUp_ = false;
    } else if (seenDown_ || seenUp_ || nowMs - pressMs_ >= kFreshMs) {
        id_ = 0;
    } else {
        seenUp_ = true;
    }
    return Watching();
}

}  // namespace zarv
