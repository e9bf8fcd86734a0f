#pragma once
// The keys of the on-screen key picker: a Japanese (JIS) keyboard as a grid of buttons.
#include <cstddef>
#include <string>
#include <string_view>

namespace zarv {

// Small members: the table of 92 keys is a third of its size with them.
struct PickerKey {
    short Left, Top, Width, Height;  // client coordinates of the button
    const char* Caption;             // drawn on the button (UTF-8)
    const char* Name;                // what the picker reports (UTF-8)
    int Code;                        // Windows virtual-key code
};

// The 92 keys, row by row from the top, left to right. There are no keys for Shift, Ctrl, Alt
// and Win: the modifiers are chosen elsewhere.
const PickerKey* PickerKeys();
constexpr std::size_t kPickerKeyCount = 92;

// The key's name in full, as a screen reader reads it (UTF-8): "Page Up" for the key drawn "Up",
// "テンキー 7" for the keypad's 7; the reported name where that is whole already.
std::string PickerKeyFullName(const PickerKey& key);

enum class PickerMove { Left, Right, Up, Down };

// The key next to key `from` in that direction by the keys' places on the keyboard: of the keys
// lying that way (across the row for Left and Right, in the rows above or below for Up and Down),
// the nearest, a key straight in line before one off to the side; `from` itself when none lies
// that way.
std::size_t NeighbourKey(std::size_t from, PickerMove move);

}  // namespace zarv
