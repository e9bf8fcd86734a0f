// Reading and writing the data files beside the executable: read-only files, torn files,
// unreadable files kept as .bak, and saves that fail without harming the old file.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "core/data_file.h"
#include "core/records.h"
#include "resident/data_files.h"

namespace zarv {
namespace {

std::string ReadAll(const std::wstring& path) {
    std::string data;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) data.append(buf, got);
    CloseHandle(f);
    return data;
}

void WriteAll(const std::wstring& path, const std::string& data) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
    CloseHandle(f);
}

// Answers the message boxes this process shows while it lives, keeping the last text.
class BoxAnswerer {
public:
    BoxAnswerer() : thread_([this] { Run(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    int Count() const { return count_; }
    std::wstring LastText() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return text_;
    }

private:
    static BOOL CALLBACK FindOwnBox(HWND h, LPARAM found) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        wchar_t cls[16] = L"";
        GetClassNameW(h, cls, 16);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h) && lstrcmpW(cls, L"#32770") == 0) {
            *reinterpret_cast<HWND*>(found) = h;
            return FALSE;
        }
        return TRUE;
    }

    void Run() {
        while (!stop_) {
            HWND box = nullptr;
            EnumWindows(&FindOwnBox, reinterpret_cast<LPARAM>(&box));
            if (box) {
                wchar_t text[1024] = L"";
                GetDlgItemTextW(box, 0xFFFF, text, 1024);
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    text_ = text;
                }
                ++count_;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                while (IsWindow(box) && !stop_) Sleep(10);
            }
            Sleep(10);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<int> count_{0};
    mutable std::mutex mutex_;
    std::wstring text_;
    std::thread thread_;
};

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override {
        HotkeyList.clear();
        CommandList.clear();
        Clean();
    }
    void TearDown() override {
        Clean();
        HotkeyList.clear();
        CommandList.clear();
    }
    static void Clean() {
        for (const std::wstring& p : {HotkeyFilePath(), CommandFilePath()}) {
            for (const std::wstring& q : {p, p + L".bak", p + L".new"}) {
                SetFileAttributesW(q.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(q.c_str());
            }
        }
    }
    static THotkeyItem Entry(std::string title) {
        THotkeyItem e;
        e.Title = std::move(title);
        e.FilePath = "C:\\\x83\x5C\x83\x74\x83\x67\\tool.exe";  // ソフト: trail bytes 0x5C
        e.KeyText = "Ctrl + Alt + A";
        e.Modifiers = 3;
        e.VKey = 'A';
        return e;
    }
    // Holds path open as another program would, without sharing it.
    static HANDLE Hold(const std::wstring& path) {
        return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    DataFileState hotkeys_, commands_;
};

TEST_F(DataFiles, FolderIsTheExecutablesWithOneBackslash) {
    std::wstring folder = DataFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_NE(folder[folder.size() - 2], L'\\');
    EXPECT_EQ(HotkeyFilePath(), folder + L"Hotkey.DAT");
    EXPECT_EQ(CommandFilePath(), folder + L"Command.DAT");
}

TEST_F(DataFiles, MissingFilesLoadNothingSilently) {
    BoxAnswerer boxes;
    EXPECT_FALSE(LoadHotkeys(hotkeys_, ReadBy::Startup));
    EXPECT_FALSE(LoadCommands(commands_, ReadBy::Startup));
    EXPECT_TRUE(HotkeyList.empty());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(DataFiles, SavedListsLoadBackAndReadOnlyFilesLoad) {
    HotkeyList = {Entry("\x83\x81\x83\x82\x92\xA0"), Entry("second")};  // メモ帳
    CommandList = {TCommandItem{"Mail", "C:\\mail.exe", "-n", "C:\\"}};
    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    ASSERT_TRUE(SaveCommands(commands_));
    auto saved = HotkeyList;
    HotkeyList.clear();
    CommandList.clear();
    SetFileAttributesW(HotkeyFilePath().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(LoadHotkeys(hotkeys_, ReadBy::Startup));
    EXPECT_TRUE(LoadCommands(commands_, ReadBy::Startup));
    EXPECT_EQ(HotkeyList, saved);
    ASSERT_EQ(CommandList.size(), 1u);
    EXPECT_EQ(CommandList[0].WorkDir, "C:\\");
    // A good file needs no copy.
    EXPECT_EQ(GetFileAttributesW((HotkeyFilePath() + L".bak").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DataFiles, UnknownVersionIsKeptAsBakBeforeTheFirstSave) {
    const std::string newer = std::string("ZARV Head Version 2.00") + "\xFF\x01\x00future";
    WriteAll(HotkeyFilePath(), newer);
    BoxAnswerer boxes;
    EXPECT_FALSE(LoadHotkeys(hotkeys_, ReadBy::Startup));
    EXPECT_TRUE(HotkeyList.empty());
    EXPECT_EQ(ReadAll(HotkeyFilePath()), newer);  // loading never writes

    HotkeyList = {Entry("new")};
    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    EXPECT_EQ(ReadAll(HotkeyFilePath() + L".bak"), newer);
    EXPECT_EQ(ReadAll(HotkeyFilePath()), SerializeHotkeys(HotkeyList, CodePage::ShiftJis()));

    // Later saves replace a readable file without touching the copy.
    HotkeyList.push_back(Entry("more"));
    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    EXPECT_EQ(ReadAll(HotkeyFilePath() + L".bak"), newer);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(DataFiles, TornFileIsReportedKeepsWholeRecordsAndIsKept) {
    HotkeyList = {Entry("one"), Entry("two")};
    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    std::string whole = ReadAll(HotkeyFilePath());
    std::string torn = whole.substr(0, whole.size() - 5);
    WriteAll(HotkeyFilePath(), torn);
    HotkeyList.clear();
    {
        BoxAnswerer boxes;
        EXPECT_TRUE(LoadHotkeys(hotkeys_, ReadBy::Startup));
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_NE(boxes.LastText().find(L"Hotkey.DAT"), std::wstring::npos);
    }
    ASSERT_EQ(HotkeyList.size(), 1u);
    EXPECT_EQ(HotkeyList[0].Title, "one");

    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    EXPECT_EQ(ReadAll(HotkeyFilePath() + L".bak"), torn);
}

TEST_F(DataFiles, ShortFileIsAnInputOutputFailure) {
    WriteAll(HotkeyFilePath(), "ZARV Head");
    BoxAnswerer boxes;
    EXPECT_TRUE(LoadHotkeys(hotkeys_, ReadBy::Startup));
    EXPECT_TRUE(HotkeyList.empty());
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(DataFiles, FailedSaveIsReportedAndLeavesTheOldFile) {
    HotkeyList = {Entry("kept")};
    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    const std::string old = ReadAll(HotkeyFilePath());
    // Another program holds the file open without sharing: it cannot be replaced.
    HANDLE lock =
        CreateFileW(HotkeyFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    HotkeyList = {Entry("lost")};
    {
        BoxAnswerer boxes;
        EXPECT_FALSE(SaveHotkeys(hotkeys_));
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_NE(boxes.LastText().find(L"Hotkey.DAT"), std::wstring::npos);
    }
    CloseHandle(lock);
    EXPECT_EQ(ReadAll(HotkeyFilePath()), old);
    EXPECT_EQ(GetFileAttributesW((HotkeyFilePath() + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DataFiles, AFileHeldAtStartUpIsReadAgainAndKeptAsBakOnceFreed) {
    HotkeyList = {Entry("real")};
    ASSERT_TRUE(SaveHotkeys(hotkeys_));
    const std::string real = ReadAll(HotkeyFilePath());
    HotkeyList = {Entry("from the last editor")};
    HANDLE lock = Hold(HotkeyFilePath());
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    {
        BoxAnswerer boxes;
        DataFileState file;
        EXPECT_FALSE(LoadHotkeys(file, ReadBy::Startup));
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_NE(boxes.LastText().find(L"Hotkey.DAT"), std::wstring::npos);
        EXPECT_EQ(HotkeyList.size(), 1u) << "a failed read leaves the list as it is";
        EXPECT_EQ(file.RereadDelayMs(), 2000u);
        EXPECT_FALSE(LoadHotkeys(file, ReadBy::Timer));
        EXPECT_EQ(boxes.Count(), 1) << "the reads on the clock are silent";
        EXPECT_EQ(file.RereadDelayMs(), 3000u);
        // A save while the file is held leaves it as it is.
        EXPECT_FALSE(SaveHotkeys(file));
        EXPECT_EQ(boxes.Count(), 2);
        CloseHandle(lock);
        EXPECT_EQ(ReadAll(HotkeyFilePath()), real);

        // Freed, the file reads fine: still, its last read failed, so a save keeps it first.
        ASSERT_TRUE(SaveHotkeys(file));
        EXPECT_EQ(ReadAll(HotkeyFilePath() + L".bak"), real);
        // From then on the file holds the list: the next save keeps the copy as it is.
        HotkeyList.push_back(Entry("more"));
        ASSERT_TRUE(SaveHotkeys(file));
        EXPECT_EQ(ReadAll(HotkeyFilePath() + L".bak"), real);
        EXPECT_EQ(boxes.Count(), 2);
    }

    // Read again once it is free, the file replaces the list.
    WriteAll(HotkeyFilePath(), real);
    lock = Hold(HotkeyFilePath());
    BoxAnswerer boxes;
    DataFileState file;
    EXPECT_FALSE(LoadHotkeys(file, ReadBy::Startup));
    CloseHandle(lock);
    EXPECT_TRUE(LoadHotkeys(file, ReadBy::Timer));
    ASSERT_EQ(HotkeyList.size(), 1u);
    EXPECT_EQ(HotkeyList[0].Title, "real");
    EXPECT_FALSE(file.RereadDelayMs());
    EXPECT_FALSE(file.Unread());
}

}  // namespace
}  // namespace zarv
