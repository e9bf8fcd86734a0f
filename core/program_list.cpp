#include "core/program_list.h"

#include <algorithm>

#include "core/name_match.h"

namespace zarv {

bool ProgramList::NamesUninstaller(std::wstring_view name) {
    const std::wstring folded = Folded(name);
    const std::wstring_view f = folded;
    return f.find(L"uninstall") != f.npos || f.find(L"アンインストール") != f.npos;
}

void ProgramList::Add(std::uint16_t folder, std::wstring_view name) {
    if (name.empty() || name.size() > 0xFFFF || NamesUninstaller(name)) return;
    Item item{static_cast<std::uint32_t>(text_.size()), 0, static_cast<std::uint16_t>(name.size()),
              folder};
    AppendFolded(text_, name);
    item.folded = static_cast<std::uint16_t>(text_.size() - item.at);
    text_.append(name);
    items_.push_back(item);
}

void ProgramList::Finish() {
    // By folded name, then in the order added (a heap sort: small, and no buffer).
    const auto before = [this](const Item& a, const Item& b) {
        const int c = FoldedName(a).compare(FoldedName(b));
        return c != 0 ? c < 0 : a.at < b.at;
    };
    std::make_heap(items_.begin(), items_.end(), before);
    std::sort_heap(items_.begin(), items_.end(), before);
    items_.erase(std::unique(items_.begin(), items_.end(),
                             [this](const Item& a, const Item& b) {
                                 return FoldedName(a) == FoldedName(b);
                             }),
                 items_.end());
    items_.shrink_to_fit();
    text_.shrink_to_fit();
}

std::wstring_view ProgramList::Name(std::size_t i) const {
    const Item& item = items_[i];
    return std::wstring_view(text_).substr(item.at + item.folded, item.name);
}

std::size_t ProgramList::Bytes() const {
    return text_.capacity() * sizeof(wchar_t) + items_.capacity() * sizeof(Item);
}

std::vector<std::uint32_t> ProgramList::Suggest(std::wstring_view typed, std::size_t most) const {
    const std::wstring query = Folded(typed);
    if (query.empty()) return {};
    std::vector<NameMatch> matches;
    matches.reserve(items_.size());
    for (const Item& item : items_) matches.push_back(MatchFolded(FoldedName(item), query));
    return RankMatches(matches, most);
}

std::wstring StartMenuPrograms::LinkPath(std::size_t i) const {
    std::size_t at = 0;
    for (std::uint16_t k = programs.Folder(i); k > 0 && at < folders.size(); --k)
        at = folders.find(L'\0', at) + 1;
    std::wstring path(folders.c_str() + std::min(at, folders.size()));
    path += L'\\';
    path += programs.Name(i);
    return path += L".lnk";
}

}  // namespace zarv
