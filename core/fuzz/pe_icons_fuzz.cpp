// Feeds arbitrary bytes to the program-header reader as the contents of a file, as it meets every
// file the lists name. It must answer without reading outside what it asks for, with a handful of
// small reads whatever the headers claim, and the same answer when asked twice.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/pe_icons.h"

namespace {

using namespace zarv;

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr int kMaxReads = 6;                       // DOS, PE, optional, sections, root, entries
constexpr std::uint32_t kMaxReadSize = 64 * 1024;  // the largest header part it may ask for

IconPresence Read(std::string_view file, int& reads) {
    reads = 0;
    return PeIconPresence([&](std::uint32_t offset, std::uint32_t size) {
        ++reads;
        Check(reads <= kMaxReads);
        Check(size <= kMaxReadSize);
        if (offset >= file.size()) return std::string();
        return std::string(file.substr(offset, size));
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    int reads = 0;
    const IconPresence first = Read(bytes, reads);
    Check(Read(bytes, reads) == first);
    // Short inputs reach past the DOS header when they are put behind one that points at them.
    std::string image(64, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 64;
    image.append(bytes);
    Read(image, reads);
    return 0;
}
