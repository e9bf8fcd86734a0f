#include "core/hotkey_repeat.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zarv {
namespace {

// The resident window's part, as it drives the watch: a hot-key message runs its entry when the
// watch lets it and starts the timer; each tick looks at the watched key and stops the timer when
// the watch ends. The keyboard is a set of keys held down; the clock is about to wrap.
struct Desk {
    HotkeyRepeatWatch watch;
    unsigned now = 0xFFFFFFF0u;
    std::set<unsigned char> down;
    std::vector<unsigned> runs;
    bool timer = false;

    void HotKey(unsigned id, unsigned char vkey) {
        if (!watch.Press(id, vkey, now)) return;
        runs.push_back(id);
        timer = watch.Watching();
    }
    // The key goes down: the system raises the hot key.
    void Press(unsigned id, unsigned char vkey) {
        down.insert(vkey);
        HotKey(id, vkey);
    }
    void Release(unsigned char vkey) { down.erase(vkey); }
    // The timer's tick, lateMs after its time when the program was busy.
    void Tick(unsigned lateMs = 0) {
        now += HotkeyRepeatWatch::kLookMs + lateMs;
        if (timer) timer = watch.Look(down.count(watch.Key()) != 0, now);
    }
};

constexpr unsigned char kF5 = 0x74, kF6 = 0x75;

TEST(HotkeyRepeatWatch, HeldKeyRunsOnceAndItsReleaseStopsTheTimer) {
    Desk desk;
    desk.Press(1, kF5);
    EXPECT_TRUE(desk.timer) << "the run starts the timer";
    for (int repeat = 0; repeat < 6; ++repeat) {
        desk.HotKey(1, kF5);  // the keyboard's repeat
        desk.Tick();          // still held
        EXPECT_TRUE(desk.timer);
    }
    EXPECT_EQ(desk.runs, std::vector<unsigned>{1});

    desk.Release(kF5);
    desk.Tick();
    EXPECT_FALSE(desk.timer) << "the timer runs on after the release";
    EXPECT_FALSE(desk.watch.Watching());

    // Pressed again after the release: runs at once, and the watch starts anew. Let go before
    // any look saw it down, the release takes a second look (the first may be a stale answer).
    desk.Press(1, kF5);
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{1, 1}));
    EXPECT_TRUE(desk.timer);
    desk.Release(kF5);
    desk.Tick();
    EXPECT_TRUE(desk.timer);
    desk.Tick();
    EXPECT_FALSE(desk.timer);
}

TEST(HotkeyRepeatWatch, AnotherHotKeyWhileTheFirstIsHeldRunsAndTakesTheWatch) {
    Desk desk;
    desk.Press(1, kF5);
    desk.HotKey(1, kF5);
    desk.Press(2, kF6);  // F5 still down
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{1, 2}));
    desk.HotKey(2, kF6);  // the keyboard now repeats F6
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{1, 2}));

    // The watch follows F6: it ends when F6 is up, whatever F5 does.
    desk.Tick();
    desk.Release(kF6);
    desk.Tick();
    EXPECT_FALSE(desk.timer);
    desk.Release(kF5);

    // The first key again; then, still holding F5, other modifiers make another combination
    // of the same key: another hot key, so it runs.
    desk.Press(1, kF5);
    desk.HotKey(4, kF5);
    desk.HotKey(4, kF5);
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{1, 2, 1, 4}));
    desk.Release(kF5);
    desk.Tick();
    desk.Tick();
    EXPECT_FALSE(desk.timer);
}

TEST(HotkeyRepeatWatch, AStaleFirstLookAtANewlyWatchedKeyDoesNotEndTheWatch) {
    Desk desk;
    desk.Press(1, kF5);
    desk.Tick();
    desk.Press(2, kF6);  // F5 still down
    // The first look at F6 answers from a snapshot taken before F6 went down.
    EXPECT_TRUE(desk.watch.Look(false, desk.now + 1));
    desk.HotKey(2, kF6);  // a repeat of the held F6
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{1, 2}));
    desk.Tick();  // F6 seen down
    desk.Release(kF6);
    desk.Tick();
    EXPECT_FALSE(desk.timer) << "an up after a down ends the watch at once";

    // Pressed and let go while the program was busy: the first tick comes late, and a look that
    // long after the press is no stale answer, so a second press right after it runs.
    desk.Press(2, kF6);
    desk.Release(kF6);
    desk.Tick(HotkeyRepeatWatch::kFreshMs - HotkeyRepeatWatch::kLookMs);
    EXPECT_FALSE(desk.timer);
    desk.Press(2, kF6);
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{1, 2, 2, 2}));
}

TEST(HotkeyRepeatWatch, PressWithinOneLookCountsAsHeldAndNewIdentifiersEndTheWatch) {
    Desk desk;
    desk.Press(3, kF5);
    // Up and down again before the timer looked: the watch cannot tell it from a repeat.
    desk.Release(kF5);
    desk.Press(3, kF5);
    EXPECT_EQ(desk.runs, std::vector<unsigned>{3});

    // The hot keys registered anew: identifier 3 may now be another entry, so it runs.
    desk.watch.Reset();
    EXPECT_FALSE(desk.watch.Watching());
    desk.HotKey(3, kF5);
    EXPECT_EQ(desk.runs, (std::vector<unsigned>{3, 3}));

    // A look without a watch (a tick already queued when the timer was stopped) keeps it off.
    HotkeyRepeatWatch idle;
    EXPECT_FALSE(idle.Look(true, 0));
    EXPECT_TRUE(idle.Press(3, kF5, 0));
}

}  // namespace
}  // namespace zarv
