// What the resident window tells the user from the tray icon when something went wrong: keys it
// could not take (and takes again when they come free), starts that failed, files it could not
// read, and where to begin on the first run.
#include <algorithm>

#include "resident/zarv_main.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"
#include "widgets/tray_icon.h"

namespace zarv {

void TZarv_main::ShowNotice(const Notice& notice, bool warning, int clickRow) {
    if (!TrayIcon1) return;
    noticeRow_ = clickRow;
    TrayIcon1->ShowBalloon(notice.Title, notice.Text, warning);
}

void TZarv_main::BalloonClicked() {
    if (noticeRow_ >= 0) OpenHotkeyEditor(noticeRow_);
}

void TZarv_main::StartupNotices() {
    std::vector<std::wstring> unread;
    if (hotkeyFile_.state.LastRead() == ReadOutcome::BadContent) unread.push_back(L"Hotkey.DAT");
    if (commandFile_.state.LastRead() == ReadOutcome::BadContent) unread.push_back(L"Command.DAT");
    if (!unread.empty()) {
        ShowNotice(FilesNotReadNotice(unread), true, -1);
    } else if (hotkeyFile_.state.LastRead() == ReadOutcome::Absent &&
               commandFile_.state.LastRead() == ReadOutcome::Absent) {
        ShowNotice(FirstRunNotice(ProgramFolder()), false, 0);
    }
    // Last: of the notices start-up gives, the one the user can act on stays.
    KeysRegistered(true);
}

void TZarv_main::KeysRegistered(bool tell) {
    const std::vector<KeyFailure> failures =
        KeyFailures(hotkeys_->Entries(), hotkeys_->Available(), hotkeys_->Registered());
    // A key an earlier row holds stays refused until the list changes: no reason to wake for it.
    const bool mayComeFree = std::any_of(failures.begin(), failures.end(), [](const KeyFailure& f) {
        return f.Why == KeyFailure::Reason::Elsewhere;
    });
    if (mayComeFree) {
        SetTimer(hwnd(), kRetryKeysTimer, kRetryKeysMs, nullptr);
        sessionWatch_.Start(hwnd());
    } else {
        KillTimer(hwnd(), kRetryKeysTimer);
    }
    if (!tell || failures.empty()) return;
    std::vector<KeyFailureName> names;
    for (const KeyFailure& f : failures) {
        const THotkeyItem& entry = hotkeys_->Entries()[f.Row];
        names.push_back({AnsiToWide(entry.KeyText), AnsiToWide(entry.Title), f.Why});
    }
    ShowNotice(KeysNotTakenNotice(names), true, static_cast<int>(failures.front().Row));
}

void TZarv_main::RetryKeys() {
    if (hotkeys_->Retry()) KeysRegistered(false);
}

}  // namespace zarv
