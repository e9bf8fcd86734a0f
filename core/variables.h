#pragma once
// %NAME% references to environment variables in the paths and options of the entries. The
// stored texts keep the references; they are expanded, in wide text, when an entry is used.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zarv {

// The value of the variable called name, or nothing when it is not set.
using VariableLookup = std::function<std::optional<std::wstring>(std::wstring_view name)>;
// True when something (a file or a folder) exists at path.
using PathExists = std::function<bool(const std::wstring& path)>;

// text with every %NAME% of a set variable replaced by its value, as the system's own expansion
// does. A reference to a variable that is not set, and a % without a partner, stay as written;
// the scan then goes on at that reference's closing %, so that "50%%TEMP%" still expands TEMP.
// Values are not expanded again.
std::wstring ExpandVariables(std::wstring_view text, const VariableLookup& lookup);

// A path as it is used: as written when it holds no % or when something exists at it as
// written (a file whose name really contains %), expanded otherwise.
std::wstring ResolvePath(const std::wstring& path, const VariableLookup& lookup,
                         const PathExists& exists);

}  // namespace zarv
