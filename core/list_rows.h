#pragma once
// Row arithmetic shared by both list editors: moving a dragged row onto another.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace zarv {

// Drops row `from` on row `to`: the row ends at position `to` and the rows between shift by one
// towards its old place. Nothing happens with fewer than two rows, a position outside the rows
// (a drop below the last row) or a row dropped on itself. True when the order changed.
template <typename Row>
bool MoveRow(std::vector<Row>& rows, int from, int to) {
    const int n = static_cast<int>(rows.size());
    if (n < 2 || from < 0 || to < 0 || from >= n || to >= n || from == to) return false;
    auto first = rows.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    return true;
}

}  // namespace zarv
