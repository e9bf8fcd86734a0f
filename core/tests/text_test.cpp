#include "core/text.h"

#include <gtest/gtest.h>

#include <string>

namespace zarv {
namespace {

const CodePage& Sjis() { return CodePage::ShiftJis(); }

// Shift-JIS characters whose trail byte looks like something else.
const std::string kHyo = "\x95\x5C";  // 表: trail byte is '\'
const std::string kA = "\x88\x9F";    // 亜: trail byte is itself a lead-byte value

TEST(CodePageTest, LeadBytes) {
    const CodePage& cp = Sjis();
    for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(cp.IsLead(b)) << b;
    for (int b : {0x00, 0x5C, 0x80, 0xA0, 0xA5, 0xDF, 0xFD, 0xFF}) EXPECT_FALSE(cp.IsLead(b)) << b;
    for (int b = 0; b < 256; ++b) EXPECT_FALSE(CodePage::SingleByte().IsLead(b));

    const unsigned char gbk[] = {0x81, 0xFE};
    const CodePage cp936 = CodePage::FromRanges(gbk, 1);
    EXPECT_TRUE(cp936.IsLead(0x81));
    EXPECT_TRUE(cp936.IsLead(0xFE));
    EXPECT_FALSE(cp936.IsLead(0x80));
    EXPECT_FALSE(cp936.IsLead(0xFF));
}

TEST(CutTest, NeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(CutLength("a" + kHyo, 2, Sjis()), 1u);
    EXPECT_EQ(CutLength(kHyo + kHyo + kHyo, 5, Sjis()), 4u);
    // Walking from the start: a trail byte in the lead range must not shift the pairs.
    EXPECT_EQ(CutLength(kA + kA + "b", 4, Sjis()), 4u);
    EXPECT_EQ(CutLength(kA + kA + "b", 3, Sjis()), 2u);
    EXPECT_EQ(CutLength("x" + kA + kA, 4, Sjis()), 3u);
    EXPECT_EQ(CutText(std::string(254, 'a') + kHyo, 255, Sjis()), std::string(254, 'a'));
    // The same bytes in a single-byte code page are two characters.
    EXPECT_EQ(CutLength("a" + kHyo, 2, CodePage::SingleByte()), 2u);
}

TEST(CutTest, ShortTextsStayWhole) {
    EXPECT_EQ(CutText("", 0, Sjis()), "");
    EXPECT_EQ(CutText("abc", 0, Sjis()), "");
    EXPECT_EQ(CutText("abc", 3, Sjis()), "abc");
    EXPECT_EQ(CutText(kHyo, 2, Sjis()), kHyo);
    // A lead byte at the very end has no trail: it is a character of its own.
    EXPECT_EQ(CutLength("ab\x81", 3, Sjis()), 3u);
    EXPECT_EQ(CutLength("ab\x81", 99, Sjis()), 3u);
}

TEST(TrimTest, RemovesBytesUpTo32AtBothEnds) {
    EXPECT_EQ(TrimText(" \t\x01-q  x\r\n "), "-q  x");
    EXPECT_EQ(TrimText(" \x1F "), "");
    EXPECT_EQ(TrimText(""), "");
    EXPECT_EQ(TrimText("\x7F"
                       "a\x7F"),
              "\x7F"
              "a\x7F");
    EXPECT_EQ(TrimText(" " + kHyo + " "), kHyo);
}

}  // namespace
}  // namespace zarv
