#include "core/suggestions.h"

#include <algorithm>

#include "core/text.h"

namespace zarv {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool SameFolded(wchar_t a, wchar_t b) { return FoldAsciiCase(a) == FoldAsciiCase(b); }

bool StartsFolded(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), SameFolded);
}

// Below, equal to or above zero as a comes before, with or after b, ASCII letter case ignored.
int CompareFolded(std::wstring_view a, std::wstring_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i]))
            return FoldAsciiCase(a[i]) < FoldAsciiCase(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsLikePath(std::wstring_view t) {
    if (t.size() >= 3 && IsAsciiLetter(t[0]) && t[1] == L':' && IsSeparator(t[2])) return true;
    if (t.size() >= 2 && t[0] == L'\\' && t[1] == L'\\') return true;
    if (t.size() >= 2 && t[0] == L'.' && IsSeparator(t[1])) return true;
    return t.size() >= 3 && t[0] == L'.' && t[1] == L'.' && IsSeparator(t[2]);
}

}  // namespace

std::optional<PathQuery> ReadPathQuery(std::wstring_view typed, std::wstring_view expanded) {
    if (!StartsLikePath(expanded)) return std::nullopt;
    const std::size_t cut = expanded.find_last_of(L"\\/") + 1;
    PathQuery q{std::wstring(expanded.substr(0, cut)), {}, std::wstring(expanded.substr(cut))};
    const std::size_t typedCut = typed.find_last_of(L"\\/");
    if (typedCut != std::wstring_view::npos && typed.substr(typedCut + 1) == q.prefix) {
        q.shown = typed.substr(0, typedCut + 1);
    } else {
        q.shown = q.folder;
    }
    return q;
}

std::vector<std::wstring> SuggestPaths(const PathQuery& query,
                                       const std::vector<FolderEntry>& entries) {
    std::vector<const FolderEntry*> found;
    for (const FolderEntry& e : entries)
        if (e.name != L"." && e.name != L".." && StartsFolded(e.name, query.prefix))
            found.push_back(&e);
    std::sort(found.begin(), found.end(), [](const FolderEntry* a, const FolderEntry* b) {
        const int c = CompareFolded(a->name, b->name);
        // Names that differ in letter case alone (a case-sensitive folder) in a fixed order too.
        return c != 0 ? c < 0 : a->name < b->name;
    });
    std::vector<std::wstring> paths;
    paths.reserve(found.size());
    for (const FolderEntry* e : found)
        paths.push_back(query.shown + e->name + (e->folder ? L"\\" : L""));
    return paths;
}

}  // namespace zarv
