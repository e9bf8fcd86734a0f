#pragma once
// The hotkey entry dialog `TSetKey_Form`: one hotkey entry made (add mode) or changed (edit mode).
// The dialog checks everything before it hands the entry back; the editor that opened it applies
// it to its rows.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/hotkey_rows.h"
#include "core/records.h"
#include "settings/entry_dialog.h"
#include "settings/key_status.h"

namespace zarv {

class TSetKey_Form : public TEntryDialog {
public:
    // rows: the editor's rows, for the repeated-key test of add mode and the key note (in edit
    // mode the fields are filled from the row); keys: the resident program's knowledge of the
    // combinations, for the note. The dialog opens at the mouse pointer.
    TSetKey_Form(const std::vector<HotkeyRow>& rows, KeyStatus& keys, EntryMode mode,
                 ModalCounter* counter = nullptr);

    // After ShowModal: the entry confirmed with OK, or nothing after Cancel.
    const std::optional<THotkeyItem>& Result() const { return result_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    const wchar_t* FileLabel() const override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Fill(const THotkeyItem& entry);
    void KList1Change(HWND box);
    void CheckBox1Click();
    void CheckBox2Click();
    void SetUrlMode(bool url);
    void SetFunctionMode(bool function);
    void CallVKClick();
    // The one-line note under the key boxes: why the picked combination would not work.
    void UpdateKeyNote();
    void Btn_OKClick() override;
    // The keys of a box's edit part (the three boxes take no typing).
    static LRESULT CALLBACK KeyBoxEdit(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR self);
    void PickByInitial(HWND box, wchar_t initial);
    void ListOpened(HWND box);
    // Closes box's open list, taking its highlighted item or going back to the choice before.
    void CloseList(HWND box, bool take);

    const std::vector<HotkeyRow>& rows_;
    KeyStatus& keys_;
    HWND Label7 = nullptr;  // the key note
    HWND KList1 = nullptr, KList2 = nullptr, FList = nullptr;
    HWND Label4 = nullptr;
    HWND Btn_Sel1 = nullptr, Btn_Sel2 = nullptr;
    HWND CheckBox1 = nullptr, CheckBox2 = nullptr;
    // The numbers the three boxes carry besides their texts.
    int kList1Tag_ = 0, kList2Tag_ = 0, fListTag_ = 0;
    std::optional<THotkeyItem> result_;
    // A box as its list opened: its row, its text, the title and the numbers of the boxes.
    struct BoxChoice {
        HWND box = nullptr;
        int row = -1;
        std::wstring text, title;
        int kList1Tag = 0, kList2Tag = 0, fListTag = 0;
    } beforeList_;
};

}  // namespace zarv
