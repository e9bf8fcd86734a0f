#pragma once
// Paths as 64-bit Windows means them, for the 32-bit build running under WOW64. There the system
// shows a 32-bit program other folders under the same names: the system folder
// (%windir%\System32) is the 32-bit one, SysWOW64, and %ProgramFiles% names
// "C:\Program Files (x86)". The entries name the 64-bit ones, as the 64-bit build reads them, so
// that one data file means the same programs under both builds.
#include <string>
#include <string_view>

namespace zarv {

// path with the system folder at its start (systemFolder, "C:\Windows\System32" as the system
// names it; any letter case, '/' or '\' and repeated separators, a trailing separator or none)
// replaced by the folder through which a 32-bit program reaches the 64-bit one: "Sysnative"
// beside it ("C:\Windows\Sysnative\..."); the long form ("\\?\C:\Windows\System32\...") keeps
// its prefix. Any other path, and a folder that merely starts with the same letters
// ("System32x"), comes back unchanged.
std::wstring Wow64NativePath(std::wstring_view path, std::wstring_view systemFolder);

// The other way: path with the "Sysnative" folder beside systemFolder at its start given back
// under the system folder's own name, as an entry writes it ("C:\Windows\System32\..."); any
// other path unchanged.
std::wstring Wow64WrittenPath(std::wstring_view path, std::wstring_view systemFolder);

// The variable whose value a 64-bit program sees for name: "ProgramW6432" for "ProgramFiles",
// "CommonProgramW6432" for "CommonProgramFiles" (any letter case); name itself for any other.
std::wstring_view Wow64VariableName(std::wstring_view name);

}  // namespace zarv
