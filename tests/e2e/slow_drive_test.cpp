// A drive whose server does not answer: drive N: of the test prefix, made slow by the library the
// SlowDrive cases are started with (every look-up under it waits ZARV_SLOW_MS). Nothing the user
// waits for waits on it: start-up, another entry's key, the launcher menu, another start.
#include <filesystem>

#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {
namespace {

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
constexpr wchar_t kSlowFolder[] = L"C:\\zarv-slow";  // drive N: itself

class SlowDrive : public ZarvTest {
protected:
    void SetUp() override {
        ZarvTest::SetUp();
        wchar_t ms[16] = {};
        wchar_t preload[1024] = {};
        if (!GetEnvironmentVariableW(L"ZARV_SLOW_MS", ms, 16) ||
            !GetEnvironmentVariableW(L"LD_PRELOAD", preload, 1024) ||
            std::wstring(preload).find(L"slow_drive") == std::wstring::npos ||
            !std::filesystem::exists(kSlowFolder))
            GTEST_SKIP() << "no slow drive N: (the slow-drive library is not preloaded)";
        slow_ms_ = static_cast<DWORD>(std::stoul(ms));
        // Written through C:, which is not slow; named through N:, which is.
        const std::wstring name =
            FromAnsi(::testing::UnitTest::GetInstance()->current_test_info()->name());
        slow_dir_ = std::wstring(kSlowFolder) + L"\\" + name;
        std::filesystem::remove_all(slow_dir_);
        std::filesystem::create_directories(slow_dir_);
        ASSERT_TRUE(CopyTo(HelperFolder() + L"\\marker_icon_a.exe", slow_dir_ + L"\\marker.exe"));
        slow_marker_ = "N:\\" + ToAnsi(name) + "\\marker.exe";
    }

    HotkeyRecord SlowEntry(KeyCombo chord, std::string options) const {
        return Entry(chord, slow_marker_, 0, std::move(options));
    }

    DWORD slow_ms_ = 0;
    std::wstring slow_dir_;
    std::string slow_marker_;
};

TEST_F(SlowDrive, StartUpOtherKeysAndTheMenuDoNotWaitForIt) {
    std::vector<HotkeyRecord> entries;
    for (UINT key = VK_F1; key <= VK_F6; ++key)
        entries.push_back(SlowEntry({kCtrlAlt, key}, "-" + std::to_string(key - VK_F1)));
    for (char key = '1'; key <= '5'; ++key)
        entries.push_back(MarkerEntry({kCtrlAlt, static_cast<UINT>(key)}, {'-', key}));
    WriteHotkeys(entries);
    const DWORD t0 = GetTickCount();
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);
    // Waiting on the drive, start-up would take a look-up of each of the six at least.
    EXPECT_LT(GetTickCount() - t0, 2 * slow_ms_);

    // Each local key starts its program at once, in the order pressed, while the checks of the
    // entries on the drive hang.
    for (char key = '1'; key <= '5'; ++key) {
        Press({kCtrlAlt, static_cast<UINT>(key)});
        const auto runs = WaitMarkerRuns(log(), key - '0', 3 * slow_ms_);
        ASSERT_EQ(runs.size(), static_cast<std::size_t>(key - '0')) << "key " << key << " waited";
        EXPECT_EQ(runs.back().command_line, marker() + " -" + key);
    }

    // The menu opens at once with the entries, those on the drive not yet known, shown as there.
    ASSERT_TRUE(ui::ClickIcon(main, WM_LBUTTONDOWN));
    ASSERT_TRUE(ui::MenuOpens(zarv.pid(), slow_ms_));
    std::string error;
    auto menu = ui::ReadMenu(zarv, dir(), &error);
    ASSERT_TRUE(menu) << error;
    ASSERT_EQ(menu->items.size(), 11u);
    for (const MenuItem& item : menu->items) EXPECT_FALSE(item.grayed()) << ToAnsi(item.caption);
    auto pictures = ui::ReadPictures(zarv.handle(), dir(), &error);
    ASSERT_TRUE(pictures && pictures->size() == 11u) << error;
    // The last entry on the drive is checked last: its picture is still the system's.
    const std::string generic = (*pictures)[5].fingerprint;
    ASSERT_TRUE(ui::CloseMenus(zarv.pid()));

    // Their own pictures come when the drive answers.
    EXPECT_TRUE(WaitUntil(
        [&] {
            if (!ui::ClickIcon(main, WM_LBUTTONDOWN) || !ui::MenuOpens(zarv.pid())) return false;
            auto now = ui::ReadPictures(zarv.handle(), dir(), &error);
            ui::CloseMenus(zarv.pid());
            return now && now->size() == 11u && (*now)[0].fingerprint != generic &&
                   (*now)[5].fingerprint != generic;
        },
        40 * slow_ms_));
}

TEST_F(SlowDrive, AStartThatWaitsHoldsUpNoOtherAndRunsOnce) {
    const KeyCombo slow{kCtrlAlt, VK_F5}, local{kCtrlAlt, VK_F6};
    WriteHotkeys({SlowEntry(slow, "-slow"), MarkerEntry(local, "-local")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    Press(slow);
    Sleep(300);   // a new press, not a repeat of the held key
    Press(slow);  // again while its start still waits
    Press(local);
    // Both markers write the case's log: the local one first, at once; the slow one when the
    // drive has answered its look-ups, once.
    auto runs = WaitMarkerRuns(log(), 1, slow_ms_);
    ASSERT_EQ(runs.size(), 1u) << "the local key waited for the slow start";
    EXPECT_EQ(runs[0].command_line, marker() + " -local");
    runs = WaitMarkerRuns(log(), 2, 30 * slow_ms_);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].command_line, slow_marker_ + " -slow");
    Sleep(4 * slow_ms_);
    EXPECT_EQ(ReadMarkerLog(log()).size(), 2u) << "the key pressed twice started it twice";
}

TEST_F(SlowDrive, TypingAPathOnItInTheBarDoesNotWaitForItsEntries) {
    const KeyCombo barKey{kCtrlAlt, VK_F7};
    WriteHotkeys({Entry(barKey, "", zarv::kFuncCommandBar)});
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);
    Press(barKey);
    ASSERT_TRUE(ui::WaitBarShown(main));
    HWND box = ui::CommandBox(main);
    ASSERT_TRUE(box);

    // Each separator typed asks for another folder of the drive: three look-ups, none waited for.
    ASSERT_TRUE(std::filesystem::create_directories(slow_dir_ + L"\\a\\b"));
    const std::wstring typed = L"N:\\" + slow_dir_.substr(wcslen(kSlowFolder) + 1) + L"\\a\\b";
    const DWORD t0 = GetTickCount();
    ui::TypeText(typed);
    EXPECT_TRUE(WaitUntil([&] { return ui::TextOfControl(box) == typed; }, slow_ms_));
    EXPECT_LT(GetTickCount() - t0, slow_ms_);
    EXPECT_TRUE(
        WaitUntil([&] { return ui::BarSuggestions(zarv.pid()) == std::vector{typed + L"\\"}; },
                  20 * slow_ms_));
}

}  // namespace
}  // namespace e2e
