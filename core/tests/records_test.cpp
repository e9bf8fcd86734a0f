#include "core/records.h"

#include <gtest/gtest.h>

#include <string>

namespace zarv {
namespace {

const std::string kHyo = "\x95\x5C";  // 表: a double-byte character whose trail byte is '\'

TEST(PutTextTest, CutsTo255Bytes) {
    std::string field = "old";
    PutText(field, std::string(300, 'x'), CodePage::ShiftJis());
    EXPECT_EQ(field, std::string(255, 'x'));
    PutText(field, std::string(254, 'x') + kHyo, CodePage::ShiftJis());
    EXPECT_EQ(field, std::string(254, 'x'));
    PutText(field, "", CodePage::ShiftJis());
    EXPECT_EQ(field, "");
}

}  // namespace
}  // namespace zarv
