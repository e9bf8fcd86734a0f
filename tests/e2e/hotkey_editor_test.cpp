// The hotkey list editor, its entry dialog and the on-screen key picker, driven as a user drives
// them: keys on the table, picks in the drop-down boxes, clicks on buttons, answers to boxes.
#include "editor_fixture.h"
#include "settings/control_ids.h"

namespace e2e {
namespace {

using namespace ui;

constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;
constexpr KeyCombo kKey1{kCtrlShift, '1'};
constexpr KeyCombo kKey2{kCtrlShift, '2'};
constexpr KeyCombo kEditorKey{kCtrlShift, 'E'};

using namespace zarv::hotkey_dialog;
namespace key_picker = zarv::key_picker;
// Rows of the drop-down boxes.
constexpr int kModCtrl = 0, kModCtrlShift = 2;
constexpr int kKeyOne = 0, kKeyTwo = 1;
constexpr int kFunctionDateTime = 8;

class HotkeyEditor : public ListEditorTest {
protected:
    HotkeyEditor()
        : ListEditorTest(L"TSettingForm", L"TSetKey_Form", kHotkeySettingsId, L"Hotkey.DAT") {}

    HotkeyRecord Marker(std::string title, KeyCombo chord, std::string key_text,
                        std::string options = {}) const {
        HotkeyRecord r = MarkerEntry(chord, std::move(options));
        r.title = std::move(title);
        r.key_text = std::move(key_text);
        return r;
    }
    void Pick(int box, int row) {
        SendMessageW(Item(box), CB_SETCURSEL, row, 0);
        SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(box, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(box)));
    }
};

TEST_F(HotkeyEditor, OpensOnceFromTheTrayMenuOrItsHotKeyWithTheRowsAndADeafIcon) {
    HotkeyRecord web{"web", "http://example.invalid/", "", "", "Ctrl + W", 2, 'W', 255};
    HotkeyRecord self{ToAnsi(L"設定"),    "",         "",  "",
                      "Ctrl + Shift + E", kCtrlShift, 'E', zarv::kFuncHotkeyEditor};
    WriteHotkeys({Marker("marker", kKey1, "Ctrl + Shift + 1", "-a"), web, self});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(TextOf(editor_), L"HotKeyの設定");
    EXPECT_EQ(Rows(list_, 5),
              (std::vector<Cells>{{L"marker", FromAnsi(marker()), L"-a", L"", L"Ctrl + Shift + 1"},
                                  {L"web", L"http://example.invalid/", L"", L"", L"Ctrl + W"},
                                  {L"設定", L"", L"", L"", L"Ctrl + Shift + E"}}));
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    EXPECT_FALSE(MenuOpens(pid(), 1000)) << "the icon answers while the editor is open";

    Press(kEditorKey);  // function 252 and the tray item again: still one editor
    PostMessageW(main_, WM_COMMAND, kHotkeySettingsId, 0);
    WaitResponsive(main_);
    EXPECT_EQ(TopLevelWindows(pid(), L"TSettingForm").size(), 1u);
    CloseEditor(VK_ESCAPE);

    Press(kEditorKey);
    ASSERT_TRUE(WaitEditor()) << "function 252 opens the editor";
    EXPECT_EQ(RowCount(list_), 3);
    CloseEditor(VK_ESCAPE);
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    EXPECT_TRUE(MenuOpens(pid())) << "the icon stays deaf after the editor";
    CloseMenus(pid());
}

TEST_F(HotkeyEditor, WithDebugASecondRequestStillOpensNoSecondEditor) {
    ASSERT_TRUE(StartResident(L"/DEBUG"));
    ASSERT_TRUE(OpenEditor());
    PostMessageW(main_, WM_COMMAND, kHotkeySettingsId, 0);
    WaitResponsive(main_);
    EXPECT_EQ(TopLevelWindows(pid(), L"TSettingForm").size(), 1u);
    CloseEditor(VK_ESCAPE);
}

TEST_F(HotkeyEditor, AddRefusesARepeatedKeyAndAMissingFileThenOkStartsTheNewKeyAtOnce) {
    WriteHotkeys({Marker("first", kKey1, "Ctrl + Shift + 1")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    EXPECT_EQ(TextOf(dialog_), L"キーの設定");
    Pick(kKList1, kModCtrlShift);
    Pick(kKList2, kKeyOne);
    Type(kEdit2, FromAnsi(marker()));
    EXPECT_EQ(DialogOk(), L"すでにそのキーは割り当てられています。");
    Pick(kKList2, kKeyTwo);
    Type(kEdit1, L"second");
    Type(kEdit2, PathIn(L"missing.exe"));
    Type(kEdit3, L"-x");
    EXPECT_EQ(DialogOk(), L"ファイルが存在しません。正しくファイルパスを指定してください。");
    EXPECT_EQ(RowCount(list_), 1) << "a row was written for a missing file";
    Type(kEdit2, FromAnsi(marker()));  // corrected: the second OK goes through
    EXPECT_EQ(DialogOk(), L"");
    EXPECT_EQ(Rows(list_, 5).back(),
              (Cells{L"second", FromAnsi(marker()), L"-x", L"", L"Ctrl + Shift + 2"}));
    CloseEditor(VK_RETURN);

    ASSERT_TRUE(PressRunsMarker(kKey2, 1, "-x"));
    EXPECT_EQ(File(), HotkeyFile({Marker("first", kKey1, "Ctrl + Shift + 1"),
                                  Marker("second", kKey2, "Ctrl + Shift + 2", "-x")}));
}

TEST_F(HotkeyEditor, DragReordersSpaceEditsAndDeleteRemovesOnlyOnYes) {
    HotkeyRecord num_plus = Marker("b", {MOD_CONTROL, VK_ADD}, "Ctrl + Num +");
    WriteHotkeys(
        {Marker("a", kKey1, "Ctrl + Shift + 1"), num_plus, Marker("c", kKey2, "Ctrl + Shift + 2")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    auto centre = [&](int row) {
        RECT r = RowRect(list_, row);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    ASSERT_TRUE(SelectRow(list_, 2));
    DragMouse(centre(2), centre(0));
    EXPECT_TRUE(WaitUntil([&] { return RowCaptions(list_) == Cells{L"c", L"a", L"b"}; }));
    ASSERT_TRUE(SelectRow(list_, 0));
    DragMouse(centre(0), centre(2));
    EXPECT_TRUE(WaitUntil([&] { return RowCaptions(list_) == Cells{L"a", L"b", L"c"}; }));
    ASSERT_TRUE(SelectRow(list_, 0));
    POINT below = centre(2);
    below.y += 3 * (RowRect(list_, 2).bottom - RowRect(list_, 2).top);
    DragMouse(centre(0), below);
    WaitResponsive(editor_);
    EXPECT_EQ(RowCaptions(list_), (Cells{L"a", L"b", L"c"})) << "a drop below the rows moved";

    ASSERT_TRUE(SelectRow(list_, 1));
    ASSERT_TRUE(KeyToDialog(VK_SPACE));
    EXPECT_EQ(TextOfControl(Item(kEdit1)), L"b");
    EXPECT_EQ(TextOfControl(Item(kKList1)), L"Ctrl");
    EXPECT_EQ(TextOfControl(Item(kKList2)), L"Num +");
    Type(kEdit1, L"b2");
    EXPECT_EQ(DialogOk(), L"");
    EXPECT_EQ(CellText(list_, 1, 0), L"b2");

    DeleteRow(0, IDNO);
    EXPECT_EQ(RowCount(list_), 3);
    DeleteRow(0, IDYES);
    EXPECT_EQ(RowCaptions(list_), (Cells{L"b2", L"c"}));
    CloseEditor(VK_RETURN);
    num_plus.title = "b2";
    EXPECT_EQ(File(), HotkeyFile({num_plus, Marker("c", kKey2, "Ctrl + Shift + 2")}));
}

TEST_F(HotkeyEditor, CtrlArrowsMoveTheSelectedRowAsADragDoes) {
    const HotkeyRecord a = Marker("a", kKey1, "k1", "-a"), b = Marker("b", kKey2, "k2", "-b"),
                       c = Marker("c", {kCtrlShift, '3'}, "k3");
    WriteHotkeys({a, b, c});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    // The first row is selected as the editor opens: Ctrl+Down takes it to second place, and
    // on, and it stays selected.
    EXPECT_EQ(SendMessageW(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 0);
    // The X server's focus may reach the editor just after Windows' activation, and Wine then
    // lets go of the Ctrl pressed meanwhile: a plain Down moves the selection, so the row is
    // selected again and the chord pressed once more.
    Press({MOD_CONTROL, VK_DOWN});
    if (!WaitUntil([&] { return RowCaptions(list_) == Cells{L"b", L"a", L"c"}; }, 1000)) {
        ASSERT_TRUE(SelectRow(list_, 0));
        Press({MOD_CONTROL, VK_DOWN});
        EXPECT_TRUE(WaitUntil([&] { return RowCaptions(list_) == Cells{L"b", L"a", L"c"}; }));
    }
    Press({MOD_CONTROL, VK_DOWN});
    Press({MOD_CONTROL, VK_DOWN});  // the last row goes no further
    Press({MOD_CONTROL, VK_UP});
    EXPECT_TRUE(WaitUntil([&] { return RowCaptions(list_) == Cells{L"b", L"a", L"c"}; }));
    // Saved on close as a drag's order is; the keys keep their entries until OK.
    CloseEditor(VK_ESCAPE);
    EXPECT_EQ(File(), HotkeyFile({b, a, c}));
    EXPECT_TRUE(PressRunsMarker(kKey1, 1, "-a"));
}

TEST_F(HotkeyEditor, ScreenReadersFindTheBarsButtonsAndPressThem) {
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(TextOf(list_), L"HotKeyの設定");  // the table's name
    const std::string bar = std::to_string(
        reinterpret_cast<INT_PTR>(FindWindowExW(editor_, nullptr, L"TExpress", nullptr)));
    std::string error;
    auto answer = RunProbe(zarv_->handle(), dir(), "accessible\t" + bar, &error);
    ASSERT_TRUE(answer) << error;
    // One push button (role 43) per button, with its caption and its key.
    const std::vector<std::vector<std::string>> expected = {{"child", "43", "Insert", "追加(INS)"},
                                                            {"child", "43", "Space", "編集(SPACE)"},
                                                            {"child", "43", "Delete", "削除(DEL)"},
                                                            {"child", "43", "Enter", "OK(ENTER)"}};
    EXPECT_EQ(ProbeRecords(*answer, "child", 4), expected);
    // Insert's default action is its click: the entry dialog opens.
    ASSERT_TRUE(RunProbe(zarv_->handle(), dir(), "accessible\t" + bar + "\t1", &error)) << error;
    ASSERT_TRUE(dialog_ = WaitWindow(L"TSetKey_Form"));
    Click(dialog_, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TSetKey_Form"));
    CloseEditor(VK_ESCAPE);
}

// Sets the system colours of the program (its own under Wine) to those of a black high-contrast
// theme, or back to the driver's.
void SetBlackTheme(const Process& zarv, const std::wstring& folder, bool black) {
    const COLORREF window = black ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOW);
    const COLORREF text = black ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF face = black ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNFACE);
    std::string error;
    EXPECT_TRUE(RunProbe(zarv.handle(), folder,
                         "syscolors\t" + std::to_string(window) + "\t" + std::to_string(text) +
                             "\t" + std::to_string(face),
                         &error))
        << error;
}

TEST_F(HotkeyEditor, RowsBarAndCommandBarFollowTheSystemsColours) {
    WriteHotkeys({Marker("first row", kKey1, "k1"), Marker("second row", kKey2, "k2")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    const RECT bar = RectOf(FindWindowExW(editor_, nullptr, L"TExpress", nullptr));
    const int unit = (bar.right - bar.left) / 92;  // pixels of the bar's 92
    // Readable: text drawn light on a ground mostly dark, inside the second row's title cell
    // (the first row is selected) and under the bar's first picture, its caption.
    auto readable = [](RECT r) {
        InflateRect(&r, -2, -2);
        return GreyPixels(r, true) > 0 &&
               GreyPixels(r, false) > (r.right - r.left) * (r.bottom - r.top) / 2;
    };
    const RECT caption{bar.left, bar.top + 40 * unit, bar.right, bar.top + 60 * unit};
    EXPECT_FALSE(readable(CellRect(list_, 1, 0))) << "the default theme's rows are dark";
    SetBlackTheme(*zarv_, dir(), true);  // while the editor is open
    EXPECT_TRUE(WaitUntil([&] { return readable(CellRect(list_, 1, 0)); })) << "the row";
    EXPECT_TRUE(WaitUntil([&] { return readable(caption); })) << "the bar's caption";
    CloseEditor(VK_ESCAPE);
    // The command bar's panel, shown afterwards, takes the window colour too.
    PostMessageW(main_, WM_COMMAND, kCommandBarId, 0);
    EXPECT_TRUE(WaitUntil([&] { return GreyPixels(RectOf(main_), false) > 100; }));
    PressKey(VK_ESCAPE);
    SetBlackTheme(*zarv_, dir(), false);
}

TEST_F(HotkeyEditor, EscapeSavesTheRowsWhileKeysAndLauncherItemsRunTheirOldEntries) {
    const HotkeyRecord first = Marker("first", kKey1, "k1", "-first");
    const HotkeyRecord second = Marker("second", kKey2, "k2", "-second");
    WriteHotkeys({first, second});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    DeleteRow(0, IDYES);
    CloseEditor(VK_ESCAPE);
    EXPECT_EQ(File(), HotkeyFile({second}));

    ASSERT_TRUE(PressRunsMarker(kKey2, 1, "-second"));
    ASSERT_TRUE(PressRunsMarker(kKey1, 2, "-first"));
    ASSERT_TRUE(ClickIcon(main_, WM_LBUTTONDOWN));
    std::string error;
    ASSERT_TRUE(ChooseMenuItem(*zarv_, dir(), kFirstLauncherId, &error)) << error;
    const auto runs = WaitMarkerRuns(log(), 3);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2].command_line, marker() + " -first");
}

TEST_F(HotkeyEditor, OkWithAnEmptyTableFreesEveryKeyAndWritesTheHeaderAlone) {
    WriteHotkeys({Marker("first", kKey1, "k1"), Marker("second", kKey2, "k2")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    DeleteRow(0, IDYES);
    DeleteRow(0, IDYES);
    CloseEditor(VK_RETURN);
    EXPECT_EQ(File(), HotkeyFile({}));
    EXPECT_EQ(TryRegister(kKey1), 0u);
    EXPECT_EQ(TryRegister(kKey2), 0u);
}

TEST_F(HotkeyEditor, FunctionAndUrlEntriesAndTextsTheFileCannotHold) {
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Pick(kKList1, kModCtrl);
    Pick(kKList2, kKeyOne);
    Type(kEdit1, L"typed");
    Send(dialog_, kCheckBox2);
    EXPECT_TRUE(IsWindowEnabled(Item(kFList)));
    EXPECT_FALSE(IsWindowEnabled(Item(kEdit2)));
    Pick(kFList, kFunctionDateTime);
    EXPECT_EQ(TextOfControl(Item(kEdit1)), L"日時の表示");
    EXPECT_EQ(DialogOk(), L"");

    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Pick(kKList1, kModCtrl);
    Pick(kKList2, kKeyTwo);
    Send(dialog_, kCheckBox1);
    EXPECT_EQ(TextOfControl(Item(kLabel4)), L"URL:");
    EXPECT_FALSE(IsWindowEnabled(Item(kEdit3)));
    Type(kEdit2, L"no such thing");
    EXPECT_EQ(DialogOk(), L"") << "a URL entry is taken whatever the file box holds";

    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Pick(kKList1, kModCtrlShift);
    Pick(kKList2, kKeyOne + 2);
    Type(kEdit2, FromAnsi(marker()));
    Type(kEdit3, L"snow \u2603");  // no such character in code page 932
    EXPECT_NE(DialogOk().find(L"オプション"), std::wstring::npos) << "the box names the field";
    Type(kEdit3, std::wstring(300, L'x'));
    EXPECT_NE(DialogOk().find(L"オプション"), std::wstring::npos) << "too long for the file";
    Click(dialog_, IDCANCEL);
    EXPECT_TRUE(WaitGone(L"TSetKey_Form"));
    CloseEditor(VK_RETURN);

    HotkeyRecord date{ToAnsi(L"日時の表示"), "", "", "", "Ctrl + 1", MOD_CONTROL, '1',
                      zarv::kFuncDateAndTime};
    HotkeyRecord url{"", "no such thing", "", "", "Ctrl + 2", MOD_CONTROL, '2', 255};
    EXPECT_EQ(File(), HotkeyFile({date, url}));
}

// The dialog from the keyboard alone, keys pressed as the keyboard presses them.
TEST_F(HotkeyEditor, KeyboardTabsToTheButtonsPicksKeysAndOpensChoosersOnABareAlt) {
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    // The control with the focus (a key box for its edit part).
    auto focused = [&] {
        HWND focus = Focus();
        return GetParent(focus) == dialog_ ? GetDlgCtrlID(focus) : GetDlgCtrlID(GetParent(focus));
    };
    ASSERT_TRUE(WaitUntil([&] { return focused() == kKList1; }));
    // Tab goes through every control in the order of their places, OK and Cancel too.
    std::vector<int> order;
    for (int k = 0; k < 13; ++k) {
        const int before = focused();
        PressKey(VK_TAB);
        WaitUntil([&] { return focused() != before; });
        order.push_back(focused());
    }
    EXPECT_EQ(order, (std::vector<int>{kKList2, kCallVK, kEdit1, kEdit2, kBtnSel1, kEdit3, kEdit4,
                                       kBtnSel2, kCheckBox1, kCheckBox2, IDOK, IDCANCEL, kKList1}));
    // The default frame follows the focus once the dialog's loop has seen it move.
    EXPECT_TRUE(WaitUntil(
        [&] { return (GetWindowLongW(Item(IDOK), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }));

    // A letter picks the key of that name; the open list takes Enter and Escape itself.
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return focused() == kKList2; }));
    TypeText(L"w");
    EXPECT_TRUE(WaitUntil([&] { return TextOfControl(Item(kKList2)) == L"W"; }));
    auto dropped = [&] { return SendMessageW(Item(kKList2), CB_GETDROPPEDSTATE, 0, 0) != 0; };
    Press({MOD_ALT, VK_DOWN});
    ASSERT_TRUE(WaitUntil(dropped));
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return TextOfControl(Item(kKList2)) == L"X"; }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !dropped(); }));
    EXPECT_EQ(TextOfControl(Item(kKList2)), L"W") << "Escape keeps the old key";
    Press({MOD_ALT, VK_DOWN});
    ASSERT_TRUE(WaitUntil(dropped));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !dropped(); }));
    EXPECT_EQ(TextOfControl(Item(kKList2)), L"X");
    WaitResponsive(dialog_);
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "the list's Enter closed the dialog";

