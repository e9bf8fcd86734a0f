#include "core/launch_text.h"

namespace zarv {

std::wstring BuildCommandLine(std::wstring_view program, std::wstring_view options) {
    // Joined whole: a cut at the record limit would start the program with mangled options.
    std::wstring line(program);
    line += L' ';
    line += options;
    return line;
}

}  // namespace zarv
