#include "core/key_picker.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace zarv {

namespace {

// Left, top, width, height, caption, reported name, virtual-key code. Most keys are 25 x 17.
constexpr PickerKey kKeys[] = {
    // Row at 8.
    {8, 8, 33, 17, "ESC", "ESC", 27},
    {64, 8, 25, 17, "F1", "F1", 112},
    {88, 8, 25, 17, "F2", "F2", 113},
    {112, 8, 25, 17, "F3", "F3", 114},
    {136, 8, 25, 17, "F4", "F4", 115},
    {168, 8, 25, 17, "F5", "F5", 116},
    {192, 8, 25, 17, "F6", "F6", 117},
    {216, 8, 25, 17, "F7", "F7", 118},
    {240, 8, 25, 17, "F8", "F8", 119},
    {272, 8, 25, 17, "F9", "F9", 120},
    {296, 8, 25, 17, "F10", "F10", 121},
    {320, 8, 25, 17, "F11", "F11", 122},
    {344, 8, 25, 17, "F12", "F12", 123},
    // Row at 32.
    {32, 32, 25, 17, "1", "1", 49},
    {56, 32, 25, 17, "2", "2", 50},
    {80, 32, 25, 17, "3", "3", 51},
    {104, 32, 25, 17, "4", "4", 52},
    {128, 32, 25, 17, "5", "5", 53},
    {152, 32, 25, 17, "6", "6", 54},
    {176, 32, 25, 17, "7", "7", 55},
    {200, 32, 25, 17, "8", "8", 56},
    {224, 32, 25, 17, "9", "9", 57},
    {248, 32, 25, 17, "0", "0", 48},
    {272, 32, 25, 17, "-", "-", 189},
    {296, 32, 25, 17, "^", "^", 222},
    {320, 32, 25, 17, "\\", "\\", 220},
    {344, 32, 33, 17, "BS", "BS", 8},
    {376, 32, 33, 17, "Ins", "Ins", 45},
    {408, 32, 33, 17, "Home", "Home", 36},
    {440, 32, 33, 17, "Up", "PageUp", 33},
    {472, 32, 49, 17, "/", "Num /", 111},
    {520, 32, 49, 17, "*", "Num *", 106},
    // Row at 48.
    {8, 48, 41, 17, "TAB", "TAB", 9},
    {48, 48, 25, 17, "Q", "Q", 81},
    {72, 48, 25, 17, "W", "W", 87},
    {96, 48, 25, 17, "E", "E", 69},
    {120, 48, 25, 17, "R", "R", 82},
    {144, 48, 25, 17, "T", "T", 84},
    {168, 48, 25, 17, "Y", "Y", 89},
    {192, 48, 25, 17, "U", "U", 85},
    {216, 48, 25, 17, "I", "I", 73},
    {240, 48, 25, 17, "O", "O", 79},
    {264, 48, 25, 17, "P", "P", 80},
    {288, 48, 25, 17, "@", "@", 192},
    {312, 48, 25, 17, "[", "[", 219},
    {344, 48, 33, 33, "Enter", "ENTER", 13},
    {376, 48, 33, 17, "Del", "Del", 46},
    {408, 48, 33, 17, "End", "End", 35},
    {440, 48, 33, 17, "Down", "PageDown", 34},
    {472, 48, 25, 17, "7", "Num 7", 103},
    {496, 48, 25, 17, "8", "Num 8", 104},
    {520, 48, 25, 17, "9", "Num 9", 105},
    {544, 48, 25, 33, "-", "Num -", 109},
    // Row at 64.
    {56, 64, 25, 17, "A", "A", 65},
    {80, 64, 25, 17, "S", "S", 83},
    {104, 64, 25, 17, "D", "D", 68},
    {128, 64, 25, 17, "F", "F", 70},
    {152, 64, 25, 17, "G", "G", 71},
    {176, 64, 25, 17, "H", "H", 72},
    {200, 64, 25, 17, "J", "J", 74},
    {224, 64, 25, 17, "K", "K", 75},
    {248, 64, 25, 17, "L", "L", 76},
    {272, 64, 25, 17, ";", ";", 187},
    {296, 64, 25, 17, ":", ":", 186},
    {320, 64, 25, 17, "]", "]", 221},
    {472, 64, 25, 17, "4", "Num 4", 100},
    {496, 64, 25, 17, "5", "Num 5", 101},
    {520, 64, 25, 17, "6", "Num 6", 102},
    // Row at 80.
    {72, 80, 25, 17, "Z", "Z", 90},
    {96, 80, 25, 17, "X", "X", 88},
    {120, 80, 25, 17, "C", "C", 67},
    {144, 80, 25, 17, "V", "V", 86},
    {168, 80, 25, 17, "B", "B", 66},
    {192, 80, 25, 17, "N", "N", 78},
    {216, 80, 25, 17, "M", "M", 77},
    {240, 80, 25, 17, ",", ",", 188},
    {264, 80, 25, 17, ".", ".", 190},
    {288, 80, 25, 17, "/", "/", 191},
    {312, 80, 25, 17, "_", "_", 226},
    {408, 80, 25, 17, "↑", "↑", 38},
    {472, 80, 25, 17, "1", "Num 1", 97},
    {496, 80, 25, 17, "2", "Num 2", 98},
    {520, 80, 25, 17, "3", "Num 3", 99},
    {544, 80, 25, 33, "+", "Num +", 107},
    // Row at 96.
    {104, 96, 33, 17, "無変", "無変換", 29},
    {136, 96, 97, 17, "SPACE", "SPACE", 32},
    {232, 96, 33, 17, "変換", "変換", 28},
    {384, 96, 25, 17, "←", "←", 37},
    {408, 96, 25, 17, "↓", "↓", 40},
    {432, 96, 25, 17, "→", "→", 39},
    {472, 96, 49, 17, "0", "Num 0", 96},
    {520, 96, 25, 17, ".", "Num .", 110},
};

static_assert(std::size(kKeys) == kPickerKeyCount);

}  // namespace