    // Alt opens a field's chooser when it is released alone, never with another key.
    for (int field : {kEdit1, kEdit3, kEdit2, kEdit4}) {
        const bool chooser = field == kEdit2 || field == kEdit4;
        for (UINT other : {UINT{VK_TAB}, UINT{0}}) {
            PostMessageW(Item(field), WM_SYSKEYDOWN, VK_MENU, 1 << 29);
            if (other) PostMessageW(Item(field), WM_SYSKEYDOWN, other, 1 << 29);
            if (other) PostMessageW(Item(field), WM_SYSKEYUP, other, 0xE0000001);
            PostMessageW(Item(field), WM_SYSKEYUP, VK_MENU, 0xC0000001);
            auto box = WaitMessageBox(pid(), chooser && !other ? kTimeoutMs : 500);
            EXPECT_EQ(box.has_value(), chooser && !other) << field << " " << other;
            if (box) EXPECT_TRUE(AnswerBox(box->window, IDCANCEL)) << field;
        }
    }
    Click(dialog_, IDCANCEL);
    EXPECT_TRUE(WaitGone(L"TSetKey_Form"));
}

// The dialog's file and folder fields: a dropped file, the folder chooser's answer and Escape,
// which cancels the dialog here (the command dialog keeps itself open).
TEST_F(HotkeyEditor, DropsFolderChooserAndEscapeInTheFileAndFolderFields) {
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    DropIntoDialog({}, kEdit2, kEdit4);

    // The chooser opens on the folder in the field; OK writes it back with one trailing "\",
    // and a drive root keeps its own.
    ASSERT_TRUE(CreateDirectoryW(PathIn(L"chosen").c_str(), nullptr));
    const struct {
        std::wstring typed, written;
    } folders[] = {{PathIn(L"chosen"), PathIn(L"chosen\\")}, {L"C:\\", L"C:\\"}};
    for (const auto& folder : folders) {
        Type(kEdit4, folder.typed);
        Click(dialog_, kBtnSel2);
        HWND chooser = WaitWindow(L"#32770");
        ASSERT_TRUE(chooser);
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return TextOfControl(Item(kEdit4)) == folder.written; }))
            << ToAnsi(TextOfControl(Item(kEdit4)));
        EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(kEdit4); }));
    }

    for (int field : {kEdit2, kEdit4}) {
        if (field == kEdit4) ASSERT_TRUE(KeyToDialog(VK_INSERT));
        PostMessageW(Item(field), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitGone(L"TSetKey_Form")) << field;
    }
    CloseEditor(VK_RETURN);
    EXPECT_EQ(File(), HotkeyFile({}));
}

