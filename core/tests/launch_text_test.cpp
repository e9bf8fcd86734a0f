#include "core/launch_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zarv {
namespace {

TEST(BuildCommandLineTest, JoinsWithOneBlankAndNeverCuts) {
    EXPECT_EQ(BuildCommandLine(L"\"C:\\my tools\\backup.bat\"", L""),
              L"\"C:\\my tools\\backup.bat\" ");
    EXPECT_EQ(BuildCommandLine(L"", L"-x"), L" -x");
    const std::wstring line = BuildCommandLine(std::wstring(250, L'p'), std::wstring(20, L'o'));
    EXPECT_EQ(line, std::wstring(250, L'p') + L" " + std::wstring(20, L'o'));
}

}  // namespace
}  // namespace zarv
