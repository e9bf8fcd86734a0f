#include "core/variables.h"

namespace zarv {

std::string ExpandVariables(std::string_view text, const VariableLookup& lookup) {
    // '%' (0x25) is never the trail byte of a double-byte character, so the bytes can be
    // searched as they stand.
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('%', i);
        if (open == std::string_view::npos) break;
        out.append(text, i, open - i);
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) {
            i = open;
            break;
        }
        const std::string_view name = text.substr(open + 1, close - open - 1);
        std::optional<std::string> value;
        if (!name.empty()) value = lookup(name);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            out.append(text, open, close - open);  // the closing % may open the next reference
            i = close;
        }
    }
    out.append(text, i, std::string_view::npos);
    return out;
}

std::string ResolvePath(const std::string& path, const VariableLookup& lookup,
                        const PathExists& exists) {
    if (path.find('%') == std::string::npos || exists(path)) return path;
    return ExpandVariables(path, lookup);
}

}  // namespace zarv
