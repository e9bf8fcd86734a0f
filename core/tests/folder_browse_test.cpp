#include "core/folder_browse.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

TEST(FolderKindCsidlTest, EveryKindAndTheFallback) {
    const int expected[] = {0x00, 0x00, 0x11, 0x10, 0x06, 0x02, 0x08, 0x09, 0x0B, 0x07, 0x15};
    for (int kind = sfDesktop; kind <= sfTemplates; ++kind)
        EXPECT_EQ(FolderKindCsidl(kind), expected[kind]) << kind;
    EXPECT_EQ(FolderKindCsidl(rfTemplates), 0x15);
    EXPECT_EQ(FolderKindCsidl(-1), 0x00);
    EXPECT_EQ(FolderKindCsidl(11), 0x00);
}

TEST(BrowseFlagsTest, OptionsInTableOrderAndShowPathEndsTheWalk) {
    EXPECT_EQ(BrowseFlagsOf({sboReturnOnlyFSDirs}).flags, 0x1u);
    EXPECT_EQ(BrowseFlagsOf({}).flags, 0u);
    BrowseFlags all = BrowseFlagsOf(
        {sboDontGoBelowDomain, sboReturnFSAncestors, sboReturnOnlyFSDirs, sboStatusText});
    EXPECT_EQ(all.flags, 0xFu);
    EXPECT_FALSE(all.showPath);
    // Both status options: the flag once, and the path shown.
    BrowseFlags both = BrowseFlagsOf({sboStatusText, sboStatusTextAndShowPath});
    EXPECT_EQ(both.flags, 0x4u);
    EXPECT_TRUE(both.showPath);
}

TEST(CenterScreenPositionTest, OneThirdDownTheFreeHeight) {
    EXPECT_EQ(CenterScreenPosition({0, 0, 1024, 738}, 324, 438), (Point{350, 100}));
    // Truncating division, and a work area below a taskbar at the top.
    EXPECT_EQ(CenterScreenPosition({0, 30, 1025, 770}, 320, 300), (Point{352, 176}));
}

}  // namespace
}  // namespace zarv
