#pragma once
// File-system questions the windows ask.
#include <string>

namespace zarv {

// True when path names an existing file, not a folder. The ANSI form takes the records' bytes.
bool IsExistingFile(const std::string& ansiPath);
bool IsExistingFile(const std::wstring& path);

}  // namespace zarv
