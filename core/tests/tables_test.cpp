#include "core/tables.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/function_numbers.h"
#include "core/records.h"

namespace zarv {
namespace {

class TablesTest : public ::testing::Test {
protected:
    void SetUp() override { CreateTables(); }
    void TearDown() override { ReleaseTables(); }
};

TEST_F(TablesTest, RowCounts) {
    EXPECT_EQ(ModifierList.Count(), 13u);
    EXPECT_EQ(KeyList.Count(), 73u);
    EXPECT_EQ(FunctionList.Count(), 14u);
}

TEST_F(TablesTest, ModifiersAreDistinctCombinationsWithoutAltOrShiftAlone) {
    std::set<int> values;
    for (std::size_t k = 0; k < ModifierList.Count(); ++k) values.insert(ModifierList.Value(k));
    EXPECT_EQ(values.size(), 13u);
    for (int alone : {0, 1, 4}) EXPECT_EQ(ModifierList.IndexOfValue(alone), -1) << alone;
    EXPECT_EQ(*values.rbegin(), 15);
    EXPECT_EQ(ModifierList.Name(ModifierList.IndexOfValue(5)), "Alt + Shift");
}

TEST_F(TablesTest, KeySpotChecks) {
    const int comma = KeyList.IndexOfValue(188);
    ASSERT_GE(comma, 0);
    EXPECT_EQ(KeyList.Name(comma), ",");

    const int f8 = KeyList.IndexOfValue(119);
    ASSERT_GE(f8, 1);
    EXPECT_EQ(KeyList.Name(f8), "F8");
    EXPECT_EQ(KeyList.Name(f8 - 1), "F7");
    EXPECT_EQ(KeyList.Name(f8 + 1), "F9");
    EXPECT_EQ(KeyList.Name(KeyList.IndexOfValue(123)), "F12");

    EXPECT_EQ(KeyList.Name(KeyList.IndexOfValue(220)), "\\");
    EXPECT_EQ(KeyList.Name(KeyList.IndexOfValue(29)), "無変換");
    EXPECT_EQ(KeyList.Name(0), "1");
    EXPECT_EQ(KeyList.Value(9), 48);  // "0" comes after "9"
    EXPECT_EQ(KeyList.Name(72), "PageDown");

    std::set<int> values;
    for (std::size_t k = 0; k < KeyList.Count(); ++k) values.insert(KeyList.Value(k));
    EXPECT_EQ(values.size(), 73u);
}

TEST_F(TablesTest, FunctionsAreTheInternalFunctionsInTheirOrder) {
    ASSERT_EQ(FunctionList.Count(), std::size(kInternalFunctions));
    for (std::size_t k = 0; k < FunctionList.Count(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(FunctionList.Name(k), kInternalFunctions[k].Name);
        EXPECT_EQ(FunctionList.Value(k), kInternalFunctions[k].Number);
    }
    EXPECT_EQ(FunctionList.Name(FunctionList.IndexOfValue(kFuncCommandBar)), "コマンド入力");
    EXPECT_EQ(FunctionList.IndexOfValue(kFuncProgram), -1);
    EXPECT_EQ(FunctionList.IndexOfValue(kFuncUrl), -1);
}

TEST_F(TablesTest, ReleaseEmptiesAndCreateRefills) {
    ReleaseTables();
    EXPECT_EQ(KeyList.Count(), 0u);
    EXPECT_EQ(KeyList.IndexOfValue(65), -1);
    CreateTables();
    EXPECT_EQ(KeyList.Count(), 73u);
}

}  // namespace
}  // namespace zarv
