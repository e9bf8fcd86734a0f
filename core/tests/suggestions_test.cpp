#include "core/suggestions.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

TEST(ReadPathQueryTest, TextThatStartsLikeAPathIsSplitAtItsLastSeparator) {
    EXPECT_EQ(ReadPathQuery(L"C:\\Win", L"C:\\Win"), (PathQuery{L"C:\\", L"C:\\", L"Win"}));
    EXPECT_EQ(ReadPathQuery(L"c:/a/b\\", L"c:/a/b\\"), (PathQuery{L"c:/a/b\\", L"c:/a/b\\", L""}));
    EXPECT_EQ(ReadPathQuery(L"\\\\srv\\share\\x", L"\\\\srv\\share\\x"),
              (PathQuery{L"\\\\srv\\share\\", L"\\\\srv\\share\\", L"x"}));
    EXPECT_EQ(ReadPathQuery(L".\\b", L".\\b"), (PathQuery{L".\\", L".\\", L"b"}));
    EXPECT_EQ(ReadPathQuery(L"..\\b", L"..\\b"), (PathQuery{L"..\\", L"..\\", L"b"}));
    for (const wchar_t* text : {L"notepad", L"C:", L"1:\\", L"\\x", L".x\\", L"%UNSET%\\x"})
        EXPECT_EQ(ReadPathQuery(text, text), std::nullopt) << text;
    // Suggestions keep the typed references, unless one is in the last part.
    EXPECT_EQ(ReadPathQuery(L"%WINDIR%\\Sys", L"C:\\Windows\\Sys"),
              (PathQuery{L"C:\\Windows\\", L"%WINDIR%\\", L"Sys"}));
    EXPECT_EQ(ReadPathQuery(L"%WINDIR%", L"C:\\Windows"),
              (PathQuery{L"C:\\", L"C:\\", L"Windows"}));
}

TEST(SuggestPathsTest, MatchingEntriesByNameWithAClosingSeparatorOnFolders) {
    const PathQuery q{L"C:\\", L"%D%\\", L"win"};
    const std::vector<FolderEntry> entries = {
        {L"winword.exe", false}, {L"Windows", true}, {L"Users", true},
        {L"WINNT.txt", false},   {L".", true},       {L"win", true}};
    EXPECT_EQ(SuggestPaths(q, entries),
              (std::vector<std::wstring>{L"%D%\\win\\", L"%D%\\Windows\\", L"%D%\\WINNT.txt",
                                         L"%D%\\winword.exe"}));
    EXPECT_EQ(SuggestPaths(PathQuery{L"C:\\", L"C:\\", L""}, entries).size(), 5u);
}

}  // namespace
}  // namespace zarv
