#include "core/wow64_paths.h"

#include <utility>

#include "core/text.h"

namespace zarv {
namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Compares path from i with part, letter case ignored and any run of separators in either
// matching any other; where path's match ends, or nothing.
std::size_t MatchFolder(std::wstring_view path, std::size_t i, std::wstring_view part) {
    std::size_t k = 0;
    while (k < part.size()) {
        if (IsSeparator(part[k])) {
            if (i >= path.size() || !IsSeparator(path[i])) return std::wstring_view::npos;
            while (k < part.size() && IsSeparator(part[k])) ++k;
            while (i < path.size() && IsSeparator(path[i])) ++i;
            continue;
        }
        if (i >= path.size() || FoldAscii(path[i]) != FoldAscii(part[k]))
            return std::wstring_view::npos;
        ++i;
        ++k;
    }
    return i;
}

// path with the folder from at its start replaced by to; unchanged when it does not start so. A
// path in the long form ("\\?\C:\Windows\System32\...") names the same folder and keeps its
// prefix.
std::wstring ReplaceFolder(std::wstring_view path, std::wstring_view from, std::wstring_view to) {
    const std::size_t start = path.substr(0, 4) == L"\\\\?\\" ? 4 : 0;
    const std::size_t end = MatchFolder(path, start, from);
    // The whole last name must match: "System32x" is another folder.
    if (end == std::wstring_view::npos || (end < path.size() && !IsSeparator(path[end])))
        return std::wstring(path);
    std::wstring replaced(path.substr(0, start));
    replaced.append(to);
    replaced.append(path.substr(end));
    return replaced;
}

// The system folder without trailing separators, and the "Sysnative" folder beside it; both
// empty when systemFolder has no parent folder.
std::pair<std::wstring, std::wstring> SystemFolders(std::wstring_view systemFolder) {
    while (!systemFolder.empty() && IsSeparator(systemFolder.back())) systemFolder.remove_suffix(1);
    const std::size_t cut = systemFolder.find_last_of(L"\\/");
    if (cut == std::wstring_view::npos) return {};
    return {std::wstring(systemFolder), std::wstring(systemFolder.substr(0, cut)) + L"\\Sysnative"};
}

}  // namespace

std::wstring Wow64NativePath(std::wstring_view path, std::wstring_view systemFolder) {
    const auto [system, native] = SystemFolders(systemFolder);
    if (system.empty()) return std::wstring(path);
    return ReplaceFolder(path, system, native);
}

std::wstring Wow64WrittenPath(std::wstring_view path, std::wstring_view systemFolder) {
    const auto [system, native] = SystemFolders(systemFolder);
    if (system.empty()) return std::wstring(path);
    return ReplaceFolder(path, native, system);
}

std::wstring_view Wow64VariableName(std::wstring_view name) {
    if (EqualsIgnoringAsciiCase(name, "ProgramFiles")) return L"ProgramW6432";
    if (EqualsIgnoringAsciiCase(name, "CommonProgramFiles")) return L"CommonProgramW6432";
    return name;
}

}  // namespace zarv
