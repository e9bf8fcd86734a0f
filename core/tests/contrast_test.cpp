#include "core/contrast.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0, kRed = 0x0000FF, kGrey = 0x808080;

TEST(ContrastTest, MarkingColoursBecomeLegibleOnlyAsFarAsNeeded) {
    EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(kGrey, kWhite), 3.95, 0.01);
    EXPECT_NEAR(ContrastRatio(kRed, kWhite), 4.0, 0.01);
    const std::uint32_t cases[][2] = {{kGrey, kWhite}, {kRed, kWhite}, {kRed, 0xF0F0F0},
                                      {kGrey, kBlack}, {kRed, kBlack}, {0x0000C0, 0x000080}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c[0] << " on " << c[1]);
        EXPECT_GE(ContrastRatio(LegibleOn(c[0], c[1]), c[1]), kLegibleContrast);
    }
    // A red stays a clear red on white; what reads already stays as it is.
    EXPECT_EQ(LegibleOn(kRed, kWhite) & 0xFFFF00, 0u);
    EXPECT_GT(LegibleOn(kRed, kWhite) & 0xFF, 0xD0u);
    EXPECT_EQ(LegibleOn(kGrey, kBlack), kGrey);
    EXPECT_EQ(LegibleOn(kRed, kBlack), kRed);
}

}  // namespace
}  // namespace zarv
