#include "core/tray_registry.h"

#include <algorithm>

namespace zarv {

std::optional<unsigned> TrayRegistry::Add(void* icon) {
    if (entries_.size() >= kCapacity) return std::nullopt;
    unsigned number = NextNumber();
    entries_.push_back({number, icon});
    return number;
}

void TrayRegistry::Remove(const void* icon) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [icon](const Entry& e) { return e.icon == icon; });
    if (it != entries_.end()) entries_.erase(it);
}

void* TrayRegistry::Find(std::uintptr_t wParam) const {
    for (const Entry& e : entries_) {
        if (e.number == wParam) return e.icon;
    }
    return nullptr;
}

unsigned TrayRegistry::NextNumber() const {
    return entries_.empty() ? 1 : entries_.back().number + 1;
}

}  // namespace zarv
