#include "core/pe_icons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarv {
namespace {

void Put16(std::string& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

struct ImageOptions {
    bool pe64 = false;
    std::uint32_t directories = 16;  // NumberOfRvaAndSizes
    std::uint32_t resourceRva = 0x2000;
    std::uint32_t namedEntries = 1;  // before the numbered ones
};

// A PE image with one section at RVA 0x2000 (file offset 0x400) holding a resource directory
// whose root lists the given resource types by number.
std::string Image(const std::vector<std::uint32_t>& types, ImageOptions o = {}) {
    std::string b(0x600, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, 0x40);
    b.replace(0x40, 4, std::string("PE\0\0", 4));
    Put16(b, 0x44, o.pe64 ? 0x8664 : 0x14C);
    Put16(b, 0x46, 1);  // sections
    const std::uint32_t fixed = o.pe64 ? 112 : 96;
    const std::uint32_t optionalSize = fixed + 16 * 8;
    Put16(b, 0x54, optionalSize);
    const std::size_t opt = 0x58;
    Put16(b, opt, o.pe64 ? 0x20B : 0x10B);
    Put32(b, opt + fixed - 4, o.directories);
    Put32(b, opt + fixed + 16, o.resourceRva);
    Put32(b, opt + fixed + 20, 0x100);
    const std::size_t section = opt + optionalSize;
    b.replace(section, 5, ".rsrc");
    Put32(b, section + 8, 0x100);    // VirtualSize
    Put32(b, section + 12, 0x2000);  // VirtualAddress
    Put32(b, section + 16, 0x200);   // SizeOfRawData
    Put32(b, section + 20, 0x400);   // PointerToRawData
    Put16(b, 0x400 + 12, o.namedEntries);
    Put16(b, 0x400 + 14, static_cast<std::uint32_t>(types.size()));
    std::size_t entry = 0x410;
    for (std::uint32_t i = 0; i < o.namedEntries; ++i, entry += 8)
        Put32(b, entry, 0x80000000u | 14);  // a name that must not count as a type number
    for (std::uint32_t type : types) {
        Put32(b, entry, type);
        Put32(b, entry + 4, 0x80000100u);
        entry += 8;
    }
    return b;
}

IconPresence Presence(const std::string& bytes) {
    return PeIconPresence([&](std::uint32_t offset, std::uint32_t size) {
        return offset >= bytes.size() ? std::string() : bytes.substr(offset, size);
    });
}

TEST(PeIconsTest, IconGroupsAmongTheResourceTypes) {
    EXPECT_EQ(Presence(Image({3, 14, 16})), IconPresence::Present);
    EXPECT_EQ(Presence(Image({3, 14, 16}, {.pe64 = true})), IconPresence::Present);
    EXPECT_EQ(Presence(Image({14}, {.namedEntries = 0})), IconPresence::Present);
    // Icons without a group (type 3 alone), cursors, versions, manifests: no icon to show.
    EXPECT_EQ(Presence(Image({1, 3, 12, 16, 24})), IconPresence::Absent);
    EXPECT_EQ(Presence(Image({}, {.namedEntries = 0})), IconPresence::Absent);
}

TEST(PeIconsTest, ImagesWithoutResourcesHoldNoIcon) {
    EXPECT_EQ(Presence(Image({14}, {.resourceRva = 0})), IconPresence::Absent);
    EXPECT_EQ(Presence(Image({14}, {.directories = 2})), IconPresence::Absent);
}

TEST(PeIconsTest, AnythingElseIsLeftToTheSystem) {
    EXPECT_EQ(Presence(""), IconPresence::Unknown);
    EXPECT_EQ(Presence(std::string("\0\0\1\0\1\0\20\20", 8) + std::string(100, '\0')),
              IconPresence::Unknown);  // an icon file
    std::string ne = Image({14});
    ne[0x41] = 'E';
    ne[0x40] = 'N';  // an old 16-bit program
    EXPECT_EQ(Presence(ne), IconPresence::Unknown);
    EXPECT_EQ(Presence(Image({14}).substr(0, 0x400)), IconPresence::Unknown);  // cut short
    EXPECT_EQ(Presence(Image({14}).substr(0, 0x100)), IconPresence::Unknown);
    EXPECT_EQ(Presence(Image({14}, {.resourceRva = 0x9000})), IconPresence::Unknown);
    std::string many = Image({14});
    Put16(many, 0x46, 500);  // more sections than any program has
    EXPECT_EQ(Presence(many), IconPresence::Unknown);
}

}  // namespace
}  // namespace zarv
