#include "core/launcher_items.h"

#include "core/text.h"

namespace zarv {

namespace {

IconFallback FallbackFor(const THotkeyItem& entry) {
    if (entry.FuncNo == kFuncProgram)
        return IsProgramFileName(entry.FilePath) ? IconFallback::ApplicationIcon
                                                 : IconFallback::AssociatedIcon;
    if (entry.FuncNo == kFuncUrl) return IconFallback::UrlIcon;
    return IconFallback::MainIcon;
}

template <typename Char>
bool HasProgramExtension(std::basic_string_view<Char> path) {
    if (path.size() < 5) return false;
    const std::basic_string_view<Char> ext = path.substr(path.size() - 4);
    return EqualsIgnoringAsciiCase(ext, ".exe") || EqualsIgnoringAsciiCase(ext, ".com");
}

}  // namespace

bool IsProgramFileName(std::string_view path) {
    // A dot is never the second byte of a double-byte character, and neither are the ASCII
    // letters after it, so the last four bytes can be compared as they stand.
    return HasProgramExtension(path);
}

bool IsProgramFileName(std::wstring_view path) { return HasProgramExtension(path); }

bool IsAvailable(const THotkeyItem& item, bool fileExists) {
    return fileExists || item.FuncNo != kFuncProgram;
}

std::vector<LauncherItem> BuildLauncherItems(
    const std::vector<THotkeyItem>& list, const std::function<bool(std::size_t)>& isExistingFile) {
    std::vector<LauncherItem> items;
    items.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const THotkeyItem& entry = list[i];
        const bool available =
            IsAvailable(entry, entry.FuncNo == kFuncProgram && isExistingFile(i));
        items.push_back({entry.Title + "[" + entry.KeyText + "]", static_cast<int>(i), available,
                         available ? FallbackFor(entry) : IconFallback::None});
    }
    return items;
}

}  // namespace zarv
