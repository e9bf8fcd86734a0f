#pragma once
// File-system questions the windows ask, and the paths of the entries as they are used.
#include <optional>
#include <string>
#include <string_view>

namespace zarv {

// True when path names an existing file, not a folder. The ANSI form takes the records' bytes.
bool IsExistingFile(const std::string& ansiPath);
bool IsExistingFile(const std::wstring& path);

// The value of one of this process's environment variables, in ANSI bytes; nothing when unset.
std::optional<std::string> EnvironmentVariable(std::string_view ansiName);
// A file or folder field of an entry as it is used: with its %NAME% references expanded, unless
// something exists at the path as written. The stored text is never changed.
std::string ResolvedPath(const std::string& ansiPath);
// Options of an entry as they are used: %NAME% references expanded.
std::string ExpandedText(const std::string& ansiText);

}  // namespace zarv
