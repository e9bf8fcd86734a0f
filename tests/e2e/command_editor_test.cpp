// The command list editor and its entry dialog, driven as a user drives them, and what their
// changes do to the command bar and to "Command.DAT".
#include "editor_fixture.h"
#include "settings/control_ids.h"

namespace e2e {
namespace {

using namespace ui;

constexpr KeyCombo kEditorKey{MOD_CONTROL | MOD_SHIFT, 'E'};
using namespace zarv::command_dialog;

class CommandEditor : public ListEditorTest {
protected:
    CommandEditor()
        : ListEditorTest(L"TStrCommandForm", L"TSetCommandForm", kCommandSettingsId,
                         L"Command.DAT") {}

    // Starts the program with the hot key of the command editor and the commands.
    HWND Start(const std::vector<CommandRecord>& commands) {
        HotkeyRecord key{
            "cmd", "", "", "", "k", MOD_CONTROL | MOD_SHIFT, 'E', zarv::kFuncCommandEditor};
        WriteHotkeys({key});
        WriteCommands(commands);
        return StartResident();
    }
    // Adds a row through the dialog; the text of the box its OK shows, or "" when it closed.
    std::wstring Add(const std::wstring& name, const std::wstring& file,
                     const std::wstring& options = {}) {
        if (!KeyToDialog(VK_INSERT)) return L"<no dialog>";
        Type(kEdit1, name);
        Type(kEdit2, file);
        Type(kEdit3, options);
        return DialogOk();
    }
    // The names of the command bar's list. The bar makes its controls when it is first shown:
    // a bar never shown is shown once and hidden again, which also tests that the names given
    // to it before then appear.
    std::vector<std::wstring> BarNames() {
        if (!CommandBox(main_)) {
            PostMessageW(main_, WM_COMMAND, kCommandBarId, 0);
            if (!WaitBarShown(main_) || !CommandBox(main_)) return {L"<no bar>"};
            PressKey(VK_ESCAPE);
            if (!WaitBarHidden(main_)) return {L"<the bar stays>"};
        }
        HWND box = CommandBox(main_);
        std::vector<std::wstring> names;
        for (LRESULT i = 0, n = SendTimeout(box, CB_GETCOUNT, 0, 0); i < n; ++i) {
            wchar_t text[300] = {};
            SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }
};

const CommandRecord kA{"a", "C:\\a.exe", "-a", "C:\\"}, kB{"b", "b.exe", "", ""},
    kC{"c", "c.exe", "", ""};

TEST_F(CommandEditor, OpensOnceFromTheTrayMenuOrFunction253WithTheRowsAndResizes) {
    ASSERT_TRUE(Start({kA, kB}));
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    std::string error;
    ASSERT_TRUE(ChooseMenuItem(*zarv_, dir(), kCommandSettingsId, &error)) << error;
    ASSERT_TRUE(WaitEditor());
    EXPECT_EQ(TextOf(editor_), L"コマンドの設定");
    EXPECT_EQ(Rows(list_, 4), (std::vector<Cells>{{L"a", L"C:\\a.exe", L"-a", L"C:\\"},
                                                  {L"b", L"b.exe", L"", L""}}));
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    EXPECT_FALSE(MenuOpens(pid(), 1000)) << "the icon answers while the editor is open";
    SetWindowPos(editor_, nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
    WaitResponsive(editor_);
    RECT r = RectOf(list_);
    EXPECT_EQ(r.right - r.left, 684);
    EXPECT_EQ(r.bottom - r.top, 452);

    // Asked again (hot key, tray item) while its dialog is open: nothing new, the dialog in front.
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Press(kEditorKey);
    PostMessageW(main_, WM_COMMAND, kCommandSettingsId, 0);
    WaitResponsive(main_);
    EXPECT_EQ(TopLevelWindows(pid(), L"TStrCommandForm").size(), 1u);
    EXPECT_EQ(TopLevelWindows(pid(), L"TSetCommandForm").size(), 1u);
    EXPECT_EQ(GetForegroundWindow(), dialog_);
    Click(dialog_, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TSetCommandForm"));
    CloseEditor(VK_ESCAPE);

    Press(kEditorKey);
    ASSERT_TRUE(WaitEditor()) << "function 253 opens the editor";
    EXPECT_EQ(RowCount(list_), 2);
    CloseEditor(VK_ESCAPE);
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    EXPECT_TRUE(MenuOpens(pid())) << "the icon stays deaf after the editor";
    CloseMenus(pid());
}

TEST_F(CommandEditor, EscapeKeepsTheListAndRewritesItWhileOkTakesDragsAndAnEmptyTable) {
    CommandRecord padded = kA;
    padded.options = " -a ";  // the writer trims: a rewritten file differs from this one
    ASSERT_TRUE(Start({padded, kB, kC}));
    ASSERT_TRUE(OpenEditor());
    DeleteRow(0, IDNO);
    EXPECT_EQ(RowCount(list_), 3);
    DeleteRow(0, IDYES);
    EXPECT_EQ(Add(L"new", L"n.exe"), L"");
    CloseEditor(VK_ESCAPE);
    EXPECT_EQ(File(), CommandFile({kA, kB, kC}));
    EXPECT_EQ(BarNames(), (Cells{L"a", L"b", L"c"}));

    ASSERT_TRUE(OpenEditor());
    auto centre = [&](int row) {
        RECT r = RowRect(list_, row);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    ASSERT_TRUE(SelectRow(list_, 0));
    DragMouse(centre(0), centre(2));
    EXPECT_TRUE(WaitUntil([&] { return RowCaptions(list_) == Cells{L"b", L"c", L"a"}; }));
    EXPECT_EQ(SendMessageW(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED | LVNI_FOCUSED), 2)
        << "the moved row is not selected at its new place";
    CloseEditor(VK_RETURN);
    EXPECT_EQ(File(), CommandFile({kB, kC, kA}));
    EXPECT_EQ(BarNames(), (Cells{L"b", L"c", L"a"}));

    ASSERT_TRUE(OpenEditor());
    for (int i = 0; i < 3; ++i) DeleteRow(0, IDYES);
    CloseEditor(VK_RETURN);
    EXPECT_EQ(File(), CommandFile({}));
    EXPECT_EQ(BarNames(), Cells{});
}

TEST_F(CommandEditor, AddRefusesANameOfTheTableInAnyCaseWhileEditTakesIt) {
    ASSERT_TRUE(Start({{"Mail", "m.exe", "", ""}, kB}));
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(Add(L"mail", L"x.exe"), L"[mail]はすでに登録されています。");
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(Add(L"news", L"n.exe"), L"");
    // Refused after Enter in the file field: the focus goes back to the name, selected.
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Type(kEdit1, L"NEWS");
    Type(kEdit2, L"n2.exe");
    for (UINT vk : {VK_TAB, VK_RETURN}) PressKey(vk);
    auto box = WaitMessageBox(pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"[NEWS]はすでに登録されています。");
    AnswerBox(box->window);
    EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(kEdit1); }));
    EXPECT_EQ(SendMessageW(Item(kEdit1), EM_GETSEL, 0, 0), MAKELRESULT(0, 4));
    Click(dialog_, IDCANCEL);
    DeleteRow(0, IDYES);
    EXPECT_EQ(Add(L"MAIL", L"m2.exe"), L"") << "a deleted name is free again";

    ASSERT_TRUE(SelectRow(list_, 0));  // b, edited to another row's name
    ASSERT_TRUE(KeyToDialog(VK_SPACE));
    EXPECT_EQ(TextOfControl(Item(kEdit2)), L"b.exe");
    Type(kEdit1, L"news");
    EXPECT_EQ(DialogOk(), L"");
    EXPECT_EQ(RowCaptions(list_), (Cells{L"news", L"news", L"MAIL"}));
    CloseEditor(VK_ESCAPE);
}

// The file keeps a name without the blanks at its ends: a name that differs from a registered
// one only by them is the registered name, and blanks alone are no name or file at all.
TEST_F(CommandEditor, BlanksAtTheEndsOfANameMakeNoNewNameAndBlanksAloneNoField) {
    ASSERT_TRUE(Start({{"Mail", "m.exe", "", ""}}));
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(Add(L"mail ", L"x.exe"), L"[mail ]はすでに登録されています。");
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(Add(L" MAIL", L"x.exe"), L"[ MAIL]はすでに登録されています。");
    // OK with a field of blanks only does nothing, as with an empty one.
    auto okIgnored = [&] {
        Click(dialog_, IDOK);
        WaitResponsive(main_);  // the click itself is through
        return IsWindowVisible(dialog_) && MessageBoxes(pid()).empty();
    };
    Type(kEdit1, L"  \t ");
    EXPECT_TRUE(okIgnored()) << "a name of blanks";
    Type(kEdit1, L"mail2");
    Type(kEdit2, L"   ");
    EXPECT_TRUE(okIgnored()) << "a file of blanks";
    Type(kEdit2, L"x.exe");
    EXPECT_EQ(DialogOk(), L"");

    ASSERT_TRUE(SelectRow(list_, 0));  // in edit mode too
    ASSERT_TRUE(KeyToDialog(VK_SPACE));
    Type(kEdit1, L"  ");
    EXPECT_TRUE(okIgnored()) << "a name of blanks, editing";
    Click(dialog_, IDCANCEL);
    ASSERT_TRUE(WaitGone(L"TSetCommandForm"));

    CloseEditor(VK_RETURN);
    EXPECT_EQ(File(), CommandFile({{"Mail", "m.exe", "", ""}, {"mail2", "x.exe", "", ""}}));
}

TEST_F(CommandEditor, ACommandAddedWithOkRunsFromTheBarByItsName) {
    ASSERT_TRUE(Start({kB}));
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(Add(L"go", FromAnsi(marker()), L"-x"), L"");
    CloseEditor(VK_RETURN);
    PostMessageW(main_, WM_COMMAND, kCommandBarId, 0);
    ASSERT_TRUE(WaitBarShown(main_));
    TypeText(L"GO");
    ASSERT_TRUE(WaitUntil([&] { return TextOfControl(CommandBox(main_)) == L"GO"; }));
    PressKey(VK_RETURN);
    auto runs = WaitMarkerRuns(log(), 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line, marker() + " -x");
}

TEST_F(CommandEditor, DialogKeysDropsAndTextsTheFileCannotHold) {
    ASSERT_TRUE(Start({kB}));
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(kEdit1); }));
    auto tab_to = [&](int field) {
        PressKey(VK_TAB);
        return WaitUntil([&] { return Focus() == Item(field); });
    };
    // Tab goes through the fields, the choosers and the buttons in the order of their places.
    for (int field : {int{kEdit2}, int{kBtnSel1}, int{kEdit3}, int{kEdit4}, int{kBtnSel2}, IDOK,
                      IDCANCEL, int{kEdit1}, int{kEdit2}})
        ASSERT_TRUE(tab_to(field)) << field;
    for (int field : {kEdit2, kEdit4}) {  // a bare Alt opens the field's chooser, and comes back
        if (field == kEdit4) ASSERT_TRUE(tab_to(kBtnSel1) && tab_to(kEdit3) && tab_to(kEdit4));
        PressKey(VK_MENU);
        HWND chooser = WaitWindow(L"#32770");
        ASSERT_TRUE(chooser) << field;
        PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(field); })) << field;
    }
    for (int field : {kEdit2, kEdit4}) {  // Escape does nothing in the file and folder fields
        PostMessageW(Item(field), WM_KEYDOWN, VK_ESCAPE, 0);
        WaitResponsive(dialog_);
        EXPECT_TRUE(IsWindow(dialog_)) << field;
    }

    DropIntoDialog({PathIn(L"second.exe")}, kEdit2, kEdit4);  // only the first file counts
    const std::wstring tool = PathIn(L"tools\\t.exe");
    std::string error;
    ASSERT_TRUE(DropFiles(*zarv_, dir(), dialog_, {PathIn(L"café.exe")}, &error)) << error;
    auto box = WaitMessageBox(pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.rfind(L"[ファイル]に", 0), 0u) << ToAnsi(box->text);
    AnswerBox(box->window);
    EXPECT_EQ(TextOfControl(Item(kEdit2)), tool);

    Type(kEdit1, L"café");
    EXPECT_EQ(DialogOk().rfind(L"[コマンド]に", 0), 0u);
    Type(kEdit1, L"ok");
    Type(kEdit3, std::wstring(255, L'o'));
    EXPECT_EQ(DialogOk().rfind(L"[オプション]が長すぎます", 0), 0u);
    EXPECT_EQ(RowCount(list_), 1);
    PostMessageW(Item(kEdit3), WM_KEYDOWN, VK_ESCAPE, 0);  // Escape in the options field cancels
    EXPECT_TRUE(WaitGone(L"TSetCommandForm"));
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    PressKey(VK_ESCAPE);  // and in the name field
    EXPECT_TRUE(WaitGone(L"TSetCommandForm"));
    ASSERT_TRUE(KeyToDialog(VK_INSERT));
    Press({MOD_SHIFT, VK_TAB});  // back to Cancel, which Enter then presses
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Item(IDCANCEL); }));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitGone(L"TSetCommandForm"));
    EXPECT_EQ(RowCount(list_), 1);
    CloseEditor(VK_ESCAPE);
}

