#pragma once
// Command lines formed from an entry's fields.
#include <string>
#include <string_view>

namespace zarv {

// FilePath, one blank, Options: joined whole, never cut. A FilePath that holds a blank and is
// not already quoted goes in quotation marks, so that the started program reads it as one
// argument (and a batch file in such a folder runs); any other FilePath stays as written. The
// blank is there also when Options is empty.
std::wstring BuildCommandLine(std::wstring_view filePath, std::wstring_view options);

}  // namespace zarv