const PickerKey* PickerKeys() { return kKeys; }

std::string PickerKeyFullName(const PickerKey& key) {
    struct Full {
        std::string_view name, full;
    };
    static constexpr Full kFull[] = {
        {"ESC", "Esc"},        {"BS", "Backspace"},       {"Ins", "Insert"},   {"Del", "Delete"},
        {"PageUp", "Page Up"}, {"PageDown", "Page Down"}, {"TAB", "Tab"},      {"ENTER", "Enter"},
        {"SPACE", "Space"},    {"↑", "上方向キー"},       {"↓", "下方向キー"}, {"←", "左方向キー"},
        {"→", "右方向キー"},
    };
    const std::string_view name = key.Name;
    for (const Full& f : kFull)
        if (name == f.name) return std::string(f.full);
    constexpr std::string_view kKeypad = "Num ";
    if (name.substr(0, kKeypad.size()) == kKeypad)
        return "テンキー " + std::string(name.substr(kKeypad.size()));
    return std::string(name);
}

namespace {

// How far apart two keys' spans are across the direction of a move: 0 when they overlap by more
// than the one pixel neighbouring keys share, else the distance of their centres (doubled).
int Across(int start1, int length1, int start2, int length2) {
    const int overlap = std::min(start1 + length1, start2 + length2) - std::max(start1, start2);
    if (overlap >= 2) return 0;
    return std::abs((2 * start1 + length1) - (2 * start2 + length2));
}

}  // namespace

std::size_t NeighbourKey(std::size_t from, PickerMove move) {
    const PickerKey& a = kKeys[from];
    std::size_t best = from;
    long bestCost = 0, bestCentre = 0;
    for (std::size_t k = 0; k < kPickerKeyCount; ++k) {
        const PickerKey& b = kKeys[k];
        int along = 0, across = 0, centre = 0;  // distances in pixels, centres doubled
        switch (move) {
            case PickerMove::Right:
            case PickerMove::Left: {
                // Keys of the row only: the spans overlap by more than a shared edge.
                if (Across(a.Top, a.Height, b.Top, b.Height) != 0) continue;
                const bool right = move == PickerMove::Right;
                if (right ? b.Left < a.Left + a.Width - 1 : b.Left + b.Width > a.Left + 1) continue;
                along = right ? b.Left - (a.Left + a.Width) : a.Left - (b.Left + b.Width);
                centre = std::abs((2 * a.Top + a.Height) - (2 * b.Top + b.Height));
                break;
            }
            case PickerMove::Down:
            case PickerMove::Up: {
                const bool down = move == PickerMove::Down;
                if (down ? b.Top < a.Top + a.Height - 1 : b.Top + b.Height > a.Top + 1) continue;
                along = down ? b.Top - (a.Top + a.Height) : a.Top - (b.Top + b.Height);
                across = Across(a.Left, a.Width, b.Left, b.Width);
                centre = std::abs((2 * a.Left + a.Width) - (2 * b.Left + b.Width));
                break;
            }
        }
        // A key off to the side counts as farther away by its offset.
        const long cost = std::max(along, 0) + static_cast<long>(across);
        if (best == from || cost < bestCost || (cost == bestCost && centre < bestCentre)) {
            best = k;
            bestCost = cost;
            bestCentre = centre;
        }
    }
    return best;
}

}  // namespace zarv
