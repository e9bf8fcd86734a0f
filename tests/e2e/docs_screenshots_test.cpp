// Not a test: opens the windows the README shows, as they are shown there, and asks
// scripts/screenshots.sh (which runs these disabled cases) to take each picture. A request is the
// file <name>.rect in $ZARV_SHOT_DIR, with the part of the screen to take; <name>.done answers it.
#include "core/function_numbers.h"
#include "editor_fixture.h"
#include "settings/control_ids.h"

namespace e2e {
namespace {

using namespace ui;
using namespace zarv::hotkey_dialog;

// The folder of the requests, as the program sees it (Wine's Z: is the root of the Linux files).
std::wstring ShotFolder() {
    wchar_t unix[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"ZARV_SHOT_DIR", unix, MAX_PATH)) return {};
    std::wstring folder = L"Z:";
    for (const wchar_t* p = unix; *p; ++p) folder += *p == L'/' ? L'\\' : *p;
    return folder;
}

// Asks for a picture of part of the screen and waits until it is taken.
void Shoot(const wchar_t* name, RECT part) {
    const std::wstring folder = ShotFolder();
    ASSERT_FALSE(folder.empty()) << "ZARV_SHOT_DIR is not set: run scripts/screenshots.sh";
    Sleep(300);  // everything painted
    const std::wstring rect = folder + L"\\" + name + L".rect";
    const std::string text = std::to_string(part.left) + " " + std::to_string(part.top) + " " +
                             std::to_string(part.right) + " " + std::to_string(part.bottom) + "\n";
    ASSERT_TRUE(WriteBytes(rect + L".tmp", text));
    ASSERT_TRUE(MoveFileExW((rect + L".tmp").c_str(), rect.c_str(), MOVEFILE_REPLACE_EXISTING));
    const std::wstring done = folder + L"\\" + name + L".done";
    EXPECT_TRUE(WaitUntil(
        [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000))
        << "no picture taken of " << ToAnsi(name);
}

class DISABLED_DocsScreenshots : public ListEditorTest {
protected:
    DISABLED_DocsScreenshots()
        : ListEditorTest(L"TSettingForm", L"TSetKey_Form", kHotkeySettingsId, L"Hotkey.DAT") {}
};

TEST_F(DISABLED_DocsScreenshots, CommandBarEditorDialogAndKeyPicker) {
    constexpr std::uint8_t kCtrlAlt = MOD_CONTROL | MOD_ALT, kCtrlShift = MOD_CONTROL | MOD_SHIFT;
    const std::string windows = "C:\\windows\\";
    WriteHotkeys({
        {ToAnsi(L"メモ帳"), windows + "notepad.exe", "", windows, "Ctrl + Alt + N", kCtrlAlt, 'N',
         0},
        {ToAnsi(L"レジストリ"), windows + "regedit.exe", "/m", "", "Ctrl + Alt + R", kCtrlAlt, 'R',
         0},
        {ToAnsi(L"古いツール"), "C:\\Tools\\old.exe", "-q", "C:\\Tools\\", "Ctrl + Alt + O",
         kCtrlAlt, 'O', 0},
        {ToAnsi(L"ZARV のページ"), "https://zarv.example.org/", "", "", "Win + Z", MOD_WIN, 'Z',
         255},
        {ToAnsi(L"日時の表示"), "", "", "", "Ctrl + Shift + Num 7", kCtrlShift, 103,
         zarv::kFuncDateAndTime},
        {ToAnsi(L"ホットキーの設定"), "", "", "", "Ctrl + Shift + E", kCtrlShift, 'E',
         zarv::kFuncHotkeyEditor},
    });
    ASSERT_TRUE(StartResident());
    const int dpi = ScreenDpi();

    // The command bar with a command line typed into it, on the desktop.
    MovePointer(Scaled(420, dpi), Scaled(200, dpi));
    PostMessageW(main_, WM_COMMAND, kCommandBarId, 0);
    ASSERT_TRUE(WaitBarShown(main_));
    TypeText(L"notepad C:\\memo.txt");
    Shoot(L"command-bar", RectOf(main_));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitBarHidden(main_));

    // The hotkey editor with its rows, the first one selected.
    MovePointer(Scaled(700, dpi), Scaled(500, dpi));
    ASSERT_TRUE(OpenEditor());
    ASSERT_TRUE(SelectRow(list_, 0));
    Shoot(L"hotkey-editor", RectOf(editor_));

    // The entry dialog on the first row, and the key picker with a key of the keypad chosen.
    ASSERT_TRUE(KeyToDialog(VK_SPACE));
    Shoot(L"hotkey-dialog", RectOf(dialog_));
    Click(dialog_, kCallVK);
    HWND picker = WaitWindow(L"TVirualKeybord");
    ASSERT_TRUE(picker);
    HWND numpad7 = nullptr;  // the lower of the two keys captioned 7
    for (HWND b = nullptr; (b = FindWindowExW(picker, b, L"Button", L"7"));)
        if (!numpad7 || RectOf(b).top > RectOf(numpad7).top) numpad7 = b;
    ASSERT_TRUE(numpad7);
    Send(picker, GetDlgCtrlID(numpad7));
    Shoot(L"key-picker", RectOf(picker));
    Click(picker, IDCANCEL);
    Click(dialog_, IDCANCEL);
    CloseEditor(VK_ESCAPE);
}

}  // namespace
}  // namespace e2e
