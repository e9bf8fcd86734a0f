// A hot key held down: the keyboard's repeats raise the hot key again, and the entry still starts
// once per press; the watch on the held key costs nothing once the key is up.
#include "zarv_fixture.h"

namespace e2e {
namespace {

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;

class HeldKey : public ZarvTest {
protected:
    // Holds chord's modifiers and sends its key's down `downs` times, 40 ms apart, as the
    // keyboard repeats a held key; then lets go of everything.
    static void Hold(KeyCombo chord, int downs) {
        SendModifiers(chord.modifiers, false);
        for (int i = 0; i < downs; ++i) {
            SendKey(chord.vkey, false);
            Sleep(40);
        }
        SendKey(chord.vkey, true);
        SendModifiers(chord.modifiers, true);
    }

    // The runs in the log once the sentinel key's marker has logged as run number `count`:
    // whatever was pressed before it has started by then (the system queues the hot keys in
    // order); a little more time lets a slow extra start show up too.
    std::vector<MarkerRun> RunsUpToSentinel(std::size_t count) {
        PressAndWait(kSentinel, count);
        Sleep(300);
        return ReadMarkerLog(log());
    }

    static std::size_t CountOf(const std::vector<MarkerRun>& runs, const std::string& line) {
        std::size_t n = 0;
        for (const MarkerRun& r : runs) n += r.command_line == line;
        return n;
    }

    static constexpr KeyCombo kSentinel{kCtrlAlt, VK_F12};
};

TEST_F(HeldKey, HeldThroughSixRepeatsStartsOnceAndTwoPressesStartTwice) {
    const KeyCombo key{kCtrlAlt, VK_F5};
    WriteHotkeys({MarkerEntry(key, "-held"), MarkerEntry(kSentinel, "-sentinel")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));
    const std::string held = marker() + " -held";

    Hold(key, 6);
    auto runs = RunsUpToSentinel(2);
    EXPECT_EQ(CountOf(runs, held), 1u)
        << "one held key started the program " << CountOf(runs, held) << " times";

    Press(key);
    Sleep(400);
    Press(key);
    ASSERT_EQ(WaitMarkerRuns(log(), 4).size(), 4u) << "the second press did not start it again";
    runs = RunsUpToSentinel(5);
    EXPECT_EQ(CountOf(runs, held), 3u);
    EXPECT_EQ(runs.size(), 5u);
}

TEST_F(HeldKey, AnotherHotKeyPressedWhileTheFirstIsHeldRuns) {
    const KeyCombo first{kCtrlAlt, VK_F6}, second{kCtrlAlt, VK_F7};
    WriteHotkeys({MarkerEntry(first, "-first"), MarkerEntry(second, "-second"),
                  MarkerEntry(kSentinel, "-sentinel")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    SendModifiers(kCtrlAlt, false);
    for (int i = 0; i < 3; ++i) {
        SendKey(first.vkey, false);
        Sleep(40);
    }
    SendKey(second.vkey, false);  // the first is still down
    Sleep(40);
    SendKey(second.vkey, false);  // and the keyboard now repeats the second
    Sleep(40);
    SendKey(second.vkey, true);
    SendKey(first.vkey, true);
    SendModifiers(kCtrlAlt, true);

    auto runs = RunsUpToSentinel(3);
    EXPECT_EQ(CountOf(runs, marker() + " -first"), 1u);
    EXPECT_EQ(CountOf(runs, marker() + " -second"), 1u);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].command_line, marker() + " -first");
}

TEST_F(HeldKey, ReleasedKeyLeavesTheProgramIdle) {
    const KeyCombo key{kCtrlAlt, VK_F8};
    WriteHotkeys({MarkerEntry(key, "-held")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));
    ASSERT_GE(ContextSwitches(PathIn(L"zarv.exe")), 0) << "Z:\\proc cannot be read";

    Hold(key, 3);
    ASSERT_EQ(WaitMarkerRuns(log(), 1).size(), 1u);
    Sleep(500);  // the watch sees the release within a look or two

    // The 30 ms watch left running would wake the program about 65 times in these two seconds.
    const long before = ContextSwitches(PathIn(L"zarv.exe"));
    Sleep(2000);
    const long woken = ContextSwitches(PathIn(L"zarv.exe")) - before;
    EXPECT_LE(woken, 5) << "zarv.exe woke " << woken << " times in 2 s of idle";
}

}  // namespace
}  // namespace e2e
