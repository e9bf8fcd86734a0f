#pragma once
// The rows of the command list editor: its working copy of CommandList while it is open. The
// table on the screen shows these rows; the entry dialog's result is checked against them and
// written into them, and OK turns them back into the list.
#include <cstddef>
#include <string_view>
#include <vector>

#include "records.h"
#include "text.h"

namespace zarv {

using CommandRows = std::vector<TCommandItem>;

// Entry-dialog mode: a new row, or the position of the edited row.
constexpr int kAddRow = -1;

// Position of the first row whose name equals name under same (the command bar's own
// comparison, letter case ignored); -1 when there is none.
template <typename Same>
int FindRowName(const CommandRows& rows, std::string_view name, Same same) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (same(std::string_view(rows[i].Name), name)) return static_cast<int>(i);
    return -1;
}

// The name test of the entry dialog's OK. Adding refuses a name that a row of the table holds
// now, so every command stays reachable from the command bar by its name (rows added or
// renamed in this opening count, deleted ones do not). Editing takes any name.
template <typename Same>
bool NameRefused(const CommandRows& rows, int mode, std::string_view name, Same same) {
    return mode == kAddRow && FindRowName(rows, name, same) >= 0;
}

// Writes row into rows: appended in add mode, over row mode otherwise. False (and nothing
// written) for a position that is not a row.
bool PutRow(CommandRows& rows, int mode, const TCommandItem& row);

// The rows as CommandList: the same order, each text cut to its first kMaxFieldBytes bytes
// without splitting a double-byte character.
std::vector<TCommandItem> CommandListFromRows(const CommandRows& rows, const CodePage& cp);

}  // namespace zarv
