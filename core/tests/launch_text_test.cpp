#include "core/launch_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zarv {
namespace {

TEST(BuildCommandLineTest, JoinsWithOneBlankAndNeverCuts) {
    EXPECT_EQ(BuildCommandLine("C:\\Program Files\\Tool\\tool.exe", "-q"),
              "C:\\Program Files\\Tool\\tool.exe -q");
    EXPECT_EQ(BuildCommandLine("notepad", ""), "notepad ");
    const std::string line = BuildCommandLine(std::string(250, 'p'), std::string(20, 'o'));
    EXPECT_EQ(line, std::string(250, 'p') + " " + std::string(20, 'o'));
}

}  // namespace
}  // namespace zarv
