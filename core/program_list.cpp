#include "core/program_list.h"

#include <algorithm>
#include <array>

#include "core/name_match.h"

namespace zarv {

bool ProgramList::NamesUninstaller(std::wstring_view name) {
    const std::wstring folded = Folded(name);
    return folded.find(L"uninstall") != std::wstring::npos ||
           folded.find(L"アンインストール") != std::wstring::npos;
}

void ProgramList::Add(std::uint8_t root, std::wstring_view relative) {
    const std::size_t cut = relative.find_last_of(L'\\');
    const std::wstring_view name =
        cut == std::wstring_view::npos ? relative : relative.substr(cut + 1);
    if (name.empty() || relative.size() > 0xFFFF || NamesUninstaller(name)) return;
    Item item{static_cast<std::uint32_t>(text_.size()), 0,
              static_cast<std::uint16_t>(relative.size()), root};
    AppendFolded(text_, name);
    item.folded = static_cast<std::uint16_t>(text_.size() - item.at);
    text_.append(relative);
    items_.push_back(item);
}

void ProgramList::Finish() {
    std::stable_sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
        return FoldedName(a) < FoldedName(b);
    });
    items_.erase(std::unique(items_.begin(), items_.end(),
                             [this](const Item& a, const Item& b) {
                                 return FoldedName(a) == FoldedName(b);
                             }),
                 items_.end());
    // The block again, in the new order and without the names left out.
    std::wstring text;
    std::size_t length = 0;
    for (const Item& item : items_) length += item.folded + item.relative;
    text.reserve(length);
    for (Item& item : items_) {
        const std::wstring_view old = std::wstring_view(text_).substr(item.at);
        item.at = static_cast<std::uint32_t>(text.size());
        text.append(old.substr(0, item.folded + item.relative));
    }
    text_ = std::move(text);
    items_.shrink_to_fit();
}

std::wstring_view ProgramList::Relative(std::size_t i) const {
    const Item& item = items_[i];
    return std::wstring_view(text_).substr(item.at + item.folded, item.relative);
}

std::wstring_view ProgramList::Name(std::size_t i) const {
    const std::wstring_view relative = Relative(i);
    const std::size_t cut = relative.find_last_of(L'\\');
    return cut == std::wstring_view::npos ? relative : relative.substr(cut + 1);
}

std::size_t ProgramList::Bytes() const {
    return text_.capacity() * sizeof(wchar_t) + items_.capacity() * sizeof(Item);
}

std::vector<std::uint32_t> ProgramList::Suggest(std::wstring_view typed, std::size_t most) const {
    std::vector<std::uint32_t> found;
    const std::wstring query = Folded(typed);
    if (query.empty()) return found;
    std::array<std::vector<std::uint32_t>, 4> tiers;
    for (std::uint32_t i = 0; i < items_.size(); ++i) {
        const NameMatch m = MatchFolded(FoldedName(items_[i]), query);
        if (m != NameMatch::None) tiers[static_cast<std::size_t>(m)].push_back(i);
    }
    for (const auto& tier : tiers) {
        const std::size_t take = std::min(tier.size(), most - found.size());
        found.insert(found.end(), tier.begin(), tier.begin() + static_cast<std::ptrdiff_t>(take));
    }
    return found;
}

}  // namespace zarv
