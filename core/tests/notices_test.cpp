#include "core/notices.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

TEST(Notices, FailedKeysAreTheAvailableUnregisteredOnesWithTheRowThatHoldsThemOrNone) {
    // 0 holds Ctrl+Alt+A and 1 repeats it; 2 is held elsewhere and 3 repeats it, whose key none
    // of ours got; 4 is not available.
    std::vector<THotkeyItem> entries(5);
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i].VKey = "AABBC"[i];
    using R = KeyFailure::Reason;
    EXPECT_EQ(KeyFailures(entries, {true, true, true, true, false}, {true, false, false, false}),
              (std::vector<KeyFailure>{{1, R::EarlierRow}, {2, R::Elsewhere}, {3, R::Elsewhere}}));
}

TEST(Notices, KeyNoticeNamesThreeKeysWithTheirEntriesThenHowManyMoreWithinItsRoom) {
    std::vector<KeyFailureName> names;
    for (wchar_t i = 0; i < 5; ++i)
        names.push_back({L"Ctrl + " + std::wstring(1, L'1' + i), std::wstring(1, L'a' + i),
                         i == 1 ? KeyFailure::Reason::EarlierRow : KeyFailure::Reason::Elsewhere});
    EXPECT_EQ(KeysNotTakenNotice(names).Text,
              L"Ctrl + 1「a」: 他のプログラムか Windows が使用中\nCtrl + 2「b」: 前の行と同じキー\n"
              L"Ctrl + 3「c」: 他のプログラムか Windows が使用中\n他 2 件\n"
              L"クリックすると「ホットキーの設定」を開きます。");
    // Names of 255 characters still leave the count and the hint whole.
    for (auto& f : names) f.Title.assign(255, L'x');
    const Notice n = KeysNotTakenNotice(names);
    EXPECT_LE(n.Text.size(), kNoticeTextRoom);
    EXPECT_NE(n.Text.find(L"他 2 件\nクリック"), std::wstring::npos);
}

TEST(Notices, TextsAreCutToTheBalloonsRoomWithoutSplittingACharacter) {
    EXPECT_EQ(CutNoticeText(L"abc", 3), L"abc");
    EXPECT_EQ(CutNoticeText(L"abcd", 3), L"ab…");
    // U+1F600 is a surrogate pair: it goes whole or not at all.
    EXPECT_EQ(CutNoticeText(L"a\xD83D\xDE00zz", 3), L"a…");
    EXPECT_EQ(CutNoticeText(L"ab\xD83D\xDE00zz", 5), L"ab\xD83D\xDE00…");
    EXPECT_EQ(StartFailedNotice(L"nosuchthing", L"reason").Text, L"「nosuchthing」\nreason");
    for (const Notice& n : {StartFailedNotice(std::wstring(300, L'n'), std::wstring(300, L'r')),
                            FilesNotReadNotice({L"Hotkey.DAT", L"Command.DAT"}),
                            FirstRunNotice(std::wstring(400, L'f'))}) {
        EXPECT_LE(n.Title.size(), kNoticeTitleRoom);
        EXPECT_LE(n.Text.size(), kNoticeTextRoom);
    }
}

}  // namespace
}  // namespace zarv
