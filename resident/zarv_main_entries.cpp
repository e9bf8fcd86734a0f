// The resident window's entries: their hot keys, the worker's answers about their files, and
// their starts.
#include "core/launcher_items.h"
#include "resident/entry_jobs.h"
#include "resident/internal_functions.h"
#include "resident/launch.h"
#include "resident/zarv_main.h"
#include "widgets/base/ansi.h"

namespace zarv {

void TZarv_main::RegisterHotkeys() { RegisterHotkeysFrom(HotkeyList); }

void TZarv_main::RegisterHotkeysFrom(const std::vector<THotkeyItem>& entries) {
    // Whether each file exists, and its picture, are asked of the worker, never waited for
    // here. Until an entry's answer is in it counts as there: its key and item work (a start
    // then tests the file first and starts nothing when it is missing), and its item shows the
    // system's program picture. The hot keys keep the entries as written, read again when they
    // run.
    ++generation_;
    files_.assign(entries.size(), FileState::Unknown);
    starting_ = std::vector<bool>(entries.size());
    ItemMenu.Rebuild(BuildLauncherItems(entries, [](size_t) { return true; }));
    hotkeys_->Register(entries, Available());
    KeysRegistered(!creating_);
    // The identifiers now stand for these entries: a key still held is no repeat of them.
    keyWatch_.Reset();
    KillTimer(hwnd(), kKeyWatchTimer);
    for (size_t i = 0; i < entries.size(); ++i) CheckEntry(i);
}

std::vector<bool> TZarv_main::Available() const {
    std::vector<bool> available(files_.size());
    for (size_t i = 0; i < files_.size(); ++i) available[i] = files_[i] != FileState::Missing;
    return available;
}

void TZarv_main::CheckEntry(size_t tag) {
    const THotkeyItem& entry = hotkeys_->Entries()[tag];
    const IconFallback fallback =
        BuildLauncherItems({entry}, [](size_t) { return true; }).front().Fallback;
    auto job = std::make_unique<EntryCheck>(entry, fallback, ItemMenu.IconSize());
    job->Tag = tag;
    job->Generation = generation_;
    job->Window = hwnd();
    job->Message = kEntryCheckedMessage;
    Worker::Shared().Post(std::move(job), WorkerLane::Check);
}

void TZarv_main::EntryChecked(std::unique_ptr<EntryCheck> answer) {
    const size_t tag = answer->Tag;
    if (answer->Generation != generation_ || tag >= files_.size()) return;
    if (!answer->Available) {
        EntryMissing(tag);
        return;
    }
    if (answer->FuncNo == kFuncProgram) files_[tag] = FileState::Present;
    ItemMenu.PutPicture(static_cast<int>(tag), answer->File, answer->FileExists,
                        std::move(answer->Icon), answer->Size);
}

void TZarv_main::EntryMissing(size_t tag) {
    if (files_[tag] == FileState::Missing) return;
    files_[tag] = FileState::Missing;
    ItemMenu.Disable(static_cast<int>(tag));
    if (!renewPending_) renewPending_ = PostMessageW(hwnd(), kRenewHotkeysMessage, 0, 0) != FALSE;
}

void TZarv_main::StartDone(std::unique_ptr<StartJob> answer) {
    // A start refused at the elevation prompt is the user's own choice, not a failure.
    if (answer->Error != 0 && answer->Error != kErrorCancelled)
        ShowNotice(StartFailedNotice(answer->Asked, SystemErrorText(answer->Error)), true, -1);
    const size_t tag = answer->Tag;
    if (answer->What != StartJob::Kind::Entry || answer->Generation != generation_ ||
        tag >= files_.size())
        return;
    starting_[tag] = false;
    if (answer->Missing) EntryMissing(tag);
}

void TZarv_main::RunEntry(size_t tag, const THotkeyItem& entry) {
    if (entry.FuncNo != kFuncProgram && entry.FuncNo != kFuncUrl) {
        RunInternalFunction(entry.FuncNo, *this);
        return;
    }
    // A start whose program lies on a server that does not answer waits on a worker thread;
    // pressed again meanwhile, the key starts nothing more.
    if (tag >= files_.size() || files_[tag] == FileState::Missing || starting_[tag]) return;
    starting_[tag] = true;
    auto job = std::make_unique<StartJob>();
    job->Tag = tag;
    job->Generation = generation_;
    job->Owner = StartOwnerHere();
    job->Entry = entry;
    job->Asked = AnsiToWide(entry.Title);
    job->TestFirst = files_[tag] == FileState::Unknown;
    job->Window = hwnd();
    job->Message = kStartDoneMessage;
    Worker::Shared().Post(std::move(job), WorkerLane::Start);
}

void TZarv_main::WMHotKey(WPARAM id) {
    const THotkeyItem* entry = hotkeys_->Entry(id);
    if (!entry) return;
    // The keyboard's repeats of a held key raise the hot key again where the system ignores
    // MOD_NOREPEAT: the entry runs once per press. The watch starts before the entry runs, since
    // the entry may open a modal window whose loop receives the repeats and the timer.
    if (!keyWatch_.Press(static_cast<unsigned>(id), entry->VKey, GetTickCount())) return;
    SetTimer(hwnd(), kKeyWatchTimer, HotkeyRepeatWatch::kLookMs, nullptr);
    RunHotkeyEntry(id);
}

void TZarv_main::WatchHotkeyKey() {
    if (!keyWatch_.Look((GetAsyncKeyState(keyWatch_.Key()) & 0x8000) != 0, GetTickCount()))
        KillTimer(hwnd(), kKeyWatchTimer);
}

void TZarv_main::RunHotkeyEntry(WPARAM id) {
    // A copy: the entry's action may re-register (an editor's OK) while it runs.
    if (const THotkeyItem* entry = hotkeys_->Entry(id)) RunEntry(id - 1, THotkeyItem(*entry));
}

// A click is never a repeat: no watch.
void TZarv_main::LauncherItemClick(int tag) { RunHotkeyEntry(static_cast<WPARAM>(tag) + 1); }

}  // namespace zarv