TEST_F(HotkeyEditor, KeyPickerHandsItsKeysNamesAndCodesToTheDialog) {
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    // Picks the key with that name in that row of the picker, then OK (or OK alone).
    auto pick = [&](const wchar_t* caption, int top) {
        Click(dialog_, kCallVK);
        HWND picker = WaitWindow(L"TVirualKeybord");
        ASSERT_TRUE(picker);
        EXPECT_EQ(TextOf(picker), L"Keybord");
        // A key's name may be followed by the mark of a combination that another program holds.
        for (HWND b = nullptr; caption && (b = FindWindowExW(picker, b, L"Button", nullptr));) {
            const std::wstring text = TextOf(b);
            if (text != caption && text.rfind(caption + std::wstring(L"（"), 0) != 0) continue;
            RECT r = RectOf(b);
            MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&r), 2);
            if (r.top == top) Send(picker, GetDlgCtrlID(b));
        }
        Click(picker, IDOK);
        EXPECT_TRUE(WaitGone(L"TVirualKeybord"));
    };
    const struct {
        const wchar_t* caption;
        int top;
        const wchar_t* name;
    } keys[] = {{L"Page Up", 32, L"PageUp"}, {L"テンキー 7", 48, L"Num 7"}, {L"F8", 8, L"F8"}};
    for (const auto& key : keys) {
        ASSERT_TRUE(KeyToDialog(VK_INSERT));
        Pick(kKList1, kModCtrl);
        pick(key.caption, key.top);
        // The dialog fills its key box once the picker has gone.
        EXPECT_TRUE(WaitUntil([&] { return TextOfControl(Item(kKList2)) == key.name; }))
            << ToAnsi(TextOfControl(Item(kKList2))) << " for " << ToAnsi(key.name);
        Send(dialog_, kCheckBox1);
        EXPECT_EQ(DialogOk(), L"");
    }
    // The focus starts on the key in the key box; Enter on a key picks it and leaves the picker
    // open, and Right goes to the key to its right. Cancel then leaves the box as it was.
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Pick(kKList1, kModCtrl);
    Pick(kKList2, kKeyTwo);
    Click(dialog_, kCallVK);
    HWND picker = WaitWindow(L"TVirualKeybord");
    ASSERT_TRUE(picker);
    auto chosen = [&] { return TextOfControl(GetDlgItem(picker, key_picker::kSelectKeys)); };
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return chosen() == L"2"; })) << ToAnsi(chosen());
    for (UINT vk : {VK_RIGHT, VK_DOWN, VK_RETURN}) PressKey(vk);
    EXPECT_TRUE(WaitUntil([&] { return chosen() == L"W"; })) << ToAnsi(chosen());  // under "3"
    EXPECT_TRUE(IsWindow(picker));
    Click(picker, IDCANCEL);
    EXPECT_TRUE(WaitGone(L"TVirualKeybord"));
    EXPECT_EQ(TextOfControl(Item(kKList2)), L"2");
    // Enter on the picked key confirms it.
    Click(dialog_, kCallVK);
    picker = WaitWindow(L"TVirualKeybord");
    ASSERT_TRUE(picker);
    for (UINT vk : {VK_RIGHT, VK_RETURN, VK_RETURN}) PressKey(vk);
    EXPECT_TRUE(WaitGone(L"TVirualKeybord"));
    EXPECT_TRUE(WaitUntil([&] { return TextOfControl(Item(kKList2)) == L"3"; }));
    Send(dialog_, kCheckBox1);
    EXPECT_EQ(DialogOk(), L"");

    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Pick(kKList2, kKeyOne);
    pick(nullptr, 0);
    EXPECT_EQ(TextOfControl(Item(kKList2)), L"") << "OK without a click empties the box";
    Click(dialog_, IDCANCEL);
    EXPECT_TRUE(WaitGone(L"TSetKey_Form"));
    CloseEditor(VK_RETURN);
    EXPECT_EQ(File(), HotkeyFile({{"", "", "", "", "Ctrl + PageUp", MOD_CONTROL, 33, 255},
                                  {"", "", "", "", "Ctrl + Num 7", MOD_CONTROL, 103, 255},
                                  {"", "", "", "", "Ctrl + F8", MOD_CONTROL, 119, 255},
                                  {"", "", "", "", "Ctrl + 3", MOD_CONTROL, '3', 255}}));
}

