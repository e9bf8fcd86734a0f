// Starting programs: every start passes on the right to take the foreground (the system calls
// replaced by recorders), and the entries' texts are used with their %NAME% references expanded.
// The start of programs when their direct start fails, with the system's process start and shell
// replaced: a process start that answers as Windows does for a program asking for administrator
// rights (740) or for a missing folder, and a shell start that records what it was given.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resident/launch.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

class StandIn : public LaunchCalls {
public:
    DWORD startError = kErrorElevationRequired;
    DWORD shellError = 0;
    std::vector<std::string> calls;

    DWORD StartProcess(const std::string& commandLine, const std::string& workDir,
                       const std::string&) override {
        calls.push_back("start|" + commandLine + "|" + workDir);
        // Like CreateProcess: a working folder that does not exist fails first.
        if (!workDir.empty() && GetFileAttributesA(workDir.c_str()) == INVALID_FILE_ATTRIBUTES)
            return ERROR_DIRECTORY;
        return startError;
    }
    DWORD ShellStart(HWND, const std::string& program, const std::string& parameters,
                     const std::string& folder) override {
        calls.push_back("shell|" + program + "|" + parameters + "|" + folder);
        return shellError;
    }
    void ShellOpen(HWND, const std::string& target) override { calls.push_back("open|" + target); }
};

// A folder of its own under the temporary folder, with a document in it.
class Launching : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "zarv-launch-test";
        CreateDirectoryA(folder_.c_str(), nullptr);
        document_ = folder_ + "\\note.txt";
        HANDLE f =
            CreateFileA(document_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        CloseHandle(f);
    }
    void TearDown() override {
        DeleteFileA(document_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_, document_;
    const std::string regedit_ = "C:\\windows\\regedit.exe";
};

TEST_F(Launching, ProgramAskingForRightsReachesTheShellWithOptionsAndFolder) {
    StandIn system;
    Launch(nullptr, {regedit_, "/m", folder_, false}, system);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"start|" + regedit_ + " /m|" + folder_,
                                                      "shell|" + regedit_ + "|/m|" + folder_}));

    // Typed into the command bar: the program is found on the search path and split off.
    system.calls.clear();
    Launch(nullptr, {"regedit /m", "", "", true}, system);
    EXPECT_EQ(system.calls,
              (std::vector<std::string>{"start|regedit /m|", "shell|" + regedit_ + "|/m|"}));

    // The user declines the prompt: nothing more, above all not the program without options.
    system.calls.clear();
    system.shellError = ERROR_CANCELLED;
    Launch(nullptr, {regedit_, "/m", folder_, false}, system);
    EXPECT_EQ(system.calls.size(), 2u);
}

TEST_F(Launching, VanishedFolderStartsDirectlyAgainWithoutIt) {
    StandIn system;
    system.startError = 0;
    const std::string gone = folder_ + "\\gone";
    Launch(nullptr, {regedit_, "-a --config x", gone, false}, system);
    EXPECT_EQ(system.calls,
              (std::vector<std::string>{"start|" + regedit_ + " -a --config x|" + gone,
                                        "start|" + regedit_ + " -a --config x|"}));

    // Failing there too for rights: the shell, with the options, without the missing folder.
    system.calls.clear();
    system.startError = kErrorElevationRequired;
    Launch(nullptr, {regedit_, "-a", gone, false}, system);
    ASSERT_EQ(system.calls.size(), 3u);
    EXPECT_EQ(system.calls[2], "shell|" + regedit_ + "|-a|");
}

TEST_F(Launching, DocumentStillGoesToTheShellAlone) {
    StandIn system;
    system.startError = ERROR_BAD_EXE_FORMAT;
    Launch(nullptr, {document_, "-opt", folder_, false}, system);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"start|" + document_ + " -opt|" + folder_,
                                                      "open|" + document_}));

    system.calls.clear();
    Launch(nullptr, {document_ + " -x", "", "", true}, system);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"start|" + document_ + " -x|",
                                                      "open|" + document_ + " -x"}));
}

