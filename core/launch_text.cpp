#include "core/launch_text.h"

namespace zarv {

std::wstring BuildCommandLine(std::wstring_view filePath, std::wstring_view options,
                              const std::function<bool(const std::wstring&)>& isFile) {
    // Joined whole: a cut at the record limit would start the program with mangled options.
    const bool quote = filePath.find_first_of(L" \t") != std::wstring_view::npos &&
                       filePath.front() != L'"' && isFile(std::wstring(filePath));
    std::wstring line;
    line.reserve(filePath.size() + 3 + options.size());
    if (quote) line.push_back(L'"');
    line.append(filePath);
    if (quote) line.push_back(L'"');
    line.push_back(L' ');
    line.append(options);
    return line;
}

}  // namespace zarv
