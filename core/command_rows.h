#pragma once
// The rows of the command list editor: its working copy of CommandList while it is open. The
// table on the screen shows these rows; the entry dialog's result is checked against them and
// written into them, and OK turns them back into the list.
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/data_file.h"
#include "core/records.h"
#include "core/text.h"

namespace zarv {

using CommandRows = std::vector<TCommandItem>;

// Entry-dialog mode: a new row, or the position of the edited row.
constexpr int kAddRow = -1;

// Whether two command names are the same name once the data file has stored them: compared by
// same (the command bar's comparison, letter case ignored) after the file's own trimming, so
// "mail " and " MAIL" are the name "Mail" for the command bar of the next start-up. A blank
// that is not a byte of code 32 or less (the full-width one) is a character like any other.
template <typename Same>
bool SameStoredName(std::string_view a, std::string_view b, const CodePage& cp, Same same) {
    return same(StoredText(a, cp), StoredText(b, cp));
}

// Position of the first row whose name is name by SameStoredName; -1 when there is none.
template <typename Same>
int FindRowName(const CommandRows& rows, std::string_view name, const CodePage& cp, Same same) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (SameStoredName(rows[i].Name, name, cp, same)) return static_cast<int>(i);
    return -1;
}

// The name test of the entry dialog's OK. Adding refuses a name that a row of the table holds
// now, so every command stays reachable from the command bar by its name (rows added or
// renamed in this opening count, deleted ones do not). Editing takes any name.
template <typename Same>
bool NameRefused(const CommandRows& rows, int mode, std::string_view name, const CodePage& cp,
                 Same same) {
    return mode == kAddRow && FindRowName(rows, name, cp, same) >= 0;
}

// Writes row into rows: appended in add mode, over row mode otherwise. False (and nothing
// written) for a position that is not a row.
bool PutRow(CommandRows& rows, int mode, const TCommandItem& row);

// The rows as CommandList: the same order, each text cut to its first kMaxFieldBytes bytes
// without splitting a double-byte character.
std::vector<TCommandItem> CommandListFromRows(const CommandRows& rows, const CodePage& cp);

}  // namespace zarv
