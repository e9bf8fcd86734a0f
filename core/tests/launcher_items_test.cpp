#include "core/launcher_items.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace zarv {
namespace {

THotkeyItem Entry(std::string title, std::string path, std::string key, int func) {
    THotkeyItem item;
    item.Title = std::move(title);
    item.FilePath = std::move(path);
    item.KeyText = std::move(key);
    item.FuncNo = static_cast<std::uint8_t>(func);
    return item;
}

TEST(LauncherItemsTest, Availability) {
    EXPECT_TRUE(IsAvailable(Entry("", "", "", 0), true));
    EXPECT_FALSE(IsAvailable(Entry("", "", "", 0), false));
    for (int func : {1, 9, 250, 254, 255, 100})
        EXPECT_TRUE(IsAvailable(Entry("", "", "", func), false));
}

TEST(LauncherItemsTest, ItemsFollowTheListWithAMissingFileInTheMiddle) {
    const std::vector<THotkeyItem> list = {
        Entry("Editor", "C:\\ed.exe", "Ctrl + E", 0),
        Entry("\x8C\x87", "C:\\gone.exe", "Ctrl + G", 0),  // missing file
        Entry("Web", "http://example.jp/", "Win + W", 255),
        Entry("", "C:\\gone.exe", "", 252),
        Entry("Doc", "C:\\a.txt", "Alt + Shift + D", 0),
    };
    const std::set<std::string> existing = {"C:\\ed.exe", "C:\\a.txt"};
    std::vector<std::string> asked;
    const auto items = BuildLauncherItems(list, [&](std::size_t i) {
        asked.push_back(list[i].FilePath);
        return existing.count(list[i].FilePath) > 0;
    });

    EXPECT_EQ(items, (std::vector<LauncherItem>{
                         {"Editor[Ctrl + E]", 0, true, IconFallback::ApplicationIcon},
                         {"\x8C\x87[Ctrl + G]", 1, false, IconFallback::None},
                         {"Web[Win + W]", 2, true, IconFallback::UrlIcon},
                         {"[]", 3, true, IconFallback::MainIcon},
                         {"Doc[Alt + Shift + D]", 4, true, IconFallback::AssociatedIcon},
                     }));
    // The file system is asked about program entries only.
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\ed.exe", "C:\\gone.exe", "C:\\a.txt"}));
}

TEST(LauncherItemsTest, ProgramFilesAreToldByTheirExtension) {
    for (const char* path : {"C:\\ed.exe", "C:\\ED.EXE", "C:\\x\\run.Com", "a.exe",
                             "C:\\\x95\x5C.exe"})  // a trail byte 0x5C before the dot
        EXPECT_TRUE(IsProgramFileName(path)) << path;
    for (const char* path : {"", ".exe", "C:\\a.txt", "C:\\a.exe\\b.txt", "C:\\a.exe.lnk",
                             "C:\\a.bat", "C:\\aexe", "http://example.jp/x.exe?y"})
        EXPECT_FALSE(IsProgramFileName(path)) << path;
    EXPECT_TRUE(IsProgramFileName(L"C:\\Zoë\\表.EXE"));
    EXPECT_FALSE(IsProgramFileName(L"C:\\a.exe\\b.txt"));

    // Only program entries whose file is a program get the application icon.
    const std::vector<THotkeyItem> list = {Entry("", "C:\\a.com", "", 0),
                                           Entry("", "C:\\d.doc", "", 0),
                                           Entry("", "C:\\e.exe", "", 9)};
    const auto items = BuildLauncherItems(list, [](std::size_t) { return true; });
    EXPECT_EQ(items[0].Fallback, IconFallback::ApplicationIcon);
    EXPECT_EQ(items[1].Fallback, IconFallback::AssociatedIcon);
    EXPECT_EQ(items[2].Fallback, IconFallback::MainIcon);
}

}  // namespace
}  // namespace zarv
