#include "core/entry_text.h"

#include "core/data_file.h"
#include "core/records.h"
#include "core/text.h"

namespace zarv {

FieldFit CheckFieldFit(std::string_view bytes, bool exact) {
    if (!exact) return FieldFit::Unrepresentable;
    // A record holds at most kMaxFieldBytes as typed; the writer then drops leading and
    // trailing blanks before it counts.
    if (bytes.size() > kMaxFieldBytes || TrimText(bytes).size() > kMaxStoredBytes)
        return FieldFit::TooLong;
    return FieldFit::Fits;
}

bool IsBlankField(std::wstring_view text) {
    for (wchar_t c : text)
        if (c > L' ') return false;
    return true;
}

std::wstring WorkDirOf(std::wstring_view folder) {
    std::wstring dir(folder);
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

std::wstring WorkDirOfFile(std::wstring_view path) {
    std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring_view::npos) return {};
    return WorkDirOf(path.substr(0, slash + 1));
}

}  // namespace zarv
