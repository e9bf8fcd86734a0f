#include "core/variables.h"

namespace zarv {

std::wstring ExpandVariables(std::wstring_view text, const VariableLookup& lookup) {
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find(L'%', i);
        if (open == std::wstring_view::npos) break;
        out.append(text, i, open - i);
        const std::size_t close = text.find(L'%', open + 1);
        if (close == std::wstring_view::npos) {
            i = open;
            break;
        }
        const std::wstring_view name = text.substr(open + 1, close - open - 1);
        std::optional<std::wstring> value;
        if (!name.empty()) value = lookup(name);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            out.append(text, open, close - open);  // the closing % may open the next reference
            i = close;
        }
    }
    out.append(text, i, std::wstring_view::npos);
    return out;
}

std::wstring ResolvePath(const std::wstring& path, const VariableLookup& lookup,
                         const PathExists& exists) {
    if (path.find(L'%') == std::wstring::npos || exists(path)) return path;
    return ExpandVariables(path, lookup);
}

}  // namespace zarv
