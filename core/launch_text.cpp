#include "core/launch_text.h"

namespace zarv {

std::wstring BuildCommandLine(std::wstring_view program, std::wstring_view options) {
    // Joined whole: a cut at the record limit would start the program with mangled options.
    std::wstring line;
    line.reserve(program.size() + 1 + options.size());
    line.append(program);
    line.push_back(L' ');
    line.append(options);
    return line;
}

}  // namespace zarv
