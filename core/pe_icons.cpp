#include "core/pe_icons.h"

namespace zarv {
namespace {

constexpr std::uint32_t kGroupIcon = 14;  // RT_GROUP_ICON
constexpr std::uint32_t kMaxSections = 96;
constexpr std::uint32_t kMaxRootEntries = 4096;

std::uint32_t U16(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

}  // namespace

IconPresence PeIconPresence(const ReadAt& read) {
    // DOS header: "MZ" and, at 0x3C, where the PE headers begin.
    const std::string dos = read(0, 64);
    if (dos.size() < 64 || dos[0] != 'M' || dos[1] != 'Z') return IconPresence::Unknown;
    const std::uint32_t pe = U32(dos, 0x3C);

    // "PE\0\0", then the file header: section count at +6, optional header size at +20.
    const std::string file = read(pe, 24);
    if (file.size() < 24 || file.compare(0, 4, std::string("PE\0\0", 4)) != 0)
        return IconPresence::Unknown;
    const std::uint32_t sections = U16(file, 6);
    const std::uint32_t optionalSize = U16(file, 20);
    if (sections == 0 || sections > kMaxSections) return IconPresence::Unknown;

    // Optional header: the data directories follow the fixed part (96 bytes for 32-bit images,
    // 112 for 64-bit ones); the resource directory is the third.
    const std::string optional = read(pe + 24, optionalSize);
    if (optional.size() < 2 || optional.size() != optionalSize) return IconPresence::Unknown;
    std::uint32_t directories = 0;
    switch (U16(optional, 0)) {
        case 0x10B:
            directories = 96;
            break;
        case 0x20B:
            directories = 112;
            break;
        default:
            return IconPresence::Unknown;
    }
    if (optionalSize < directories) return IconPresence::Unknown;
    const std::uint32_t count = U32(optional, directories - 4);
    if (count < 3 || optionalSize < directories + 3 * 8) return IconPresence::Absent;
    const std::uint32_t rva = U32(optional, directories + 2 * 8);
    if (rva == 0 || U32(optional, directories + 2 * 8 + 4) == 0) return IconPresence::Absent;

    // The section that holds the resource directory gives its place in the file.
    const std::string table = read(pe + 24 + optionalSize, sections * 40);
    if (table.size() != sections * 40) return IconPresence::Unknown;
    std::uint32_t offset = 0;
    bool found = false;
    for (std::uint32_t i = 0; i < sections && !found; ++i) {
        const std::size_t s = i * 40;
        const std::uint32_t virtualSize = U32(table, s + 8);
        const std::uint32_t address = U32(table, s + 12);
        const std::uint32_t rawSize = U32(table, s + 16);
        const std::uint32_t raw = U32(table, s + 20);
        const std::uint32_t size = virtualSize > rawSize ? virtualSize : rawSize;
        if (rva >= address && rva - address < size && rva - address < rawSize) {
            offset = raw + (rva - address);
            found = true;
        }
    }
    if (!found || offset > 0xFFFF0000u) return IconPresence::Unknown;

    // Root of the resource directory: named entries, then entries by number (the types).
    const std::string root = read(offset, 16);
    if (root.size() != 16) return IconPresence::Unknown;
    const std::uint32_t named = U16(root, 12);
    const std::uint32_t numbered = U16(root, 14);
    if (named + numbered > kMaxRootEntries) return IconPresence::Unknown;
    const std::string entries = read(offset + 16, (named + numbered) * 8);
    if (entries.size() != (named + numbered) * 8) return IconPresence::Unknown;
    for (std::uint32_t i = named; i < named + numbered; ++i)
        if (U32(entries, i * 8) == kGroupIcon) return IconPresence::Present;
    return IconPresence::Absent;
}

}  // namespace zarv
