#pragma once
// The icons of the notification area alive in one process, each under its sequence number: the
// identifier the shell knows the icon by and sends back with every mouse notification.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zarv {

class TrayRegistry {
public:
    // At most this many icons are registered at once.
    static constexpr std::size_t kCapacity = 100;

    // Registers icon under the next sequence number and returns that number; nothing when the
    // registry is full.
    std::optional<unsigned> Add(void* icon);
    // Removes icon's entry; does nothing when it has none.
    void Remove(const void* icon);
    // The icon registered under a notification's wParam, or nullptr.
    void* Find(std::uintptr_t wParam) const;

    // The number the next icon gets: the last entry's number plus 1, or 1 when empty. Numbers of
    // icons destroyed earlier in the list are not reused.
    unsigned NextNumber() const;
    std::size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        unsigned number;
        void* icon;
    };
    std::vector<Entry> entries_;  // in order of creation
};

}  // namespace zarv
