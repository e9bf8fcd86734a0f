#pragma once
// The fixed name-and-value tables offered by the hotkey entry dialog.
#include <string_view>
#include <vector>

namespace zarv {

struct TableRow {
    const char* Name;  // UTF-8 display text
    int Value;
};

// An ordered, read-only table of rows.
class NameValueTable {
public:
    void Fill(const TableRow* rows, std::size_t count) { rows_.assign(rows, rows + count); }
    void Clear() { rows_.clear(); }
    std::size_t Count() const { return rows_.size(); }
    std::string_view Name(std::size_t k) const { return rows_[k].Name; }
    int Value(std::size_t k) const { return rows_[k].Value; }
    // Row index of the first row with that value, or -1.
    int IndexOfValue(int value) const;

private:
    std::vector<TableRow> rows_;
};

extern NameValueTable ModifierList;  // 13 rows
extern NameValueTable KeyList;       // 73 rows
extern NameValueTable FunctionList;  // 14 rows

// Fills the three tables with their rows, in table order (start-up).
void CreateTables();
// Empties the three tables (close).
void ReleaseTables();

}  // namespace zarv
