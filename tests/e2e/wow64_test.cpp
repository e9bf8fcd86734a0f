// On 64-bit Windows the 32-bit build reads the entries' paths as the 64-bit build does: a program
// that lies only in the 64-bit system folder, %ProgramFiles% and a bare name typed into the bar
// name the same programs under both builds. The cases skip on 32-bit Windows.
#include <filesystem>
#include <optional>

#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {
namespace {

using namespace ui;

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;

// True when the driver runs on 64-bit Windows: as a 64-bit program, or under WOW64.
bool On64BitWindows() {
    if (sizeof(void*) == 8) return true;
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The 64-bit system folder as this driver reaches it: a 32-bit program only through Sysnative.
std::wstring NativeSystemFolder() {
    return sizeof(void*) == 8 ? L"C:\\Windows\\System32" : L"C:\\Windows\\Sysnative";
}

// A copy of the marker placed for the test, removed again whatever the test does.
class PlacedMarker {
public:
    explicit PlacedMarker(std::wstring path) : path_(std::move(path)) {
        placed_ = CopyTo(HelperFolder() + L"\\marker.exe", path_);
    }
    ~PlacedMarker() {
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(std::filesystem::path(path_).parent_path().c_str());  // when empty
    }
    bool placed() const { return placed_; }

private:
    std::wstring path_;
    bool placed_ = false;
};

class Wow64 : public ZarvTest {
protected:
    void SetUp() override {
        if (!On64BitWindows()) GTEST_SKIP() << "not on 64-bit Windows";
        ZarvTest::SetUp();
    }
};

TEST_F(Wow64, ProgramOnlyInTheSystemFolderHoldsItsKeyAndStartsWithItsOptions) {
    PlacedMarker placed(NativeSystemFolder() + L"\\zarv_e2e_sys.exe");
    ASSERT_TRUE(placed.placed());
    // A working folder that lies only in the 64-bit system folder, where the 64-bit command
    // processor (not its 32-bit copy) says which folder it runs in.
    PlacedMarker inWork(NativeSystemFolder() + L"\\zarv_e2e_work\\x.exe");
    ASSERT_TRUE(inWork.placed());
    // Written in another letter case than the system's own.
    const std::string file = "C:\\WINDOWS\\system32\\zarv_e2e_sys.exe";
    const std::string work = "C:\\WINDOWS\\system32\\zarv_e2e_work";
    const KeyCombo key{kCtrlAlt, VK_F5}, cmd{kCtrlAlt, VK_F6};
    HotkeyRecord inFolder =
        Entry(cmd, "C:\\Windows\\System32\\cmd.exe", 0, "/c cd > " + AnsiPathIn(L"cwd.txt"));
    inFolder.work_dir = work;
    WriteHotkeys({Entry(key, file, 0, "-s \"a b\""), inFolder});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    EXPECT_EQ(TryRegister(key), ERROR_HOTKEY_ALREADY_REGISTERED) << "shown as missing";
    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    // The program knows itself by the name the entry gives, never "Sysnative".
    EXPECT_EQ(runs[0].command_line, file + " -s \"a b\"");
    EXPECT_EQ(_stricmp(runs[0].exe.c_str(), file.c_str()), 0) << runs[0].exe;

    Press(cmd);
    std::optional<std::string> cwd;
    ASSERT_TRUE(WaitUntil([&] { return (cwd = ReadBytes(PathIn(L"cwd.txt"))) && !cwd->empty(); }));
    EXPECT_EQ(_stricmp(cwd->substr(0, cwd->find_first_of("\r\n")).c_str(), work.c_str()), 0)
        << *cwd;
}

TEST_F(Wow64, ProgramFilesNamesTheSixtyFourBitFolder) {
    PlacedMarker placed(L"C:\\Program Files\\ZarvE2E\\x.exe");
    ASSERT_TRUE(placed.placed());
    const KeyCombo key{kCtrlAlt, VK_F6};
    WriteHotkeys({Entry(key, "%ProgramFiles%\\ZarvE2E\\x.exe", 0, "-p")});
    Process& zarv = StartZarv();
    ASSERT_TRUE(WaitResident(zarv));

    EXPECT_EQ(TryRegister(key), ERROR_HOTKEY_ALREADY_REGISTERED) << "shown as missing";
    auto runs = PressAndWait(key, 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, "\"C:\\Program Files\\ZarvE2E\\x.exe\" -p");
}

TEST_F(Wow64, BareNameIsFoundInTheSystemFolder) {
    PlacedMarker placed(NativeSystemFolder() + L"\\zarv_e2e_bare.exe");
    ASSERT_TRUE(placed.placed());
    const KeyCombo bar{kCtrlAlt, VK_F7}, key{kCtrlAlt, VK_F8};
    // A command or hot key that names the program alone is looked for the same way, and such an
    // entry is not taken for a missing file.
    WriteHotkeys({Entry(bar, "", zarv::kFuncCommandBar), Entry(key, "zarv_e2e_bare", 0, "-h")});
    WriteCommands({{"barecmd", "zarv_e2e_bare", "-c", ""}});
    Process& zarv = StartZarv();
    HWND main = WaitResident(zarv);
    ASSERT_TRUE(main);

    std::vector<MarkerRun> runs;
    for (const wchar_t* typed : {L"zarv_e2e_bare -t x", L"barecmd"}) {
        ASSERT_TRUE(ShowBarWith(bar, main)) << ToAnsi(typed);
        HWND box = CommandBox(main);
        ASSERT_TRUE(box);
        TypeText(typed);
        ASSERT_TRUE(WaitUntil([&] { return TextOfControl(box) == typed; }));
        PressKey(VK_RETURN);
        runs = WaitMarkerRuns(log(), runs.size() + 1);
    }
    // By now the entry's file has been looked for.
    Press(key);
    runs = WaitMarkerRuns(log(), 3);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].wide_command_line, L"zarv_e2e_bare -t x");
    EXPECT_EQ(runs[1].wide_command_line, L"zarv_e2e_bare -c");
    EXPECT_EQ(runs[2].wide_command_line, L"zarv_e2e_bare -h");
}

}  // namespace
}  // namespace e2e