TEST_F(CommandEditor, AnUnreadableFileIsKeptAsBakWhenTheEditorSaves) {
    const std::string unknown = "ZARV Head Version 9.99\xFF\x02\x01x";
    ASSERT_TRUE(WriteBytes(PathIn(L"Command.DAT"), unknown));
    ASSERT_TRUE(StartResident());
    ASSERT_TRUE(OpenEditor());
    CloseEditor(VK_ESCAPE);
    EXPECT_EQ(ReadBytes(PathIn(L"Command.DAT.bak")), unknown);
    EXPECT_EQ(File(), CommandFile({}));
}

// Held by another program at start-up, the file is read again once it is free: the bar gets its
// names without any action (the hotkey file's own case is in held_file_test.cpp).
TEST_F(CommandEditor, AFileHeldAtStartUpGivesTheBarItsNamesOnceFree) {
    WriteCommands({kA});
    Process holder = HoldFile(PathIn(L"Command.DAT"), 3000);
    ASSERT_TRUE(holder);
    zarv_ = &StartZarv();
    main_ = WaitMainWindow(zarv_->pid());
    auto box = WaitMessageBox(pid());
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(L"Command.DAT"), std::wstring::npos) << box->text;
    ASSERT_TRUE(AnswerBox(box->window));
    EXPECT_TRUE(WaitUntil([&] { return BarNames() == Cells{L"a"}; }, 15000));
}

