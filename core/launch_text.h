#pragma once
// Command lines formed from an entry's fields.
#include <string>
#include <string_view>

namespace zarv {

// FilePath, one blank, Options: joined whole, never cut, never quoted. The blank is there also
// when Options is empty.
std::string BuildCommandLine(std::string_view filePath, std::string_view options);

}  // namespace zarv