TEST_F(Launching, RealShellStartGetsProgramParametersAndFolder) {
    const std::string out = folder_ + "\\out.txt";
    DeleteFileA(out.c_str());
    char system32[MAX_PATH];
    GetSystemDirectoryA(system32, MAX_PATH);
    LaunchCalls& system = SystemLaunchCalls();
    ASSERT_EQ(system.ShellStart(nullptr, std::string(system32) + "\\cmd.exe", "/c echo ok> out.txt",
                                folder_),
              0u);
    // The relative name lands in the folder given.
    bool written = false;
    for (int i = 0; i < 500 && !written; ++i, Sleep(20))
        written = GetFileAttributesA(out.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_TRUE(written) << "cmd.exe did not run in " << folder_ << " with its parameters";
    Sleep(100);  // cmd.exe lets go of the file
    DeleteFileA(out.c_str());
    // A program that is not there fails with an error and without a box.
    EXPECT_NE(system.ShellStart(nullptr, folder_ + "\\missing.exe", "/x", ""), 0u);
}

// What the stand-ins were asked, in order.
struct Recorder {
    std::vector<std::string> calls;
    DWORD creationFlags = 0;
    DWORD pid = 0;
    HANDLE process = nullptr;  // a copy of the started process's handle
    bool refuseAny = false;    // the system refuses to pass the right on to any process
};
Recorder* g_record = nullptr;

BOOL WINAPI RecordCreateProcess(LPCSTR app, LPSTR line, LPSECURITY_ATTRIBUTES pa,
                                LPSECURITY_ATTRIBUTES ta, BOOL inherit, DWORD flags, LPVOID env,
                                LPCSTR dir, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi) {
    g_record->calls.push_back(std::string("create ") + line);
    g_record->creationFlags = flags;
    if (!CreateProcessA(app, line, pa, ta, inherit, flags, env, dir, si, pi)) return FALSE;
    g_record->pid = pi->dwProcessId;
    DuplicateHandle(GetCurrentProcess(), pi->hProcess, GetCurrentProcess(), &g_record->process, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);
    // Started suspended, it cannot have opened a window before the right is passed on.
    DWORD exit = 0;
    GetExitCodeProcess(pi->hProcess, &exit);
    if ((flags & CREATE_SUSPENDED) && exit != STILL_ACTIVE)
        g_record->calls.push_back("ended early");
    return TRUE;
}

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                                    INT show) {
    g_record->calls.push_back(std::string("shell ") + verb + " " + file +
                              (params ? " params" : "") + (dir ? " dir" : "") +
                              (show == SW_SHOW ? "" : " hidden"));
    return reinterpret_cast<HINSTANCE>(42);
}

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOW* info) {
    auto narrow = [](const wchar_t* w) {
        std::string s;
        for (; w && *w; ++w) s += static_cast<char>(*w);
        return s;
    };
    g_record->calls.push_back("shellex " + narrow(info->lpVerb) + " " + narrow(info->lpFile) + " " +
                              narrow(info->lpParameters) + " " + narrow(info->lpDirectory));
    return TRUE;
}

BOOL WINAPI RecordAllow(DWORD pid) {
    g_record->calls.push_back(pid == ASFW_ANY               ? std::string("allow any")
                              : pid == g_record->pid && pid ? std::string("allow started")
                                                            : "allow " + std::to_string(pid));
    return !(pid == ASFW_ANY && g_record->refuseAny);
}

class StartTest : public ::testing::Test {
protected:
    void SetUp() override { g_record = &record; }
    void TearDown() override {
        if (record.process) CloseHandle(record.process);
        g_record = nullptr;
    }
    StartCalls calls{&RecordCreateProcess, &RecordShellExecute, &RecordShellExecuteEx,
                     &RecordAllow};
    Recorder record;
};

std::string SystemProgram(const char* name) {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

TEST_F(StartTest, StartedProcessGetsTheForegroundRightBeforeItRuns) {
    const std::string line = SystemProgram("cmd.exe") + " /c exit 7";
    auto expectRunsToItsEnd = [&] {
        ASSERT_NE(record.process, nullptr);
        ASSERT_EQ(WaitForSingleObject(record.process, 10000), WAIT_OBJECT_0);
        DWORD exit = 0;
        GetExitCodeProcess(record.process, &exit);
        EXPECT_EQ(exit, 7u);
        CloseHandle(std::exchange(record.process, nullptr));
    };
    // Passed on to any process before the start, which is not held back.
    ASSERT_TRUE(StartProgram(line, std::string(), std::string(), calls));
    EXPECT_EQ(record.calls, (std::vector<std::string>{"allow any", "create " + line}));
    EXPECT_FALSE(record.creationFlags & CREATE_SUSPENDED);
    expectRunsToItsEnd();

    // Refused: the new process gets it while it waits, and is let go afterwards.
    record.calls.clear();
    record.refuseAny = true;
    ASSERT_TRUE(StartProgram(line, std::string(), std::string(), calls));
    EXPECT_EQ(record.calls,
              (std::vector<std::string>{"allow any", "create " + line, "allow started"}));
    EXPECT_TRUE(record.creationFlags & CREATE_SUSPENDED);
    expectRunsToItsEnd();
}

TEST_F(StartTest, ShellOpenLetsWhateverTheShellStartsComeToTheFront) {
    ShellOpen(nullptr, "http://example.invalid/", calls);
    EXPECT_EQ(record.calls,
              (std::vector<std::string>{"allow any", "shell Open http://example.invalid/"}));
}

TEST_F(StartTest, ShellStartOfAProgramLetsItComeToTheFront) {
    EXPECT_EQ(ShellStart(nullptr, "C:\\tools\\tool.exe", "-o", "C:\\tools", calls), 0u);
    EXPECT_EQ(record.calls, (std::vector<std::string>{
                                "allow any", "shellex open C:\\tools\\tool.exe -o C:\\tools"}));
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