// The hot key opens the command editor over the hotkey editor: closing it leaves the icon deaf
// and the hotkey editor usable until that one closes too.
TEST_F(CommandEditor, OverTheHotkeyEditorItLeavesTheIconDeafUntilBothHaveClosed) {
    ASSERT_TRUE(Start({kA}));
    PostMessageW(main_, WM_COMMAND, kHotkeySettingsId, 0);
    HWND hotkeyEditor = WaitWindow(L"TSettingForm");
    ASSERT_TRUE(hotkeyEditor);
    Press(kEditorKey);
    ASSERT_TRUE(WaitEditor());
    CloseEditor(VK_ESCAPE);
    HWND owner = GetWindow(hotkeyEditor, GW_OWNER);
    EXPECT_NE(owner, main_) << "the editors are owned by the hidden application window";
    EXPECT_FALSE(GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the hotkey editor is still modal";
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    EXPECT_FALSE(MenuOpens(pid(), 1000)) << "the icon answers while the hotkey editor is open";

    PostMessageW(hotkeyEditor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(L"TSettingForm"));
    WaitResponsive(main_);
    ASSERT_TRUE(ClickIcon(main_, WM_RBUTTONDOWN));
    EXPECT_TRUE(MenuOpens(pid())) << "the icon stays deaf after both editors";
    CloseMenus(pid());
}

}  // namespace
}  // namespace e2e
