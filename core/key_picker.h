#pragma once
// The keys of the on-screen key picker: a Japanese (JIS) keyboard as a grid of buttons.
#include <cstddef>
#include <string_view>

namespace zarv {

struct PickerKey {
    int Left, Top, Width, Height;  // client coordinates of the button
    std::string_view Caption;      // drawn on the button (UTF-8)
    std::string_view Name;         // what the picker reports (UTF-8)
    int Code;                      // Windows virtual-key code
};

// The 92 keys, row by row from the top, left to right. There are no keys for Shift, Ctrl, Alt
// and Win: the modifiers are chosen elsewhere.
const PickerKey* PickerKeys();
constexpr std::size_t kPickerKeyCount = 92;

}  // namespace zarv
