#pragma once
// The fixture of the list-editor tests: starts the program, opens an editor, drives its table and
// its entry dialog as a user does (keys on the table, typed fields, clicks on buttons, answers to
// boxes) and reads back rows, boxes and the data file.
#include "ui_helpers.h"
#include "zarv_fixture.h"

namespace e2e {

using Cells = std::vector<std::wstring>;

class ListEditorTest : public ZarvTest {
protected:
    // editor and dialog: the window classes; openId: the tray-menu command that opens the
    // editor; file: its data file.
    ListEditorTest(const wchar_t* editor, const wchar_t* dialog, UINT openId, const wchar_t* file)
        : editorClass_(editor), dialogClass_(dialog), openId_(openId), file_(file) {}

    HWND StartResident(const std::wstring& args = {}) {
        zarv_ = &StartZarv(args);
        main_ = WaitResident(*zarv_);
        return main_;
    }
    DWORD pid() const { return zarv_->pid(); }

    // The visible top-level window of class cls, waited for; null when none comes.
    HWND WaitWindow(const wchar_t* cls) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND w : TopLevelWindows(pid(), cls))
                if (IsWindowVisible(w)) found = w;
            return found != nullptr;
        });
        return found;
    }
    bool WaitGone(const wchar_t* cls) {
        return WaitUntil([&] { return TopLevelWindows(pid(), cls).empty(); });
    }

    // Opens the editor through the tray menu's item; its table, with the keyboard, or null.
    HWND OpenEditor() {
        PostMessageW(main_, WM_COMMAND, openId_, 0);
        return WaitEditor();
    }
    HWND WaitEditor() {
        editor_ = WaitWindow(editorClass_);
        list_ = editor_ ? FindWindowExW(editor_, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
        if (!list_ || !WaitUntil([&] { return GetForegroundWindow() == editor_; })) {
            ADD_FAILURE() << "the editor did not come up with the keyboard";
            return nullptr;
        }
        return list_;
    }

    // Presses a key on the table and waits for the entry dialog it opens.
    HWND KeyToDialog(UINT vk) {
        // A dialog just cancelled may still be closing: the new one is another window.
        if (dialog_) WaitUntil([&] { return !IsWindow(dialog_); });
        ui::PressKey(vk);
        dialog_ = WaitWindow(dialogClass_);
        if (!dialog_) ADD_FAILURE() << "no entry dialog";
        return dialog_;
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    // The control with the keyboard focus in the program.
    HWND Focus() {
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
        return info.hwndFocus;
    }
    void Click(HWND window, int id) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        WaitResponsive(window);
    }
    // A click whose effect is done when it returns: for buttons that open no window or box.
    void Send(HWND window, int id) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    void Type(int field, const std::wstring& text) {
        SendMessageW(Item(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Drops files (the first in the folder "tools") on the dialog and says yes to the question
    // that follows: the first file goes into fileField, its folder into folderField.
    void DropIntoDialog(std::vector<std::wstring> files, int fileField, int folderField) {
        std::string error;
        const std::wstring tool = PathIn(L"tools\\t.exe");
        files.insert(files.begin(), tool);
        ASSERT_TRUE(ui::DropFiles(*zarv_, dir(), dialog_, files, &error)) << error;
        auto box = WaitMessageBox(pid());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"作業フォルダを設定しますか？");
        AnswerBox(box->window, IDYES);
        EXPECT_EQ(ui::TextOfControl(Item(fileField)), tool);
        EXPECT_EQ(ui::TextOfControl(Item(folderField)), PathIn(L"tools\\"));
    }
    // OK in the dialog; the text of the box it shows (the box answered), or "" when it closed.
    std::wstring DialogOk() {
        Click(dialog_, IDOK);
        std::wstring text;
        WaitUntil([&] {
            if (auto box = MessageBoxes(pid()); !box.empty()) {
                text = box.front().text;
                EXPECT_EQ(box.front().caption, L"ZARV");
                AnswerBox(box.front().window);
                return true;
            }
            return TopLevelWindows(pid(), dialogClass_).empty();
        });
        return text;
    }
    // Delete on the selected row, answered with yes or no.
    void DeleteRow(int row, int answer) {
        ASSERT_TRUE(ui::SelectRow(list_, row));
        ui::PressKey(VK_DELETE);
        auto box = WaitMessageBox(pid());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"確認");
        EXPECT_EQ(box->text, L"このアイテムを削除してもよろしいですか？");
        // The same words on a system of any language.
        EXPECT_EQ(ui::TextOfControl(GetDlgItem(box->window, IDYES)), L"はい(&Y)");
        EXPECT_EQ(ui::TextOfControl(GetDlgItem(box->window, IDNO)), L"いいえ(&N)");
        EXPECT_TRUE(AnswerBox(box->window, answer));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor_; }));
    }
    // Enter or Escape on the table; waits until the editor is gone and the program idle.
    void CloseEditor(UINT vk) {
        ui::PressKey(vk);
        EXPECT_TRUE(WaitGone(editorClass_));
        WaitResponsive(main_);
        // The window under the pointer has changed: let it catch up before chords are pressed.
        POINT at{};
        GetCursorPos(&at);
        ui::MovePointer(at.x, at.y);
    }
    std::string File() { return ReadBytes(PathIn(file_)).value_or("<none>"); }

    Process* zarv_ = nullptr;
    HWND main_ = nullptr, editor_ = nullptr, list_ = nullptr, dialog_ = nullptr;

private:
    const wchar_t* editorClass_;
    const wchar_t* dialogClass_;
    UINT openId_;
    const wchar_t* file_;
};

}  // namespace e2e
