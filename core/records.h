#pragma once
// The two entry records and the two lists of the launcher.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace zarv {

// Longest text a record field holds, in bytes.
constexpr std::size_t kMaxFieldBytes = 255;

// FuncNo values that are not internal functions.
constexpr std::uint8_t kFuncProgram = 0;
constexpr std::uint8_t kFuncUrl = 255;

// One hotkey entry. Texts are ANSI bytes, at most kMaxFieldBytes each (use PutText).
struct THotkeyItem {
    std::string Title;
    std::string FilePath;
    std::string Options;
    std::string WorkDir;
    std::string KeyText;
    std::uint8_t Modifiers = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8
    std::uint8_t VKey = 0;       // virtual-key code
    std::uint8_t FuncNo = 0;     // 0 program, 255 URL, other: internal function

    bool operator==(const THotkeyItem&) const = default;
};

// One named command of the command bar.
struct TCommandItem {
    std::string Name;
    std::string FilePath;
    std::string Options;
    std::string WorkDir;

    bool operator==(const TCommandItem&) const = default;
};

// Puts a text into a record field: cut to kMaxFieldBytes, never inside a double-byte character.
void PutText(std::string& field, std::string_view text, const CodePage& cp);

// Position i of HotkeyList is hot-key identifier i + 1 and launcher item i.
extern std::vector<THotkeyItem> HotkeyList;
// Position i of CommandList is item i of the command bar's name list.
extern std::vector<TCommandItem> CommandList;

}  // namespace zarv
