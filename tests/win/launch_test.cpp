// Starting programs with the system's process start and shell replaced by stand-ins that record
// what they are asked and answer as Windows does: for a program asking for administrator rights
// (740), for a missing folder, for a document. Every start passes on the right to take the
// foreground, gives the started program the default error mode and owns its shell calls by the
// window in front. The entries' texts are used wide, with their %NAME% references expanded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resident/launch.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

// What the stand-ins were asked, in order, and how they answer.
struct Recorder {
    std::vector<std::wstring> calls;
    DWORD startError = kErrorElevationRequired;  // 0: the real process start
    DWORD shellError = 0;
    DWORD creationFlags = 0;
    DWORD pid = 0;
    HANDLE process = nullptr;  // a copy of the started process's handle
    HWND front = nullptr;      // what the foreground window is
    HWND owner = nullptr;      // the owner the shell was given
    bool refuseAny = false;    // the system refuses to pass the right on to any process
};
Recorder* g_record = nullptr;

BOOL WINAPI RecordCreateProcess(LPCWSTR app, LPWSTR line, LPSECURITY_ATTRIBUTES pa,
                                LPSECURITY_ATTRIBUTES ta, BOOL inherit, DWORD flags, LPVOID env,
                                LPCWSTR dir, LPSTARTUPINFOW si, LPPROCESS_INFORMATION pi) {
    Recorder& r = *g_record;
    r.calls.push_back(L"start|" + std::wstring(line) + L"|" + (dir ? dir : L""));
    r.creationFlags = flags;
    if (r.startError) {
        // Like CreateProcess: a working folder that does not exist fails first.
        const bool folderGone = dir && GetFileAttributesW(dir) == INVALID_FILE_ATTRIBUTES;
        SetLastError(folderGone ? ERROR_DIRECTORY : r.startError);
        return FALSE;
    }
    if (!CreateProcessW(app, line, pa, ta, inherit, flags, env, dir, si, pi)) return FALSE;
    r.pid = pi->dwProcessId;
    DuplicateHandle(GetCurrentProcess(), pi->hProcess, GetCurrentProcess(), &r.process, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    // Started suspended, it cannot have opened a window before the right is passed on.
    DWORD exit = 0;
    GetExitCodeProcess(pi->hProcess, &exit);
    if ((flags & CREATE_SUSPENDED) && exit != STILL_ACTIVE) r.calls.push_back(L"ended early");
    return TRUE;
}

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOW* info) {
    auto text = [](const wchar_t* w) { return std::wstring(w ? w : L""); };
    g_record->owner = info->hwnd;
    g_record->calls.push_back(text(info->lpVerb) + L"|" + text(info->lpFile) + L"|" +
                              text(info->lpParameters) + L"|" + text(info->lpDirectory) +
                              ((info->fMask & SEE_MASK_FLAG_NO_UI) ? L"" : L"|with boxes"));
    SetLastError(g_record->shellError);
    return g_record->shellError == 0;
}

BOOL WINAPI RecordAllow(DWORD pid) {
    g_record->calls.push_back(pid == ASFW_ANY               ? std::wstring(L"allow any")
                              : pid == g_record->pid && pid ? std::wstring(L"allow started")
                                                            : L"allow " + std::to_wstring(pid));
    return !(pid == ASFW_ANY && g_record->refuseAny);
}

HWND WINAPI RecordForeground() { return g_record->front; }

// A folder of its own under the temporary folder, with a document in it.
class Launching : public ::testing::Test {
protected:
    void SetUp() override {
        g_record = &record;
        ownErrorMode_ = GetThreadErrorMode();
        QuietFileTestsOnThisThread();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"zarv-launch-test";
        CreateDirectoryW(folder_.c_str(), nullptr);
        document_ = folder_ + L"\\note.txt";
        HANDLE f =
            CreateFileW(document_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        CloseHandle(f);
    }
    void TearDown() override {
        if (record.process) CloseHandle(record.process);
        g_record = nullptr;
        SetThreadErrorMode(ownErrorMode_, nullptr);
        DeleteFileW(document_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    // The calls after the foreground rights, which every start passes on.
    std::vector<std::wstring> Calls() const {
        std::vector<std::wstring> calls;
        for (const std::wstring& c : record.calls)
            if (c.rfind(L"allow", 0) != 0) calls.push_back(c);
        return calls;
    }

    Recorder record;
    const StartCalls calls{&RecordCreateProcess, &RecordShellExecuteEx, &RecordAllow,
                           &RecordForeground};
    std::wstring folder_, document_;
    UINT ownErrorMode_ = 0;
    const std::wstring regedit_ = L"C:\\windows\\regedit.exe";
};

TEST_F(Launching, ProgramAskingForRightsReachesTheShellWithOptionsAndFolder) {
    Launch({regedit_, L"/m", folder_, false}, calls);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"start|" + regedit_ + L" /m|" + folder_,
                                                  L"open|" + regedit_ + L"|/m|" + folder_}));

