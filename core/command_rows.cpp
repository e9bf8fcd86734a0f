#include "core/command_rows.h"

namespace zarv {

bool PutRow(CommandRows& rows, int mode, const TCommandItem& row) {
    if (mode == kAddRow) {
        rows.push_back(row);
        return true;
    }
    if (mode < 0 || static_cast<std::size_t>(mode) >= rows.size()) return false;
    rows[static_cast<std::size_t>(mode)] = row;
    return true;
}

std::vector<TCommandItem> CommandListFromRows(const CommandRows& rows, const CodePage& cp) {
    std::vector<TCommandItem> list(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        PutText(list[i].Name, rows[i].Name, cp);
        PutText(list[i].FilePath, rows[i].FilePath, cp);
        PutText(list[i].Options, rows[i].Options, cp);
        PutText(list[i].WorkDir, rows[i].WorkDir, cp);
    }
    return list;
}

}  // namespace zarv
