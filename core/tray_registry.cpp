#include "core/tray_registry.h"

#include <algorithm>
#include <charconv>

namespace zarv {

std::optional<unsigned> TrayRegistry::Add(void* icon) {
    if (entries_.size() >= kCapacity) return std::nullopt;
    unsigned number = NextNumber();
    entries_.push_back({std::to_string(number), icon});
    return number;
}

void TrayRegistry::Remove(const void* icon) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [icon](const Entry& e) { return e.icon == icon; });
    if (it != entries_.end()) entries_.erase(it);
}

void* TrayRegistry::Find(std::uintptr_t wParam) const {
    const std::string text = std::to_string(wParam);
    for (const Entry& e : entries_) {
        if (e.number == text) return e.icon;
    }
    return nullptr;
}

unsigned TrayRegistry::NextNumber() const {
    if (entries_.empty()) return 1;
    const std::string& last = entries_.back().number;
    unsigned number = 0;
    std::from_chars(last.data(), last.data() + last.size(), number);
    return number + 1;
}

}  // namespace zarv