TEST_F(HotkeyEditor, AFileOfAnotherVersionIsKeptAsBakWhenTheEditorSaves) {
    const std::string unknown = "ZARV Head Version 9.99 and more";
    ASSERT_TRUE(WriteBytes(PathIn(L"Hotkey.DAT"), unknown));
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(RowCount(list_), 0);
    CloseEditor(VK_ESCAPE);
    EXPECT_EQ(File(), HotkeyFile({}));
    EXPECT_EQ(ReadBytes(PathIn(L"Hotkey.DAT.bak")).value_or(""), unknown);
}

// A combination held by this test process, as another program holds it; released at the end.
class HeldKey {
public:
    explicit HeldKey(KeyCombo chord)
        : held_(RegisterHotKey(nullptr, 77, chord.modifiers, chord.vkey)) {}
    ~HeldKey() {
        if (held_) UnregisterHotKey(nullptr, 77);
    }
    bool held() const { return held_; }

private:
    bool held_;
};

TEST_F(HotkeyEditor, KeyCellIsRedWhenItsKeyIsHeldElsewhereOrByAnEarlierRow) {
    const KeyCombo taken{kCtrlShift, 'Q'};
    HeldKey holder(taken);
    ASSERT_TRUE(holder.held());
    WriteHotkeys(
        {Marker("free", kKey1, "Ctrl + Shift + 1"), Marker("taken", taken, "Ctrl + Shift + Q"),
         Marker("again", kKey1, "Ctrl + Shift + 1"), Marker("other", kKey2, "Ctrl + Shift + 2")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    constexpr int kKeyColumn = 4;
    auto red = [&] {
        WaitResponsive(editor_);
        std::vector<bool> cells;
        for (int row = 0; row < RowCount(list_); ++row)
            cells.push_back(RedPixels(CellRect(list_, row, kKeyColumn)) > 0);
        return cells;
    };
    EXPECT_TRUE(WaitUntil([&] {
        return red() == std::vector<bool>{false, true, true, false};
    })) << "red key cells: "
        << ::testing::PrintToString(red());
    // Only the key cell: the other cells of a red row are drawn as usual.
    EXPECT_EQ(RedPixels(CellRect(list_, 1, 1)), 0);

    // Judged by combination: with the first row gone, the repeated key is the first of its kind,
    // and the taken key stays red on its new place.
    DeleteRow(0, IDYES);
    PressKey(VK_END);  // the selection leaves the first row: a selected row shows its own colours
    EXPECT_TRUE(WaitUntil([&] {
        return red() == std::vector<bool>{true, false, false};
    })) << "red key cells: "
        << ::testing::PrintToString(red());
    CloseEditor(VK_ESCAPE);
}

TEST_F(HotkeyEditor, DialogNoteSaysWhoHoldsAPickedKey) {
    constexpr int kModCtrlShiftRow = kModCtrlShift, kKeyThree = 2, kKeyFour = 3;
    HeldKey holder({kCtrlShift, '3'});
    ASSERT_TRUE(holder.held());
    WriteHotkeys({Marker("first", kKey1, "Ctrl + Shift + 1"),
                  Marker("second row", kKey2, "Ctrl + Shift + 2"),
                  Marker("taken", {kCtrlShift, '3'}, "Ctrl + Shift + 3"),
                  Marker(std::string(120, 'L') + "end", {kCtrlShift, '5'}, "Ctrl + Shift + 5")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    auto note = [&] { return TextOfControl(Item(kKeyNote)); };

    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    ASSERT_TRUE(Item(kKeyNote)) << "no note under the key boxes";
    EXPECT_EQ(note(), L"");
    Pick(kKList1, kModCtrlShiftRow);
    Pick(kKList2, kKeyThree);
    EXPECT_EQ(note(), L"このキーは他のプログラムが使用中です。");
    // Held by this program for a row of the table: the row is named.
    Pick(kKList2, kKeyOne);
    EXPECT_EQ(note(), L"このキーは「first」に割り当てられています。");
    Pick(kKList2, kKeyFour);
    EXPECT_EQ(note(), L"");
    // A title too long for the line is cut with an ellipsis; the sentence stays whole.
    Pick(kKList2, kKeyFour + 1);
    const std::wstring cut = note();
    EXPECT_EQ(cut.rfind(L"このキーは「LLL", 0), 0u) << ToAnsi(cut);
    EXPECT_NE(cut.find(L"L\u2026」に割り当てられています。"), std::wstring::npos) << ToAnsi(cut);
    EXPECT_EQ(cut.find(L"end"), std::wstring::npos) << ToAnsi(cut);
    Click(dialog_, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TSetKey_Form"));

    // Editing: the row's own key needs no note, another row's is named.
    ASSERT_TRUE(SelectRow(list_, 0));
    ASSERT_TRUE(KeyToDialog(VK_SPACE));
    EXPECT_EQ(note(), L"");
    Pick(kKList1, kModCtrlShiftRow);
    Pick(kKList2, kKeyTwo);
    EXPECT_EQ(note(), L"このキーは「second row」に割り当てられています。");
    Pick(kKList2, kKeyOne);
    EXPECT_EQ(note(), L"");
    // The note never blocks an edit: OK takes another row's key, as before.
    Pick(kKList2, kKeyTwo);
    EXPECT_EQ(DialogOk(), L"");
    // The editor takes the row in once the dialog has gone.
    EXPECT_TRUE(WaitUntil([&] { return CellText(list_, 0, 4) == L"Ctrl + Shift + 2"; }))
        << ToAnsi(CellText(list_, 0, 4));

    // A row whose key another program holds says so as the dialog opens.
    ASSERT_TRUE(SelectRow(list_, 2));
    ASSERT_TRUE(KeyToDialog(VK_SPACE));
    EXPECT_EQ(note(), L"このキーは他のプログラムが使用中です。");
    Click(dialog_, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TSetKey_Form"));
    CloseEditor(VK_ESCAPE);
}

TEST_F(HotkeyEditor, KeyPickerShowsTheTakenKeysOfTheChosenModifiersAndTheirNotes) {
    constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
    constexpr int kModCtrlAlt = 1;
    HeldKey holder({kCtrlAlt, 'Q'});
    ASSERT_TRUE(holder.held());
    WriteHotkeys({Marker("w row", {kCtrlAlt, 'W'}, "Ctrl + Alt + W"),
                  Marker("e row", {kCtrlShift, 'E'}, "Ctrl + Shift + E")});
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    HWND picker = nullptr;
    auto open = [&](int modifiers) {
        Pick(kKList1, modifiers);
        Click(dialog_, kCallVK);
        picker = WaitWindow(L"TVirualKeybord");
    };
    // A taken key's name says so.
    auto key = [&](const wchar_t* caption) {
        HWND free = FindWindowExW(picker, nullptr, L"Button", caption);
        return free ? free
                    : FindWindowExW(picker, nullptr, L"Button",
                                    (std::wstring(caption) + L"（使用中）").c_str());
    };
    // The screen shows a picker's paint a moment later: a key is waited for until it is red.
    auto red = [&](const wchar_t* caption) { return RedPixels(RectOf(key(caption))) > 0; };
    auto turnsRed = [&](const wchar_t* caption) { return WaitUntil([&] { return red(caption); }); };
    auto click = [&](const wchar_t* caption) {
        Send(picker, GetDlgCtrlID(key(caption)));
        return TextOfControl(GetDlgItem(picker, key_picker::kKeyNote));
    };
    open(kModCtrlAlt);
    ASSERT_TRUE(picker);
    EXPECT_TRUE(turnsRed(L"Q"));
    EXPECT_TRUE(turnsRed(L"W"));
    EXPECT_FALSE(red(L"E"));
    EXPECT_EQ(TextOf(key(L"Q")), L"Q（使用中）");
    EXPECT_EQ(TextOf(key(L"E")), L"E");
    EXPECT_EQ(click(L"Q"), L"このキーは他のプログラムが使用中です。");
    EXPECT_EQ(click(L"W"), L"このキーは「w row」に割り当てられています。");
    EXPECT_EQ(click(L"E"), L"");
    // A taken key can still be chosen.
    click(L"Q");
    Click(picker, IDOK);
    ASSERT_TRUE(WaitGone(L"TVirualKeybord"));
    EXPECT_EQ(TextOfControl(Item(kKList2)), L"Q");
    // Other modifiers, the picker opened again: their keys.
    open(kModCtrlShift);
    ASSERT_TRUE(picker);
    EXPECT_TRUE(turnsRed(L"E"));
    EXPECT_FALSE(red(L"Q"));
    EXPECT_FALSE(red(L"W"));
    Click(picker, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TVirualKeybord"));
    Click(dialog_, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TSetKey_Form"));
    CloseEditor(VK_ESCAPE);
}

}  // namespace
}  // namespace e2e
