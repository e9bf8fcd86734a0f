#include "core/tables.h"

#include <array>
#include <iterator>

#include "core/function_numbers.h"

namespace zarv {

NameValueTable ModifierList;
NameValueTable KeyList;
NameValueTable FunctionList;

namespace {

// Sums of MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8. Alt alone and Shift alone are
// deliberately absent.
constexpr TableRow kModifierRows[] = {
    {"Ctrl", 2},
    {"Ctrl + Alt", 3},
    {"Ctrl + Shift", 6},
    {"Win", 8},
    {"Win + Alt", 9},
    {"Win + Ctrl", 10},
    {"Win + Shift", 12},
    {"Alt + Shift", 5},
    {"Ctrl + Shift + Alt", 7},
    {"Ctrl + Shift + Win", 14},
    {"Ctrl + Alt + Win", 11},
    {"Shift + Alt + Win", 13},
    {"Ctrl + Alt + Shift + Win", 15},
};

// Virtual-key codes of the keys as they lie on a Japanese keyboard.
constexpr TableRow kKeyRows[] = {
    {"1", 49},    {"2", 50},   {"3", 51},     {"4", 52},     {"5", 53},      {"6", 54},
    {"7", 55},    {"8", 56},   {"9", 57},     {"0", 48},

    {"A", 65},    {"B", 66},   {"C", 67},     {"D", 68},     {"E", 69},      {"F", 70},
    {"G", 71},    {"H", 72},   {"I", 73},     {"J", 74},     {"K", 75},      {"L", 76},
    {"M", 77},    {"N", 78},   {"O", 79},     {"P", 80},     {"Q", 81},      {"R", 82},
    {"S", 83},    {"T", 84},   {"U", 85},     {"V", 86},     {"W", 87},      {"X", 88},
    {"Y", 89},    {"Z", 90},

    {"-", 189},   {"^", 222},  {"\\", 220},   {"@", 192},    {"[", 219},     {";", 187},
    {":", 186},   {"]", 221},  {",", 188},    {".", 190},    {"/", 191},     {"_", 226},

    {"ESC", 27},  {"TAB", 9},  {"ENTER", 13}, {"SPACE", 32}, {"BS", 8},      {"無変換", 29},
    {"変換", 28},

    {"F1", 112},  {"F2", 113}, {"F3", 114},   {"F4", 115},   {"F5", 116},    {"F6", 117},
    {"F7", 118},  {"F8", 119}, {"F9", 120},   {"F10", 121},  {"F11", 122},   {"F12", 123},

    {"Ins", 45},  {"Del", 46}, {"Home", 36},  {"End", 35},   {"PageUp", 33}, {"PageDown", 34},
};

// The internal functions by name and number.
constexpr auto kFunctionRows = [] {
    std::array<TableRow, std::size(kInternalFunctions)> rows{};
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = {kInternalFunctions[k].Name.data(), kInternalFunctions[k].Number};
    return rows;
}();

static_assert(std::size(kModifierRows) == 13);
static_assert(std::size(kKeyRows) == 73);
static_assert(kFunctionRows.size() == 14);

}  // namespace

int NameValueTable::IndexOfValue(int value) const {
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        if (rows_[k].Value == value) return static_cast<int>(k);
    }
    return -1;
}

void CreateTables() {
    ModifierList.Fill(kModifierRows, std::size(kModifierRows));
    KeyList.Fill(kKeyRows, std::size(kKeyRows));
    FunctionList.Fill(kFunctionRows.data(), kFunctionRows.size());
}

void ReleaseTables() {
    ModifierList.Clear();
    KeyList.Clear();
    FunctionList.Clear();
}

}  // namespace zarv
