#include "core/key_conflicts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/key_picker.h"

namespace zarv {
namespace {

constexpr KeyCombination kCtrlAltA{3, 'A'}, kCtrlAltB{3, 'B'}, kShiftA{4, 'A'}, kCtrlAltC{3, 'C'};

std::vector<HotkeyRow> Rows(std::initializer_list<KeyCombination> keys) {
    std::vector<HotkeyRow> rows;
    for (KeyCombination k : keys) {
        THotkeyItem item;
        item.Title = "row" + std::to_string(rows.size());
        item.Modifiers = k.Modifiers;
        item.VKey = k.VKey;
        rows.emplace_back();
        rows.back().Set(item);
    }
    return rows;
}

std::vector<bool> RedCells(const std::vector<HotkeyRow>& rows, const RegistrationOutcome& o) {
    std::vector<bool> red;
    for (std::size_t i = 0; i < rows.size(); ++i) red.push_back(IsKeyCellRed(rows, i, o));
    return red;
}

TEST(KeyConflicts, OutcomeCountsACombinationAsFailedOnlyWhenNoEntryGotIt) {
    RegistrationOutcome o;
    o.Add(kCtrlAltA, true);
    o.Add(kCtrlAltA, false);  // a second entry with the first one's key
    o.Add(kCtrlAltB, false);  // held by another program
    EXPECT_TRUE(o.Holds(kCtrlAltA));
    EXPECT_FALSE(o.Failed(kCtrlAltA));
    EXPECT_TRUE(o.Failed(kCtrlAltB));
    EXPECT_FALSE(o.Holds(kCtrlAltB));
    // Same key, other modifiers: another combination.
    EXPECT_FALSE(o.Failed(kShiftA));
    EXPECT_FALSE(o.Holds(kShiftA));
    o.Clear();
    EXPECT_FALSE(o.Failed(kCtrlAltB));
    EXPECT_FALSE(o.Holds(kCtrlAltA));
}

TEST(KeyConflicts, RedCellsGoByCombinationNotByPosition) {
    RegistrationOutcome o;
    o.Add(kCtrlAltA, true);
    o.Add(kCtrlAltB, false);
    // The rows as the pass saw them, then reordered in the editor: the failed key stays red
    // wherever its row went, and a repeated key is red in every row after its first.
    EXPECT_EQ(RedCells(Rows({kCtrlAltA, kCtrlAltB, kShiftA}), o),
              (std::vector<bool>{false, true, false}));
    EXPECT_EQ(RedCells(Rows({kCtrlAltB, kShiftA, kCtrlAltA}), o),
              (std::vector<bool>{true, false, false}));
    EXPECT_EQ(RedCells(Rows({kShiftA, kCtrlAltC, kShiftA, kShiftA}), o),
              (std::vector<bool>{false, false, true, true}));
    EXPECT_TRUE(RedCells({}, o).empty());
}

TEST(KeyConflicts, NoteNamesTheHolderOfAPickedCombination) {
    const auto rows = Rows({kCtrlAltA, kCtrlAltB, kCtrlAltB});
    using K = KeyNote::Kind;
    // Free, or the row's own combination that the program holds for it: nothing to say.
    EXPECT_EQ(NoteForKey(kCtrlAltC, rows, -1, false, false), KeyNote{});
    EXPECT_EQ(NoteForKey(kCtrlAltA, rows, 0, true, true), KeyNote{});
    // A repeated row's own combination: the earlier row that holds it is named.
    EXPECT_EQ(NoteForKey(kCtrlAltB, rows, 2, true, true), (KeyNote{K::OtherRow, 1}));
    // The row's own combination that someone else holds: the reason its key does not work.
    EXPECT_EQ(NoteForKey(kCtrlAltA, rows, 0, true, false), (KeyNote{K::OtherProgram, 0}));
    // Another row: the first other one, whether adding or editing.
    EXPECT_EQ(NoteForKey(kCtrlAltA, rows, -1, true, true), (KeyNote{K::OtherRow, 0}));
    EXPECT_EQ(NoteForKey(kCtrlAltB, rows, 0, false, false), (KeyNote{K::OtherRow, 1}));
    EXPECT_EQ(
        NoteForKey(kCtrlAltA, Rows({kCtrlAltC, kCtrlAltB, kCtrlAltA, kCtrlAltA}), 1, false, false),
        (KeyNote{K::OtherRow, 2}));
    // A trial that fails for a key the program does not hold: someone else has it.
    EXPECT_EQ(NoteForKey(kCtrlAltC, rows, -1, true, false), (KeyNote{K::OtherProgram, 0}));
    EXPECT_EQ(NoteForKey(kCtrlAltA, rows, 1, true, false), (KeyNote{K::OtherProgram, 0}));
    // Held by the program for a row that has since changed: free once OK re-registers.
    EXPECT_EQ(NoteForKey(kCtrlAltC, rows, -1, true, true), KeyNote{});
}

TEST(KeyConflicts, PickerKeysTakeOneTrialEachButNoneForWhatTheProgramHolds) {
    const KeyCombination w{3, 'W'}, e{3, 'E'};
    RegistrationOutcome pass;
    pass.Add(w, true);
    pass.Add(e, true);
    std::vector<KeyCombination> tried;
    const auto notes = PickerKeyNotes(3, Rows({w, e}), 1, pass, [&](KeyCombination key) {
        tried.push_back(key);
        return key.VKey == 'Q';  // another program holds Ctrl + Alt + Q
    });
    ASSERT_EQ(notes.size(), kPickerKeyCount);
    EXPECT_EQ(tried.size(), kPickerKeyCount - 2);
    EXPECT_EQ(std::count(tried.begin(), tried.end(), w), 0);
    // Q and W (row 0) are taken; E is the edited row's own.
    std::size_t taken = 0;
    for (const KeyNote& n : notes) taken += n.What != KeyNote::Kind::None ? 1 : 0;
    EXPECT_EQ(taken, 2u);
}

TEST(KeyConflicts, LongTitleIsCutWithAnEllipsisToFitTheBand) {
    auto chars = [](const std::wstring& s) { return static_cast<int>(s.size()); };
    EXPECT_EQ(FitMiddle(L"<", L"title", L">", 7, chars), L"<title>");
    EXPECT_EQ(FitMiddle(L"<", L"title", L">", 6, chars), L"<tit\u2026>");
    EXPECT_EQ(FitMiddle(L"<", L"title", L">", 3, chars), L"<\u2026>");
    EXPECT_EQ(FitMiddle(L"<", L"title", L">", 1, chars), L"<\u2026>");  // never less than that
    // Wide characters count by their width, and a surrogate pair stays whole.
    auto wide = [](const std::wstring& s) {
        int w = 0;
        for (wchar_t c : s) w += c > 0x7F ? 2 : 1;
        return w;
    };
    EXPECT_EQ(FitMiddle(L"[", L"\u8868\u8868\u8868", L"]", 8, wide), L"[\u8868\u8868\u8868]");
    EXPECT_EQ(FitMiddle(L"[", L"\u8868\u8868\u8868", L"]", 7, wide), L"[\u8868\u2026]");
    const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(FitMiddle(L"", L"a" + pair + L"b", L"", 3, chars), L"a\u2026");
}

}  // namespace
}  // namespace zarv
