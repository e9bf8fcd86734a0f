#pragma once
// Byte texts of the ANSI code page (Shift-JIS on a Japanese system). Cutting and trimming must
// know the code page's lead bytes so that a double-byte character is never split: a Shift-JIS
// trail byte can be 0x5C ('\') or 0x7C ('|'), or any byte from 0x40 up.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zarv {

// Lead-byte table of a code page.
class CodePage {
public:
    // Shift-JIS (code page 932): lead bytes 0x81-0x9F and 0xE0-0xFC.
    static const CodePage& ShiftJis();
    // A single-byte code page (1252 and the like): no lead bytes.
    static const CodePage& SingleByte();
    // Lead-byte ranges as pairs of inclusive bounds, as Windows' CPINFO gives them.
    static CodePage FromRanges(const unsigned char* ranges, std::size_t pairCount);

    bool IsLead(unsigned char b) const { return lead_[b]; }

private:
    std::array<bool, 256> lead_{};
};

// Length in bytes of the longest prefix of s that is at most maxBytes long and does not end in
// the middle of a double-byte character.
std::size_t CutLength(std::string_view s, std::size_t maxBytes, const CodePage& cp);

// The prefix of s given by CutLength.
std::string CutText(std::string_view s, std::size_t maxBytes, const CodePage& cp);

// c with an ASCII capital letter made small; any other character, byte or UTF-16 unit unchanged
// (no lead or trail byte is an ASCII letter).
template <typename Char>
constexpr Char FoldAsciiCase(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// Whether text equals ascii with the case of the ASCII letters ignored, in bytes or in UTF-16
// alike.
template <typename Char>
bool EqualsIgnoringAsciiCase(std::basic_string_view<Char> text, std::string_view ascii) {
    if (text.size() != ascii.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (FoldAsciiCase(text[i]) != static_cast<Char>(FoldAsciiCase(ascii[i]))) return false;
    return true;
}

// A byte of code 32 or less: a blank or a control character.
inline bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 32; }

// s without its leading and trailing bytes of code 32 or less. (Such bytes are never trail bytes
// of a double-byte character, which start at 0x40.)
std::string_view TrimText(std::string_view s);

}  // namespace zarv
