#pragma once
// How a typed text matches a name, for Japanese and Latin names alike: both are folded first, so
// that letter case (also of accented Latin, Greek and Cyrillic letters), hiragana against
// katakana, and half-width against full-width forms make no difference.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarv {

// Appends text folded for matching: capital letters made small (ASCII, Latin-1 and Latin
// Extended-A, Greek, Cyrillic), full-width ASCII forms (ＡＢＣ, ０-９, the ideographic space)
// made ASCII, hiragana made katakana, half-width katakana made full-width with a voiced or
// semi-voiced mark after them joined in (ｶﾞ to ガ). Anything else is kept.
void AppendFolded(std::wstring& out, std::wstring_view text);
std::wstring Folded(std::wstring_view text);

// How well a folded query matches a folded name, best first.
enum class NameMatch : std::uint8_t {
    Begins,      // the name begins with it
    WordBegins,  // a later word of the name begins with it
    Initials,    // the words' first letters begin with it ("vsc": "Visual Studio Code")
    Contains,    // it is somewhere in the name
    None,
};
NameMatch MatchFolded(std::wstring_view name, std::wstring_view query);

// The positions of the matches (a name's NameMatch each) but None, ordered by how they match and
// within that by position; at most most of them.
std::vector<std::uint32_t> RankMatches(const std::vector<NameMatch>& matches, std::size_t most);

// The positions of the names that match typed, ordered by how they match (NameMatch) and within
// that in list order. Empty typed: every name.
std::vector<std::uint32_t> SuggestNames(const std::vector<std::wstring>& names,
                                        std::wstring_view typed);

}  // namespace zarv
