#pragma once
// Whether a program file holds an icon, told from its PE headers and the root of its resource
// directory: a few hundred bytes instead of mapping the whole file as the system's icon
// extraction does.
#include <cstdint>
#include <functional>
#include <string>

namespace zarv {

enum class IconPresence {
    Absent,   // a PE image with no icon group among its resources (or no resources at all)
    Present,  // a PE image whose resources list icon groups
    Unknown,  // anything else: not a PE image (an icon file, an old 16-bit program), cut short
};

// Reads size bytes of the file from offset; fewer (or none) at the end of the file or on failure.
using ReadAt = std::function<std::string(std::uint32_t offset, std::uint32_t size)>;

IconPresence PeIconPresence(const ReadAt& read);

}  // namespace zarv
