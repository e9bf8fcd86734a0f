// The start of programs when their direct start fails, with the system's process start and shell
// replaced: a process start that answers as Windows does for a program asking for administrator
// rights (740) or for a missing folder, and a shell start that records what it was given.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resident/launch.h"

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

}  // namespace
}  // namespace zarv
