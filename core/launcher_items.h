#pragma once
// The items of the launcher menu, one per hotkey entry, before they become a real menu.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace zarv {

// The icon an enabled item shows when its file holds no icon of its own. The menu code tries
// the file's own first icon for every enabled item, then this one.
enum class IconFallback {
    None,             // disabled item: no icon at all
    UrlIcon,          // URL entry: the executable's XICON1
    AssociatedIcon,   // document, folder or other file: the shell's icon for the file
    ApplicationIcon,  // program file: the system's application icon, as the shell shows it
    MainIcon,         // internal function: the executable's MAINICON
};

// True when path names a program file by its extension (".exe", ".com", any letter case): the
// shell shows such a file without an icon of its own with the system's application icon.
bool IsProgramFileName(std::string_view path);
bool IsProgramFileName(std::wstring_view path);

struct LauncherItem {
    std::string Caption;  // Title + "[" + KeyText + "]", ANSI bytes
    int Tag;              // position of the entry in its list
    bool Enabled;
    IconFallback Fallback;

    bool operator==(const LauncherItem&) const = default;
};

// An entry that gets a working item and a registered hot key: its file exists and is not a
// folder (fileExists, computed by the caller), or it is not a program entry (FuncNo != 0).
bool IsAvailable(const THotkeyItem& item, bool fileExists);

// One item per entry, in list order. isExistingFile(i) tells whether the file entry i names
// (as it is used) exists; it is asked only for program entries and must be false for a folder.
std::vector<LauncherItem> BuildLauncherItems(
    const std::vector<THotkeyItem>& list, const std::function<bool(std::size_t)>& isExistingFile);

}  // namespace zarv