    // Typed into the command bar: the program is found on the search path and split off.
    record.calls.clear();
    Launch({L"regedit /m", L"", L"", true}, calls);
    EXPECT_EQ(Calls(),
              (std::vector<std::wstring>{L"start|regedit /m|", L"open|" + regedit_ + L"|/m|"}));

    // The user declines the prompt: nothing more, above all not the program without options.
    record.calls.clear();
    record.shellError = ERROR_CANCELLED;
    EXPECT_EQ(Launch({regedit_, L"/m", folder_, false}, calls), DWORD{ERROR_CANCELLED});
    EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(Launching, VanishedFolderStartsDirectlyAgainWithoutIt) {
    const std::wstring gone = folder_ + L"\\gone";
    Launch({regedit_, L"-a", gone, false}, calls);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"start|" + regedit_ + L" -a|" + gone,
                                                  L"start|" + regedit_ + L" -a|",
                                                  L"open|" + regedit_ + L"|-a|"}));
}

TEST_F(Launching, DocumentStillGoesToTheShellAlone) {
    record.startError = ERROR_BAD_EXE_FORMAT;
    EXPECT_EQ(Launch({document_, L"-opt", folder_, false}, calls), 0u);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"start|" + document_ + L" -opt|" + folder_,
                                                  L"Open|" + document_ + L"||"}));

    record.calls.clear();
    Launch({document_ + L" -x", L"", L"", true}, calls);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"start|" + document_ + L" -x|",
                                                  L"Open|" + document_ + L" -x||"}));

    // A start that fails both ways answers the shell's error, the last one.
    record.shellError = ERROR_FILE_NOT_FOUND;
    EXPECT_EQ(Launch({L"nosuchthing", L"", L"", true}, calls), DWORD{ERROR_FILE_NOT_FOUND});
}

