#include "settings/key_status.h"

#include "widgets/base/ansi.h"
#include "widgets/base/handles.h"

namespace zarv {
namespace {

const wchar_t kKeyHeldElsewhere[] = L"このキーは他のプログラムが使用中です。";
const wchar_t kKeyOfRowBefore[] = L"このキーは「";
const wchar_t kKeyOfRowAfter[] = L"」に割り当てられています。";

}  // namespace

std::wstring KeyNoteText(const KeyNote& note, const std::vector<HotkeyRow>& rows, HWND label,
                         HFONT font) {
    switch (note.What) {
        case KeyNote::Kind::None:
            break;
        case KeyNote::Kind::OtherProgram:
            return kKeyHeldElsewhere;
        case KeyNote::Kind::OtherRow: {
            // A long title is cut so that the whole sentence stays on the label's one line.
            RECT band{};
            GetClientRect(label, &band);
            WindowDc dc(label);
            SelectObjectGuard select(dc.get(), font);
            return FitMiddle(kKeyOfRowBefore, AnsiToWide(rows[note.Row].Item.Title), kKeyOfRowAfter,
                             band.right,
                             [&](const std::wstring& s) { return int{TextSize(dc.get(), s).cx}; });
        }
    }
    return {};
}

}  // namespace zarv
