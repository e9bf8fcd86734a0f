// A data file that another program holds open while the launcher starts (a backup, sync or
// anti-virus tool at logon): it is read again once it is free, and never written over.
#include "editor_fixture.h"

namespace e2e {
namespace {

using namespace ui;

constexpr KeyCombo kKey1{MOD_CONTROL | MOD_SHIFT, '1'};

class HeldFile : public ListEditorTest {
protected:
    HeldFile()
        : ListEditorTest(L"TSettingForm", L"TSetKey_Form", kHotkeySettingsId, L"Hotkey.DAT") {}

    // Writes the hotkey file with one entry on kKey1 and has another program hold it for ms
    // milliseconds from now; the file's content.
    std::string WriteAndHold(DWORD ms) {
        HotkeyRecord entry = MarkerEntry(kKey1);
        entry.title = "marker";
        entry.key_text = "Ctrl + Shift + 1";
        WriteHotkeys({entry});
        const std::string content = File();
        holder_ = HoldFile(PathIn(L"Hotkey.DAT"), ms);
        EXPECT_TRUE(holder_) << "the file is not held";
        return content;
    }
    // Starts the program; the read-error box its start-up shows, left open.
    std::optional<MessageBoxInfo> StartWithReadError() {
        zarv_ = &StartZarv();
        main_ = WaitMainWindow(zarv_->pid());
        auto box = WaitMessageBox(zarv_->pid());
        if (box) EXPECT_NE(box->text.find(L"Hotkey.DAT"), std::wstring::npos) << box->text;
        return box;
    }
    std::optional<std::string> Backup() { return ReadBytes(PathIn(L"Hotkey.DAT.bak")); }

    Process holder_;
};

TEST_F(HeldFile, AFileFreedAfterStartUpIsReadAgainWithoutAnyActionAndKept) {
    const std::string real = WriteAndHold(6000);
    const DWORD start = GetTickCount();
    auto box = StartWithReadError();
    ASSERT_TRUE(box);
    // The box stays open: the file is read again on the clock meanwhile.
    EXPECT_TRUE(
        WaitUntil([] { return TryRegister(kKey1) == ERROR_HOTKEY_ALREADY_REGISTERED; }, 20000))
        << "the hot key of the file is not registered";
    EXPECT_LT(GetTickCount() - start, 20000u);
    ASSERT_TRUE(AnswerBox(box->window));
    EXPECT_TRUE(PressRunsMarker(kKey1, 1, ""));

    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(RowCaptions(list_), Cells{L"marker"});
    CloseEditor(VK_ESCAPE);
    EXPECT_EQ(File(), real);
    EXPECT_FALSE(Backup()) << "a file read whole needs no copy";

    // Read, the file leaves nothing on the clock: the program sleeps until it is asked, once its
    // work after start-up is done (the command bar's controls, made a moment after it).
    ASSERT_TRUE(WaitUntil([&] {
        return FindWindowExW(main_, nullptr, L"TPanel", nullptr) != nullptr;
    })) << "the command bar's controls were never made";
    std::string error;
    auto messages = QueuedMessages(zarv_->handle(), dir(), main_, 3000, &error);
    ASSERT_TRUE(messages) << error;
    EXPECT_EQ(messages->size(), 0u) << "first message 0x" << std::hex << messages->front();
}

TEST_F(HeldFile, AFileStillHeldWhenTheEditorOpensIsKeptAsBakBeforeItIsReplaced) {
    const std::string real = WriteAndHold(8000);
    auto box = StartWithReadError();
    ASSERT_TRUE(box);
    ASSERT_TRUE(AnswerBox(box->window));

    // The editor reads once more as it opens, and says so when that fails too.
    PostMessageW(main_, WM_COMMAND, kHotkeySettingsId, 0);
    box = WaitMessageBox(pid());
    ASSERT_TRUE(box) << "the editor's read showed no box";
    EXPECT_NE(box->text.find(L"Hotkey.DAT"), std::wstring::npos) << box->text;
    ASSERT_TRUE(AnswerBox(box->window));
    ASSERT_TRUE(WaitEditor());
    EXPECT_EQ(RowCount(list_), 0);

    // Free by now, and read fine: still it is kept before the empty list replaces it.
    ASSERT_TRUE(holder_.WaitExit(15000));
    CloseEditor(VK_ESCAPE);
    EXPECT_TRUE(MessageBoxes(pid()).empty());
    EXPECT_EQ(Backup(), real);
    EXPECT_EQ(File(), HotkeyFile({}));
    EXPECT_EQ(TryRegister(kKey1), 0u) << "Escape registers nothing";
}

}  // namespace
}  // namespace e2e
