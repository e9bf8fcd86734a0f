// Starting programs and opening files: the right to take the foreground goes with every start,
// and the texts of the entries are used with their %NAME% references expanded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resident/launch.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

// What the stand-ins were asked, in order.
struct Recorder {
    std::vector<std::string> calls;
    DWORD creationFlags = 0;
    DWORD pid = 0;
    HANDLE process = nullptr;  // a copy of the started process's handle
    bool createFails = false;
};
Recorder* g_record = nullptr;

BOOL WINAPI RecordCreateProcess(LPCSTR app, LPSTR line, LPSECURITY_ATTRIBUTES pa,
                                LPSECURITY_ATTRIBUTES ta, BOOL inherit, DWORD flags, LPVOID env,
                                LPCSTR dir, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi) {
    g_record->calls.push_back(std::string("create ") + line);
    g_record->creationFlags = flags;
    if (g_record->createFails) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!CreateProcessA(app, line, pa, ta, inherit, flags, env, dir, si, pi)) return FALSE;
    g_record->pid = pi->dwProcessId;
    DuplicateHandle(GetCurrentProcess(), pi->hProcess, GetCurrentProcess(), &g_record->process, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);
    // Still suspended: it cannot have opened a window before the right is passed on.
    DWORD exit = 0;
    GetExitCodeProcess(pi->hProcess, &exit);
    if (exit != STILL_ACTIVE) g_record->calls.push_back("ended early");
    return TRUE;
}

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                                    INT show) {
    g_record->calls.push_back(std::string("shell ") + verb + " " + file +
                              (params ? " params" : "") + (dir ? " dir" : "") +
                              (show == SW_SHOW ? "" : " hidden"));
    return reinterpret_cast<HINSTANCE>(42);
}

BOOL WINAPI RecordAllow(DWORD pid) {
    g_record->calls.push_back(pid == ASFW_ANY               ? std::string("allow any")
                              : pid == g_record->pid && pid ? std::string("allow started")
                                                            : "allow " + std::to_string(pid));
    return TRUE;
}

class StartTest : public ::testing::Test {
protected:
    void SetUp() override { g_record = &record; }
    void TearDown() override {
        if (record.process) CloseHandle(record.process);
        g_record = nullptr;
    }
    StartCalls calls{&RecordCreateProcess, &RecordShellExecute, &RecordAllow};
    Recorder record;
};

std::string SystemProgram(const char* name) {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

TEST_F(StartTest, StartedProcessGetsTheForegroundRightBeforeItRuns) {
    const std::string line = SystemProgram("cmd.exe") + " /c exit 7";
    ASSERT_TRUE(StartProgram(line, std::string(), std::string(), calls));
    EXPECT_EQ(record.calls, (std::vector<std::string>{"create " + line, "allow started"}));
    EXPECT_TRUE(record.creationFlags & CREATE_SUSPENDED);
    // ... and it was let go afterwards: it runs to its end.
    ASSERT_NE(record.process, nullptr);
    ASSERT_EQ(WaitForSingleObject(record.process, 10000), WAIT_OBJECT_0);
    DWORD exit = 0;
    GetExitCodeProcess(record.process, &exit);
    EXPECT_EQ(exit, 7u);
}

TEST_F(StartTest, ShellOpenLetsWhateverTheShellStartsComeToTheFront) {
    ShellOpen(nullptr, "http://example.invalid/", calls);
    EXPECT_EQ(record.calls,
              (std::vector<std::string>{"allow any", "shell Open http://example.invalid/"}));
}

TEST_F(StartTest, FailedDirectStartFallsBackToTheShellWithTheRight) {
    record.createFails = true;
    StartFile(nullptr, "C:\\nowhere\\doc.txt", "-o", "C:\\nowhere", calls);
    EXPECT_EQ(record.calls, (std::vector<std::string>{"create C:\\nowhere\\doc.txt -o", "allow any",
                                                      "shell Open C:\\nowhere\\doc.txt"}));
}

TEST(EntryPaths, ReferencesExpandFromTheEnvironmentUnlessThePathExistsAsWritten) {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string dir = std::string(temp) + "zarv %ZT_NAME% test";
    CreateDirectoryA(dir.c_str(), nullptr);
    SetEnvironmentVariableA("ZT_DIR", temp);
    SetEnvironmentVariableA("ZT_NAME", "other");
    SetEnvironmentVariableA("ZT_EMPTY", "");
    const std::string longValue(600, 'x');  // more than a path's worth
    SetEnvironmentVariableA("ZT_LONG", longValue.c_str());

    EXPECT_EQ(ResolvedPath("%ZT_DIR%a.exe"), std::string(temp) + "a.exe");
    EXPECT_EQ(ResolvedPath(dir), dir) << "exists as written";
    EXPECT_EQ(ResolvedPath(std::string(temp) + "zarv %ZT_NAME% x"),
              std::string(temp) + "zarv other x");
    EXPECT_EQ(ResolvedPath("%ZT_UNSET_NAME%\\a.exe"), "%ZT_UNSET_NAME%\\a.exe");
    EXPECT_EQ(ExpandedText("-a %ZT_EMPTY%-b %ZT_LONG%"), "-a -b " + longValue);
    EXPECT_EQ(EnvironmentVariable("ZT_EMPTY"), std::string());
    EXPECT_EQ(EnvironmentVariable("ZT_UNSET_NAME"), std::nullopt);
    SetEnvironmentVariableA("ZT_CMD", SystemProgram("cmd.exe").c_str());
    EXPECT_TRUE(IsExistingFile(ResolvedPath("%ZT_CMD%")));
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace zarv
