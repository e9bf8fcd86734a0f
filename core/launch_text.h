#pragma once
// Command lines formed from an entry's fields.
#include <functional>
#include <string>
#include <string_view>

namespace zarv {

// FilePath, one blank, Options: joined whole, never cut. A FilePath that holds a blank, is not
// already quoted and as a whole names an existing file (isFile, asked only then) goes in
// quotation marks, so that the started program reads it as one argument (and a batch file in such
// a folder runs). Any other FilePath stays as written: one that holds a program and its
// arguments ("C:\Tools\app.exe -x") is read by the direct start, which tries the blank-separated
// prefixes in turn. The blank is there also when Options is empty.
std::wstring BuildCommandLine(std::wstring_view filePath, std::wstring_view options,
                              const std::function<bool(const std::wstring&)>& isFile);

}  // namespace zarv
