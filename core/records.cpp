#include "core/records.h"

namespace zarv {

std::vector<THotkeyItem> HotkeyList;
std::vector<TCommandItem> CommandList;

void PutText(std::string& field, std::string_view text, const CodePage& cp) {
    field.assign(text.substr(0, CutLength(text, kMaxFieldBytes, cp)));
}

}  // namespace zarv
