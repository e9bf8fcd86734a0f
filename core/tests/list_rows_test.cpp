#include "core/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarv {
namespace {

using Rows = std::vector<std::string>;

TEST(MoveRowTest, DroppedRowEndsAtTheTargetAndTheOthersShift) {
    Rows rows{"a", "b", "c"};
    EXPECT_TRUE(MoveRow(rows, 2, 0));
    EXPECT_EQ(rows, (Rows{"c", "a", "b"}));
    rows = {"a", "b", "c"};
    EXPECT_TRUE(MoveRow(rows, 0, 2));
    EXPECT_EQ(rows, (Rows{"b", "c", "a"}));
    rows = {"a", "b", "c", "d", "e"};
    EXPECT_TRUE(MoveRow(rows, 1, 3));
    EXPECT_EQ(rows, (Rows{"a", "c", "d", "b", "e"}));
    EXPECT_TRUE(MoveRow(rows, 4, 1));
    EXPECT_EQ(rows, (Rows{"a", "e", "c", "d", "b"}));
}

TEST(MoveRowTest, NothingMovesWithoutATargetRowOrWithOneRow) {
    Rows rows{"a", "b", "c"};
    EXPECT_FALSE(MoveRow(rows, 1, 1));   // onto itself
    EXPECT_FALSE(MoveRow(rows, 0, 3));   // below the last row
    EXPECT_FALSE(MoveRow(rows, 0, -1));  // no row under the pointer
    EXPECT_FALSE(MoveRow(rows, -1, 1));  // nothing selected
    EXPECT_EQ(rows, (Rows{"a", "b", "c"}));
    Rows one{"a"};
    EXPECT_FALSE(MoveRow(one, 0, 0));
}

}  // namespace
}  // namespace zarv
