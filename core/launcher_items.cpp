#include "launcher_items.h"

namespace zarv {

namespace {

IconFallback FallbackFor(std::uint8_t funcNo) {
    if (funcNo == kFuncProgram) return IconFallback::AssociatedIcon;
    if (funcNo == kFuncUrl) return IconFallback::UrlIcon;
    return IconFallback::MainIcon;
}

}  // namespace

bool IsAvailable(const THotkeyItem& item, bool fileExists) {
    return fileExists || item.FuncNo != kFuncProgram;
}

std::vector<LauncherItem> BuildLauncherItems(
    const std::vector<THotkeyItem>& list,
    const std::function<bool(const std::string&)>& isExistingFile) {
    std::vector<LauncherItem> items;
    items.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const THotkeyItem& entry = list[i];
        const bool available =
            IsAvailable(entry, entry.FuncNo == kFuncProgram && isExistingFile(entry.FilePath));
        items.push_back({entry.Title + "[" + entry.KeyText + "]", static_cast<int>(i), available,
                         available ? FallbackFor(entry.FuncNo) : IconFallback::None});
    }
    return items;
}

}  // namespace zarv