TEST_F(Launching, ShellCallsAreOwnedByTheWindowThatWasInFront) {
    HWND shown = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND hidden = CreateWindowExW(0, L"STATIC", L"hidden", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    record.front = shown;
    Launch({regedit_, L"/m", L"", false}, calls);
    EXPECT_EQ(record.owner, shown);
    OpenUrl(L"http://example.invalid/", calls);
    EXPECT_EQ(record.owner, shown);
    // A hidden window in front (the resident window after a hot key) owns nothing.
    record.front = hidden;
    Launch({regedit_, L"/m", L"", false}, calls);
    EXPECT_EQ(record.owner, nullptr);
    DestroyWindow(shown);
    DestroyWindow(hidden);
}

TEST_F(Launching, RealShellStartGetsProgramParametersAndFolder) {
    const std::wstring out = folder_ + L"\\out.txt";
    DeleteFileW(out.c_str());
    wchar_t system32[MAX_PATH];
    GetSystemDirectoryW(system32, MAX_PATH);
    ASSERT_EQ(
        ShellStart(nullptr, std::wstring(system32) + L"\\cmd.exe", L"/c echo ok> out.txt", folder_),
        0u);
    // The relative name lands in the folder given.
    bool written = false;
    for (int i = 0; i < 500 && !written; ++i, Sleep(20))
        written = GetFileAttributesW(out.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_TRUE(written) << "cmd.exe did not run in the folder with its parameters";
    Sleep(100);  // cmd.exe lets go of the file
    DeleteFileW(out.c_str());
    // A program that is not there fails with an error and without a box.
    EXPECT_NE(ShellStart(nullptr, folder_ + L"\\missing.exe", L"/x", L""), 0u);
}

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\" + name;
}

TEST_F(Launching, StartedProcessGetsTheForegroundRightBeforeItRunsAndItsOwnErrorMode) {
    record.startError = 0;
    const std::wstring line = SystemProgram(L"cmd.exe") + L" /c exit 7";
    auto expectRunsToItsEnd = [&] {
        ASSERT_NE(record.process, nullptr);
        ASSERT_EQ(WaitForSingleObject(record.process, 10000), WAIT_OBJECT_0);
        DWORD exit = 0;
        GetExitCodeProcess(record.process, &exit);
        EXPECT_EQ(exit, 7u);
        CloseHandle(std::exchange(record.process, nullptr));
    };
    // Passed on to any process before the start, which is not held back.
    ASSERT_EQ(StartProcess(line, L"", calls), 0u);
    EXPECT_EQ(record.calls, (std::vector<std::wstring>{L"allow any", L"start|" + line + L"|"}));
    EXPECT_FALSE(record.creationFlags & CREATE_SUSPENDED);
    EXPECT_TRUE(record.creationFlags & CREATE_DEFAULT_ERROR_MODE);
    expectRunsToItsEnd();

    // Refused: the new process gets it while it waits, and is let go afterwards.
    record.calls.clear();
    record.refuseAny = true;
    ASSERT_EQ(StartProcess(line, L"", calls), 0u);
    EXPECT_EQ(record.calls,
              (std::vector<std::wstring>{L"allow any", L"start|" + line + L"|", L"allow started"}));
    EXPECT_TRUE(record.creationFlags & CREATE_SUSPENDED);
    EXPECT_TRUE(record.creationFlags & CREATE_DEFAULT_ERROR_MODE);
    expectRunsToItsEnd();
}

TEST_F(Launching, ShellStartsLetWhatTheyStartComeToTheFrontWithoutBoxes) {
    ShellOpen(nullptr, L"http://example.invalid/", calls);
    EXPECT_EQ(ShellStart(nullptr, L"C:\\tools\\tool.exe", L"-o", L"C:\\tools", calls), 0u);
    EXPECT_EQ(record.calls,
              (std::vector<std::wstring>{L"allow any", L"Open|http://example.invalid/||",
                                         L"allow any", L"open|C:\\tools\\tool.exe|-o|C:\\tools"}));
}

TEST(EntryPaths, ReferencesExpandInWideTextUnlessThePathExistsAsWritten) {
    wchar_t tempBuffer[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, tempBuffer), 0u);
    const std::wstring temp = tempBuffer;
    const std::wstring dir = temp + L"zarv %ZT_NAME% test";
    CreateDirectoryW(dir.c_str(), nullptr);
    SetEnvironmentVariableW(L"ZT_DIR", temp.c_str());
    SetEnvironmentVariableW(L"ZT_NAME", L"Zoë");  // outside code page 932
    SetEnvironmentVariableW(L"ZT_EMPTY", L"");
    const std::wstring longValue(600, L'x');  // more than a path's worth
    SetEnvironmentVariableW(L"ZT_LONG", longValue.c_str());

    EXPECT_EQ(EntryPath("%ZT_DIR%a.exe"), temp + L"a.exe");
    EXPECT_EQ(EntryPath(dir), dir) << "exists as written";
    EXPECT_EQ(EntryPath(temp + L"zarv %ZT_NAME% x"), temp + L"zarv Zoë x");
    EXPECT_EQ(EntryPath("%ZT_UNSET_NAME%\\a.exe"), L"%ZT_UNSET_NAME%\\a.exe");
    EXPECT_EQ(EntryText("-a %ZT_EMPTY%-b %ZT_LONG% %ZT_NAME%"), L"-a -b " + longValue + L" Zoë");
    EXPECT_EQ(EnvironmentVariable(L"ZT_EMPTY"), std::wstring());
    EXPECT_EQ(EnvironmentVariable(L"ZT_UNSET_NAME"), std::nullopt);
    SetEnvironmentVariableW(L"ZT_CMD", SystemProgram(L"cmd.exe").c_str());
    EXPECT_TRUE(EntryFileExists("%ZT_CMD%"));
    // A bare name is looked for where the direct start looks; a name with a folder part is not.
    EXPECT_EQ(_wcsicmp(EntryFile(L"cmd").c_str(), SystemProgram(L"cmd.exe").c_str()), 0);
    EXPECT_EQ(EntryFile(L".\\cmd"), L"");
    EXPECT_EQ(EntryFile(L"zarv_no_such_program"), L"");
    RemoveDirectoryW(dir.c_str());
}

}  // namespace
}  // namespace zarv
