#pragma once
// The control ids of the entry dialogs and the key picker, shared with the tests that drive them.

namespace zarv {

// The hotkey entry dialog `TSetKey_Form`.
namespace hotkey_dialog {
enum ControlId : int {
    kKList1 = 101,
    kKList2,
    kCallVK,
    kEdit1,
    kEdit2,
    kBtnSel1,
    kEdit3,
    kEdit4,
    kBtnSel2,
    kCheckBox1,
    kCheckBox2,
    kFList,
    kLabel4,
    kKeyNote,  // the note on a combination that would not work
};
}  // namespace hotkey_dialog

// The command entry dialog `TSetCommandForm`.
namespace command_dialog {
enum ControlId : int { kEdit1 = 101, kEdit2, kEdit3, kEdit4, kBtnSel1, kBtnSel2 };
}  // namespace command_dialog

// The key picker `TVirualKeybord`: key k of its keyboard has the id kFirstKeyId + k.
namespace key_picker {
constexpr int kFirstKeyId = 1000;
constexpr int kKeyNote = 998;  // the note on the clicked key's combination
constexpr int kSelectKeys = 999;
}  // namespace key_picker

}  // namespace zarv
