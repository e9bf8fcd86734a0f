#pragma once
// The rows of the hotkey list editor: its working copy of HotkeyList while it is open.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace zarv {

// One row: the entry, and whether its file was found. The file is looked for once per row (when
// the row is first drawn after being made or changed), never on every paint.
struct HotkeyRow {
    enum class File : std::uint8_t { Unknown, Present, Missing };

    THotkeyItem Item;
    File FileState = File::Unknown;

    // Replaces the entry; its file is looked for again.
    void Set(const THotkeyItem& item) {
        Item = item;
        FileState = File::Unknown;
    }
};

// One row per entry, in list order.
std::vector<HotkeyRow> MakeHotkeyRows(const std::vector<THotkeyItem>& list);

// The list the rows stand for, in row order.
std::vector<THotkeyItem> RowsToList(const std::vector<HotkeyRow>& rows);

// A program entry whose file does not exist: drawn struck through in grey. URL and
// internal-function rows never are, whatever their file field holds. isExistingFile is asked until
// it knows for a row (it must be false for a folder); nothing: not yet known, not struck through.
bool IsStruckOut(HotkeyRow& row,
                 const std::function<std::optional<bool>(const std::string&)>& isExistingFile);

// True when a row already holds the combination: the low bytes of the modifier flags and the
// virtual-key code.
bool IsKeyTaken(const std::vector<HotkeyRow>& rows, int modifiers, int vkey);

// The shown key text: modifier name, " + ", key name ("Ctrl + Alt" and "A" give
// "Ctrl + Alt + A").
std::string JoinKeyText(std::string_view modifier, std::string_view key);

// Splits a key text at its last " + " (the key name never contains one, the modifier name may):
// "Ctrl + Num +" gives "Ctrl" and "Num +". A text without a separator is all key name.
struct KeyTextParts {
    std::string Modifier;
    std::string Key;
    bool operator==(const KeyTextParts&) const = default;
};
KeyTextParts SplitKeyText(std::string_view keyText);

}  // namespace zarv
