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

    // A hot-key message for identifier id, whose combination ends in the key vkey: true when it
    // is a new press and its entry runs, false for a repeat of the key that ran last and has not
    // been released since. After a run the watch is on, on vkey.
    bool Press(unsigned id, unsigned char vkey);
    // One look at the watched key; keyDown tells whether it is still held. The watch ends when
    // the key is up at a look after one that saw it down, or at two looks in a row: some systems
    // (Wine) answer a key that was up from a snapshot up to 50 ms old, so the first look at a key
    // just pressed may tell of the time before the press. The result is Watching() afterwards:
    // whether to keep looking.
    bool Look(bool keyDown);
    // Ends the watch: the identifiers have been given out anew.
    void Reset() { id_ = 0; }

    bool Watching() const { return id_ != 0; }
    // The key being watched (meaningful while Watching()).
    unsigned char Key() const { return vkey_; }

private:
    unsigned id_ = 0;  // 0: no watch (identifiers start at 1)
    unsigned char vkey_ = 0;
    bool seenDown_ = false;  // a look of this watch saw the key down
    bool seenUp_ = false;    // the last look saw it up
};

}  // namespace zarv
