#include "core/launch_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zarv {
namespace {

TEST(BuildCommandLineTest, JoinsWithOneBlankQuotesOnlyAWholeFileAndNeverCuts) {
    const auto isFile = [](const std::wstring& path) {
        return path == L"C:\\Program Files\\Tool\\tool.exe" || path == L"C:\\my tools\\backup.bat";
    };
    EXPECT_EQ(BuildCommandLine(L"C:\\Program Files\\Tool\\tool.exe", L"-q file.txt", isFile),
              L"\"C:\\Program Files\\Tool\\tool.exe\" -q file.txt");
    EXPECT_EQ(BuildCommandLine(L"C:\\my tools\\backup.bat", L"", isFile),
              L"\"C:\\my tools\\backup.bat\" ");
    // A program and its arguments in the file field: as written, for the direct start to read.
    EXPECT_EQ(BuildCommandLine(L"C:\\Tools\\app.exe -x", L"-opt", isFile),
              L"C:\\Tools\\app.exe -x -opt");
    // Already quoted, or without a blank: as written.
    EXPECT_EQ(BuildCommandLine(L"\"C:\\Program Files\\x.exe\"", L"-q", isFile),
              L"\"C:\\Program Files\\x.exe\" -q");
    EXPECT_EQ(BuildCommandLine(L"C:\\Tools\\tool.exe", L"-plain", isFile),
              L"C:\\Tools\\tool.exe -plain");
    EXPECT_EQ(BuildCommandLine(L"notepad", L"", isFile), L"notepad ");
    EXPECT_EQ(BuildCommandLine(L"", L"-x", isFile), L" -x");
    const std::wstring line =
        BuildCommandLine(std::wstring(250, L'p'), std::wstring(20, L'o'), isFile);
    EXPECT_EQ(line, std::wstring(250, L'p') + L" " + std::wstring(20, L'o'));
}

}  // namespace
}  // namespace zarv
