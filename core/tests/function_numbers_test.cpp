#include "core/function_numbers.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string_view>
#include <vector>

namespace zarv {
namespace {

// The numbers are what the data files hold: a renumbered function would make saved entries run
// another one. None is a program (0) or a URL (255).
TEST(InternalFunctionsTest, NumbersAreTheStoredOnesInTheirOrder) {
    std::vector<int> numbers;
    for (const InternalFunctionRow& f : kInternalFunctions) numbers.push_back(f.Number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 250, 251, 252, 253, 254}));
}

TEST(InternalFunctionsTest, NamesAreDistinctAndAsOffered) {
    std::set<std::string_view> names;
    for (const InternalFunctionRow& f : kInternalFunctions) names.insert(f.Name);
    EXPECT_EQ(names.size(), std::size(kInternalFunctions));
    EXPECT_EQ(kInternalFunctions[0].Name, "Windowsの終了ダイアログ表示");
    EXPECT_EQ(kInternalFunctions[5].Name, "スクリーンセーバー起動");
    EXPECT_EQ(kInternalFunctions[8].Name, "日時の表示");
    EXPECT_EQ(kInternalFunctions[13].Name, "コマンド入力");
}

}  // namespace
}  // namespace zarv
