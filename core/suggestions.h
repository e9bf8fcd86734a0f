#pragma once
// What the command bar suggests while the user types when the text starts like a path: the entries
// of its folder that match its last part, ASCII letter case ignored. (Names are matched by
// core/name_match.h.) Nothing is remembered from one text to the next.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarv {

// A typed path split for the look-up of its folder.
struct PathQuery {
    std::wstring folder;  // the folder to list, as the system is asked (variables expanded)
    std::wstring shown;   // what each suggestion starts with: the text up to its last separator
    std::wstring prefix;  // what the entries' names begin with: the text after it
    bool operator==(const PathQuery&) const = default;
};

// The query for typed, whose %NAME% references expanded give expanded; nothing when the expanded
// text does not start like a path (a drive and a separator, "\\", ".\" or "..\") or has no
// separator after that start. A separator is '\' or '/'. The suggestions keep what was typed
// before the last separator, unless a reference sits in the last part ("%WINDIR%"): then they
// begin with the expanded text.
std::optional<PathQuery> ReadPathQuery(std::wstring_view typed, std::wstring_view expanded);

// One entry of a folder.
struct FolderEntry {
    std::wstring name;
    bool folder = false;
};

// The entries whose names begin with the query's prefix, ordered by name (ASCII letter case
// ignored), each as the query's shown text, its name and, for a folder, a closing '\'.
std::vector<std::wstring> SuggestPaths(const PathQuery& query,
                                       const std::vector<FolderEntry>& entries);

}  // namespace zarv
