#pragma once
// Tells the repeats of a held hot key from new presses. The keyboard repeats a key that is held
// down and every repeated key-down raises the hot key again; a system that honours MOD_NOREPEAT
// drops those, others (Wine) do not. After a run the watch follows that key until it is released:
// meanwhile the same identifier is a repeat, any other identifier a new press. The caller looks at
// the key's state on a timer that runs only while the watch is on, so an idle program does no
// work.

namespace zarv {

class HotkeyRepeatWatch {
public:
    // Interval of the looks at the watched key, in milliseconds: a release shorter than this
    // followed by a new press counts as holding the key.
    static constexpr unsigned kLookMs = 30;

    // A look this long after the press tells the key's state after the press; see Look.
    static constexpr unsigned kFreshMs = 60;

    // A hot-key message for identifier id, whose combination ends in the key vkey, pressed at
    // nowMs (a millisecond clock that may wrap): true when it is a new press and its entry runs,
    // false for a repeat of the key that ran last and has not been released since. After a run
    // the watch is on, on vkey.
    bool Press(unsigned id, unsigned char vkey, unsigned nowMs);
    // One look at the watched key at nowMs; keyDown tells whether it is still held. Some systems
    // (Wine) answer a key that was up from a snapshot up to 50 ms old, so a look soon after the
    // press may tell of the time before it. The watch ends when the key is up at a look after
    // one that saw it down, at two looks in a row, or at one look kFreshMs after the press (the
    // timer's ticks come late while the program is busy, and a second press must not wait for
    // them). The result is Watching() afterwards: whether to keep looking.
    bool Look(bool keyDown, unsigned nowMs);
    // Ends the watch: the identifiers have been given out anew.
    void Reset() { id_ = 0; }

    bool Watching() const { return id_ != 0; }
    // The key being watched (meaningful while Watching()).
    unsigned char Key() const { return vkey_; }

private:
    unsigned id_ = 0;  // 0: no watch (identifiers start at 1)
    unsigned char vkey_ = 0;
    unsigned pressMs_ = 0;
    bool seenDown_ = false;  // a look of this watch saw the key down
    bool seenUp_ = false;    // the last look saw it up
};

}  // namespace zarv
