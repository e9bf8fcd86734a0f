#include "launch_text.h"

namespace zarv {

std::string BuildCommandLine(std::string_view filePath, std::string_view options) {
    // Joined whole: a cut at the record limit would start the program with mangled options.
    std::string line;
    line.reserve(filePath.size() + 1 + options.size());
    line.append(filePath);
    line.push_back(' ');
    line.append(options);
    return line;
}

}  // namespace zarv
