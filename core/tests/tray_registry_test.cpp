#include "core/tray_registry.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

int icons[TrayRegistry::kCapacity + 1];  // stand-ins for the icon objects

TEST(TrayRegistryTest, NumbersFollowTheLastEntry) {
    TrayRegistry r;
    EXPECT_EQ(r.NextNumber(), 1u);
    EXPECT_EQ(r.Add(&icons[1]), 1u);
    EXPECT_EQ(r.Add(&icons[2]), 2u);
    EXPECT_EQ(r.Add(&icons[3]), 3u);

    r.Remove(&icons[3]);  // the last one: its number comes back
    EXPECT_EQ(r.Add(&icons[4]), 3u);

    r.Remove(&icons[2]);  // one in the middle: the next number still follows the last entry
    EXPECT_EQ(r.Add(&icons[5]), 4u);

    r.Remove(&icons[1]);
    r.Remove(&icons[4]);
    r.Remove(&icons[5]);
    EXPECT_EQ(r.Size(), 0u);
    EXPECT_EQ(r.Add(&icons[6]), 1u);  // empty again: numbering restarts
}

TEST(TrayRegistryTest, FindsIconsByTheirNumber) {
    TrayRegistry r;
    r.Add(&icons[1]);
    r.Add(&icons[2]);
    r.Add(&icons[3]);
    EXPECT_EQ(r.Find(2), &icons[2]);
    EXPECT_EQ(r.Find(0), nullptr);
    EXPECT_EQ(r.Find(4), nullptr);
    EXPECT_EQ(r.Find(12), nullptr);
    r.Remove(&icons[2]);
    EXPECT_EQ(r.Find(2), nullptr);
    EXPECT_EQ(r.Find(3), &icons[3]);
    r.Remove(&icons[2]);  // not there any more: nothing happens
    EXPECT_EQ(r.Size(), 2u);
}

TEST(TrayRegistryTest, The101stIconIsRefused) {
    TrayRegistry r;
    for (unsigned i = 0; i < TrayRegistry::kCapacity; ++i) ASSERT_EQ(r.Add(&icons[i]), i + 1);
    EXPECT_EQ(r.Add(&icons[TrayRegistry::kCapacity]), std::nullopt);
    EXPECT_EQ(r.Size(), 100u);
    EXPECT_EQ(r.Find(101), nullptr);

    // Room again after one goes; numbers go on past 100.
    r.Remove(&icons[0]);
    EXPECT_EQ(r.Add(&icons[TrayRegistry::kCapacity]), 101u);
    EXPECT_EQ(r.Find(101), &icons[TrayRegistry::kCapacity]);
}

}  // namespace
}  // namespace zarv
