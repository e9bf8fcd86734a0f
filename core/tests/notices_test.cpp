#include "core/notices.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

THotkeyItem Keyed(std::uint8_t modifiers, std::uint8_t vkey) {
    THotkeyItem item;
    item.Modifiers = modifiers;
    item.VKey = vkey;
    return item;
}

TEST(Notices, FailedKeysAreTheAvailableUnregisteredOnesWithTheRowThatHoldsThemOrNone) {
    // 0 holds Ctrl+Alt+A; 1 repeats it; 2 is held elsewhere; 3 repeats 2, whose key nobody of
    // ours got; 4 is not available; 5 is registered.
    const std::vector<THotkeyItem> entries = {Keyed(3, 'A'), Keyed(3, 'A'), Keyed(3, 'B'),
                                              Keyed(3, 'B'), Keyed(3, 'C'), Keyed(3, 'D')};
    const std::vector<bool> available = {true, true, true, true, false, true};
    const std::vector<bool> registered = {true, false, false, false, false, true};
    using R = KeyFailure::Reason;
    EXPECT_EQ(KeyFailures(entries, available, registered),
              (std::vector<KeyFailure>{{1, R::EarlierRow}, {2, R::Elsewhere}, {3, R::Elsewhere}}));
    EXPECT_TRUE(KeyFailures(entries, available, {true, true, true, true, false, true}).empty());
}

TEST(Notices, KeyNoticeNamesThreeKeysWithTheirEntriesThenHowManyMore) {
    std::vector<KeyFailureName> names;
    for (int i = 0; i < 5; ++i)
        names.push_back({L"Ctrl + Alt + " + std::wstring(1, L'1' + i), L"entry" + std::to_wstring(i),
                         i == 1 ? KeyFailure::Reason::EarlierRow : KeyFailure::Reason::Elsewhere});
    Notice n = KeysNotTakenNotice(names);
    EXPECT_NE(n.Text.find(L"Ctrl + Alt + 1「entry0」: 他のプログラムか Windows が使用中\n"),
              std::wstring::npos)
        << n.Text.size();
    EXPECT_NE(n.Text.find(L"Ctrl + Alt + 2「entry1」: 前の行と同じキー\n"), std::wstring::npos);
    EXPECT_NE(n.Text.find(L"entry2"), std::wstring::npos);
    EXPECT_EQ(n.Text.find(L"entry3"), std::wstring::npos);
    EXPECT_NE(n.Text.find(L"他 2 件\n"), std::wstring::npos);

    names.resize(3);
    EXPECT_EQ(KeysNotTakenNotice(names).Text.find(L"件"), std::wstring::npos);
    // Names of 255 characters still leave the last line whole within the balloon's room.
    for (auto& f : names) f.Title.assign(255, L'x');
    names.push_back(names.back());
    n = KeysNotTakenNotice(names);
    EXPECT_LE(n.Text.size(), kNoticeTextRoom);
    EXPECT_NE(n.Text.find(L"他 1 件\n"), std::wstring::npos);
}

TEST(Notices, TextsAreCutToTheBalloonsRoomWithoutSplittingACharacter) {
    EXPECT_EQ(CutNoticeText(L"abc", 3), L"abc");
    EXPECT_EQ(CutNoticeText(L"abcd", 3), L"ab…");
    // U+1F600 is a surrogate pair: it goes whole or not at all.
    EXPECT_EQ(CutNoticeText(L"a\xD83D\xDE00zz", 3), L"a…");
    EXPECT_EQ(CutNoticeText(L"ab\xD83D\xDE00zz", 5), L"ab\xD83D\xDE00…");

    const Notice start = StartFailedNotice(std::wstring(300, L'n'), std::wstring(300, L'r'));
    EXPECT_EQ(start.Text.size(), kNoticeTextRoom);
    EXPECT_EQ(start.Text.back(), L'…');
    EXPECT_EQ(StartFailedNotice(L"nosuchthing", L"reason").Text, L"「nosuchthing」\nreason");
    EXPECT_NE(FilesNotReadNotice({L"Hotkey.DAT", L"Command.DAT"}).Text.find(L"Hotkey.DAT、Command.DAT"),
              std::wstring::npos);
    for (const Notice& n : {KeysNotTakenNotice({}), start, FilesNotReadNotice({L"Hotkey.DAT"}),
                            FirstRunNotice(std::wstring(400, L'f'))}) {
        EXPECT_LE(n.Title.size(), kNoticeTitleRoom);
        EXPECT_LE(n.Text.size(), kNoticeTextRoom);
    }
}

}  // namespace
}  // namespace zarv
