#include "core/hotkey_rows.h"

namespace zarv {

namespace {

constexpr std::string_view kKeySeparator = " + ";

}  // namespace

std::vector<HotkeyRow> MakeHotkeyRows(const std::vector<THotkeyItem>& list) {
    std::vector<HotkeyRow> rows(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) rows[i].Item = list[i];
    return rows;
}

std::vector<THotkeyItem> RowsToList(const std::vector<HotkeyRow>& rows) {
    std::vector<THotkeyItem> list;
    list.reserve(rows.size());
    for (const HotkeyRow& row : rows) list.push_back(row.Item);
    return list;
}

bool IsStruckOut(HotkeyRow& row,
                 const std::function<std::optional<bool>(const std::string&)>& isExistingFile) {
    if (row.Item.FuncNo != kFuncProgram) return false;
    if (row.FileState == HotkeyRow::File::Unknown)
        if (std::optional<bool> exists = isExistingFile(row.Item.FilePath))
            row.FileState = *exists ? HotkeyRow::File::Present : HotkeyRow::File::Missing;
    return row.FileState == HotkeyRow::File::Missing;
}

bool IsKeyTaken(const std::vector<HotkeyRow>& rows, int modifiers, int vkey) {
    const auto mod = static_cast<std::uint8_t>(modifiers);
    const auto key = static_cast<std::uint8_t>(vkey);
    for (const HotkeyRow& row : rows)
        if (row.Item.Modifiers == mod && row.Item.VKey == key) return true;
    return false;
}

std::string JoinKeyText(std::string_view modifier, std::string_view key) {
    std::string text(modifier);
    text += kKeySeparator;
    text += key;
    return text;
}

// The separator's bytes are below 0x40, so in Shift-JIS they are never the trail byte of a
// double-byte character: a plain byte search is safe.
KeyTextParts SplitKeyText(std::string_view keyText) {
    const std::size_t at = keyText.rfind(kKeySeparator);
    if (at == std::string_view::npos) return {std::string(), std::string(keyText)};
    return {std::string(keyText.substr(0, at)),
            std::string(keyText.substr(at + kKeySeparator.size()))};
}

}  // namespace zarv
