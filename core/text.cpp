#include "core/text.h"

namespace zarv {

namespace {

CodePage MakeShiftJis() {
    const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC};
    return CodePage::FromRanges(ranges, 2);
}

}  // namespace

const CodePage& CodePage::ShiftJis() {
    static const CodePage cp = MakeShiftJis();
    return cp;
}

const CodePage& CodePage::SingleByte() {
    static const CodePage cp;
    return cp;
}

CodePage CodePage::FromRanges(const unsigned char* ranges, std::size_t pairCount) {
    CodePage cp;
    for (std::size_t i = 0; i < pairCount; ++i) {
        for (unsigned b = ranges[2 * i]; b <= ranges[2 * i + 1]; ++b) cp.lead_[b] = true;
    }
    return cp;
}

std::size_t CutLength(std::string_view s, std::size_t maxBytes, const CodePage& cp) {
    if (s.size() <= maxBytes) return s.size();
    // Walk whole characters from the start; the cut can only fall between them.
    std::size_t i = 0;
    while (i < maxBytes) {
        const std::size_t width = cp.IsLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + width > maxBytes) break;
        i += width;
    }
    return i;
}

std::string CutText(std::string_view s, std::size_t maxBytes, const CodePage& cp) {
    return std::string(s.substr(0, CutLength(s, maxBytes, cp)));
}

std::string_view TrimText(std::string_view s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && IsBlankByte(s[begin])) ++begin;
    while (end > begin && IsBlankByte(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

}  // namespace zarv
