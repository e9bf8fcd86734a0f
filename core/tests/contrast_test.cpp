#include "core/contrast.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF, kGrey = 0x808080;

TEST(ContrastTest, RatiosAsTheGuidelinesMeasureThem) {
    EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(kWhite, kWhite), 1.0, 0.001);
    EXPECT_NEAR(ContrastRatio(kGrey, kWhite), 3.95, 0.01);
    EXPECT_NEAR(ContrastRatio(kRed, kWhite), 4.0, 0.01);
    EXPECT_NEAR(ContrastRatio(0x767676, kWhite), 4.54, 0.01);
}

TEST(ContrastTest, MarkingColoursBecomeLegibleAndKeepTheirHue) {
    struct Case {
        std::uint32_t colour, ground;
    };
    const Case cases[] = {{kGrey, kWhite}, {kRed, kWhite}, {kRed, 0xF0F0F0}, {kGrey, kBlack},
                          {kRed, kBlack},  {0x0000C0, 0x000080}, {kGrey, kGrey}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour << " on " << c.ground);
        const std::uint32_t legible = LegibleOn(c.colour, c.ground);
        EXPECT_GE(ContrastRatio(legible, c.ground), kLegibleContrast);
        if (ContrastRatio(c.colour, c.ground) >= kLegibleContrast) EXPECT_EQ(legible, c.colour);
    }
    // Only as far as needed: a red stays a clear red on white, grey on black is left as it is.
    const std::uint32_t red = LegibleOn(kRed, kWhite);
    EXPECT_EQ(red & 0xFFFF00, 0u);
    EXPECT_GT(red & 0xFF, 0xD0u);
    EXPECT_EQ(LegibleOn(kGrey, kBlack), kGrey);
}

}  // namespace
}  // namespace zarv
