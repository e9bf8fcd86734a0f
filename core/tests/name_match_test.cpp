#include "core/name_match.h"

#include <gtest/gtest.h>

#include "core/program_list.h"

namespace zarv {
namespace {

using Positions = std::vector<std::uint32_t>;

TEST(FoldedTest, CaseKanaAndWidthFoldAlike) {
    const std::pair<const wchar_t*, const wchar_t*> same[] = {
        {L"ÀÉÎØÞ Ÿ ĀĲĹŊŽ", L"àéîøþ ÿ āĳĺŋž"},
        {L"ΆΈΣΩ ς", L"άέσω σ"},
        {L"ЁЖЯ Ѣ Ӂ Ӑ", L"ёжя ѣ ӂ ӑ"},
        {L"ＡＢＣ　ｘ０！", L"abc x0!"},
        {L"めもちょう ゝ", L"メモチョウ ヽ"},
        {L"ﾒﾓ ｶﾞｷﾞ ﾊﾟﾋﾟ ﾎﾞ ｳﾞ ﾂﾞ ﾃﾞ ｯｰ", L"メモ ガギ パピ ボ ヴ ヅ デ ッー"},
    };
    for (auto [text, folded] : same) EXPECT_EQ(Folded(text), Folded(folded)) << folded;
    EXPECT_EQ(Folded(L"ｶﾞ"), L"ガ");
    EXPECT_EQ(Folded(L"Ab"), L"ab");
    // A mark after what takes none stays a mark; letters without case stay as they are.
    EXPECT_EQ(Folded(L"ﾞｱﾞﾏﾟ"), L"゛ア゛マ゜");
    EXPECT_EQ(Folded(L"ßıĸ×÷漢"), L"ßıĸ×÷漢");
    EXPECT_NE(Folded(L"é"), Folded(L"e"));
}

TEST(MatchFoldedTest, BeginningThenWordThenInitialsThenAnywhere) {
    const std::wstring vsc = Folded(L"Visual Studio Code");
    EXPECT_EQ(MatchFolded(vsc, L"visual s"), NameMatch::Begins);
    EXPECT_EQ(MatchFolded(vsc, L"stu"), NameMatch::WordBegins);
    EXPECT_EQ(MatchFolded(vsc, L"vsc"), NameMatch::Initials);
    EXPECT_EQ(MatchFolded(vsc, L"vs"), NameMatch::Initials);
    EXPECT_EQ(MatchFolded(vsc, L"ode"), NameMatch::Contains);
    EXPECT_EQ(MatchFolded(vsc, L"vsx"), NameMatch::None);
    EXPECT_EQ(MatchFolded(vsc, L"c"), NameMatch::WordBegins);
    // A word begins after punctuation; a later occurrence at a word's start counts.
    EXPECT_EQ(MatchFolded(Folded(L"odeo (ode)"), L"ode"), NameMatch::Begins);
    EXPECT_EQ(MatchFolded(Folded(L"xode・ode"), L"ode"), NameMatch::WordBegins);
    EXPECT_EQ(MatchFolded(Folded(L"Git-Bash"), L"gb"), NameMatch::Initials);
}

TEST(SuggestNamesTest, OrderedByHowTheyMatchThenInListOrder) {
    const std::vector<std::wstring> names = {L"Notepad", L"GMail", L"MailMerge", L"Mail",
                                             L"メール",  L"ma",    L"My Apps",   L"Old Mail"};
    EXPECT_EQ(SuggestNames(names, L"ma"), (Positions{2, 3, 5, 7, 6, 1}));
    EXPECT_EQ(SuggestNames(names, L"ＭＡＩ"), (Positions{2, 3, 7, 1}));
    EXPECT_EQ(SuggestNames(names, L"ｰﾙ"), (Positions{4}));
    EXPECT_EQ(SuggestNames(names, L"mailx"), Positions{});
    EXPECT_EQ(SuggestNames(names, L"").size(), names.size());
}

TEST(ProgramListTest, OneCompactEntryPerNameWithoutUninstallers) {
    StartMenuPrograms read;
    read.folders = std::wstring(L"C:\\user\0C:\\user\\Tools\0C:\\all\0", 29);
    ProgramList& list = read.programs;
    list.Add(1, L"メモ帳");
    list.Add(0, L"Visual Studio Code");
    list.Add(2, L"メモ帳");  // the same name in the other folder
    list.Add(2, L"Uninstall Vendor");
    list.Add(2, L"ツールのアンインストール");
    list.Add(2, L"Code Viewer");
    list.Add(2, L"Vim");
    list.Finish();
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_EQ(list.Name(0), L"Code Viewer");
    EXPECT_EQ(list.Name(3), L"メモ帳");
    EXPECT_EQ(read.LinkPath(3), L"C:\\user\\Tools\\メモ帳.lnk");
    EXPECT_EQ(read.LinkPath(0), L"C:\\all\\Code Viewer.lnk");
    EXPECT_EQ(read.LinkPath(2), L"C:\\user\\Visual Studio Code.lnk");
    EXPECT_EQ(list.Suggest(L"めも", 10), Positions{3});
    EXPECT_EQ(list.Suggest(L"ﾒﾓ", 10), Positions{3});
    // Begins, word begins, initials, then by name within each.
    EXPECT_EQ(list.Suggest(L"v", 10), (Positions{1, 2, 0}));
    EXPECT_EQ(list.Suggest(L"vsc", 10), Positions{2});
    EXPECT_EQ(list.Suggest(L"co", 10), (Positions{0, 2}));
    EXPECT_EQ(list.Suggest(L"v", 2), (Positions{1, 2}));
    EXPECT_TRUE(list.Suggest(L"", 10).empty());
    EXPECT_TRUE(ProgramList::NamesUninstaller(L"UNINSTALL"));
}

}  // namespace
}  // namespace zarv
