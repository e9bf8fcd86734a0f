#include "core/name_match.h"

#include <array>

namespace zarv {
namespace {

// A run of characters that fold by adding delta (modulo 2^16). A run with delta 1 alternates
// capital and small letter: only those at an even distance from first fold.
struct FoldRun {
    char16_t first, last, delta;
};

// In order of first.
constexpr FoldRun kRuns[] = {
    {u'A', u'Z', static_cast<char16_t>(32)},
    {0x00C0, 0x00D6, static_cast<char16_t>(32)},
    {0x00D8, 0x00DE, static_cast<char16_t>(32)},
    {0x0100, 0x012F, static_cast<char16_t>(1)},
    {0x0130, 0x0130, static_cast<char16_t>(u'i' - 0x0130)},
    {0x0132, 0x0137, static_cast<char16_t>(1)},
    {0x0139, 0x0148, static_cast<char16_t>(1)},
    {0x014A, 0x0177, static_cast<char16_t>(1)},
    {0x0178, 0x0178, static_cast<char16_t>(0x00FF - 0x0178)},
    {0x0179, 0x017E, static_cast<char16_t>(1)},
    {0x0386, 0x0386, static_cast<char16_t>(0x03AC - 0x0386)},
    {0x0388, 0x038A, static_cast<char16_t>(0x03AD - 0x0388)},
    {0x038C, 0x038C, static_cast<char16_t>(0x03CC - 0x038C)},
    {0x038E, 0x038F, static_cast<char16_t>(0x03CD - 0x038E)},
    {0x0391, 0x03A1, static_cast<char16_t>(32)},
    {0x03A3, 0x03AB, static_cast<char16_t>(32)},
    {0x03C2, 0x03C2, static_cast<char16_t>(1)},  // final sigma
    {0x0400, 0x040F, static_cast<char16_t>(80)},
    {0x0410, 0x042F, static_cast<char16_t>(32)},
    {0x0460, 0x0481, static_cast<char16_t>(1)},
    {0x048A, 0x04BF, static_cast<char16_t>(1)},
    {0x04C0, 0x04C0, static_cast<char16_t>(15)},
    {0x04C1, 0x04CE, static_cast<char16_t>(1)},
    {0x04D0, 0x052F, static_cast<char16_t>(1)},
    {0x3000, 0x3000, static_cast<char16_t>(u' ' - 0x3000)},  // ideographic space
    {0x3041, 0x3096, static_cast<char16_t>(0x60)},           // hiragana to katakana
    {0x309D, 0x309E, static_cast<char16_t>(0x60)},
    {0xFF01, 0xFF20, static_cast<char16_t>(-0xFEE0)},  // full-width ASCII
    {0xFF21, 0xFF3A, static_cast<char16_t>(u'a' - 0xFF21)},
    {0xFF3B, 0xFF5E, static_cast<char16_t>(-0xFEE0)},
};

// Half-width katakana and punctuation U+FF61 to U+FF9F: the low byte of the full-width form,
// all of which lie in U+30xx.
constexpr std::array<unsigned char, 0x3F> kHalfWidth = {
    0x02, 0x0C, 0x0D, 0x01, 0xFB, 0xF2, 0xA1, 0xA3, 0xA5, 0xA7, 0xA9, 0xE3, 0xE5, 0xE7, 0xC3, 0xFC,
    0xA2, 0xA4, 0xA6, 0xA8, 0xAA, 0xAB, 0xAD, 0xAF, 0xB1, 0xB3, 0xB5, 0xB7, 0xB9, 0xBB, 0xBD, 0xBF,
    0xC1, 0xC4, 0xC6, 0xC8, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD2, 0xD5, 0xD8, 0xDB, 0xDE, 0xDF,
    0xE0, 0xE1, 0xE2, 0xE4, 0xE6, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEF, 0xF3, 0x9B, 0x9C,
};
constexpr wchar_t kHalfVoiced = 0xFF9E, kHalfSemiVoiced = 0xFF9F;

wchar_t FoldChar(wchar_t c) {
    if (c < u'A' || (c >= u'a' && c <= u'z')) return c;
    if (c >= 0xFF61 && c <= 0xFF9F) return static_cast<wchar_t>(0x3000 + kHalfWidth[c - 0xFF61]);
    for (const FoldRun& r : kRuns) {
        if (c < r.first) break;
        if (c <= r.last && (r.delta != 1 || (c - r.first) % 2 == 0))
            return static_cast<wchar_t>(static_cast<char16_t>(c + r.delta));
    }
    return c;
}

// The katakana k with a voiced (or semi-voiced) mark; 0 when it takes none.
wchar_t WithMark(wchar_t k, bool semi) {
    if (k >= 0x30CF && k <= 0x30DB && (k - 0x30CF) % 3 == 0)
        return static_cast<wchar_t>(k + (semi ? 2 : 1));  // ハ行
    if (semi) return 0;
    if ((k >= 0x30AB && k <= 0x30C2 && (k - 0x30AB) % 2 == 0) ||  // カ行 サ行 タ チ
        (k >= 0x30C4 && k <= 0x30C8 && (k - 0x30C4) % 2 == 0))    // ツ テ ト
        return static_cast<wchar_t>(k + 1);
    if (k == 0x30A6) return 0x30F4;  // ヴ
    if (k == 0x30EF) return 0x30F7;
    if (k == 0x30F2) return 0x30FA;
    return 0;
}

// Words are separated by blanks and punctuation; letters of any script and digits make words.
bool IsSeparator(wchar_t c) {
    if (c < 0x80)
        return !((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
    return (c >= 0xA0 && c <= 0xBF) || (c >= 0x2000 && c <= 0x206F) ||
           (c >= 0x3000 && c <= 0x303F) || c == 0x30FB;
}

bool WordStartsAt(std::wstring_view name, std::size_t i) {
    return !IsSeparator(name[i]) && (i == 0 || IsSeparator(name[i - 1]));
}

}  // namespace

void AppendFolded(std::wstring& out, std::wstring_view text) {
    const std::size_t start = out.size();
    for (wchar_t c : text) {
        if ((c == kHalfVoiced || c == kHalfSemiVoiced) && out.size() > start) {
            if (wchar_t marked = WithMark(out.back(), c == kHalfSemiVoiced)) {
                out.back() = marked;
                continue;
            }
        }
        out.push_back(FoldChar(c));
    }
}

std::wstring Folded(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    AppendFolded(out, text);
    return out;
}

NameMatch MatchFolded(std::wstring_view name, std::wstring_view query) {
    const std::size_t at = name.find(query);
    if (at == std::wstring_view::npos) {
        // The initials are not in the name as they stand.
        if (query.size() < 2) return NameMatch::None;
    } else if (at == 0) {
        return NameMatch::Begins;
    } else {
        for (std::size_t i = at; i != std::wstring_view::npos; i = name.find(query, i + 1))
            if (WordStartsAt(name, i)) return NameMatch::WordBegins;
    }
    std::size_t matched = 0;
    for (std::size_t i = 0; i < name.size() && matched < query.size(); ++i)
        if (WordStartsAt(name, i)) {
            if (name[i] != query[matched]) break;
            ++matched;
        }
    if (matched == query.size() && query.size() >= 2) return NameMatch::Initials;
    return at == std::wstring_view::npos ? NameMatch::None : NameMatch::Contains;
}

std::vector<std::uint32_t> RankMatches(const std::vector<NameMatch>& matches, std::size_t most) {
    std::vector<std::uint32_t> found;
    for (NameMatch m = NameMatch::Begins; m != NameMatch::None;
         m = static_cast<NameMatch>(static_cast<int>(m) + 1))
        for (std::uint32_t i = 0; i < matches.size() && found.size() < most; ++i)
            if (matches[i] == m) found.push_back(i);
    return found;
}

std::vector<std::uint32_t> SuggestNames(const std::vector<std::wstring>& names,
                                        std::wstring_view typed) {
    const std::wstring query = Folded(typed);
    std::vector<NameMatch> matches;
    matches.reserve(names.size());
    std::wstring name;
    for (const std::wstring& n : names) {
        name.clear();
        AppendFolded(name, n);
        matches.push_back(MatchFolded(name, query));
    }
    return RankMatches(matches, names.size());
}

}  // namespace zarv
