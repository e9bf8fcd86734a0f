// The resident window as the command bar's host: showing it, running what was typed or chosen,
// and the look-ups its suggestions wait for.
#include "resident/entry_jobs.h"
#include "resident/launch.h"
#include "resident/start_menu.h"
#include "resident/zarv_main.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

constexpr UINT kSizeMove = 0xF012;  // SC_MOVE + HTCAPTION: move as if dragged by a caption

}  // namespace

void TZarv_main::CommandClick() {
    // A start from the bar shows its elevation prompt over the window that was in front before
    // it, never over the bar (gone by then) or the hidden resident window.
    if (!bar_.IsShown()) barOwner_ = StartOwnerNow();
    bar_.ShowAtPointer();
    UpdateTray();
}

HWND TZarv_main::StartOwnerHere() const {
    HWND front = StartOwnerNow();
    if (front == hwnd()) front = barOwner_;  // the bar: the window that was in front before it
    return front && IsWindow(front) ? front : nullptr;
}

void TZarv_main::Btn_ExecuteClick() {
    // Typed text stays wide text, whole, up to the start.
    std::wstring text = bar_.Text();
    int k = bar_.FindName(text);
    auto job = std::make_unique<StartJob>();
    if (std::wstring link = bar_.ChosenProgram(); !link.empty()) {
        // A program of the Start menu chosen among the suggestions: its shortcut.
        job->What = StartJob::Kind::Shortcut;
        job->Asked = std::move(text);
        job->Typed = std::move(link);
    } else if (k >= 0 && static_cast<size_t>(k) < CommandList.size()) {
        const TCommandItem& c = CommandList[static_cast<size_t>(k)];
        job->What = StartJob::Kind::Command;
        job->Asked = AnsiToWide(c.Name);
        job->Entry =
            THotkeyItem{.FilePath = c.FilePath, .Options = c.Options, .WorkDir = c.WorkDir};
    } else {
        job->What = StartJob::Kind::Typed;
        job->Asked = text;
        job->Typed = std::move(text);
    }
    // The start itself, with every test of its file, waits on a worker thread.
    if (job->What != StartJob::Kind::Typed || !job->Typed.empty()) {
        job->Owner = StartOwnerHere();
        job->Window = hwnd();
        job->Message = kStartDoneMessage;
        Worker::Shared().Post(std::move(job), WorkerLane::Start);
    }
    HideBar();
}

void TZarv_main::HideBar() {
    bar_.Hide();
    UpdateTray();
}

void TZarv_main::CommandBoxKeyDown(WPARAM key) {
    if (key == VK_RETURN) {
        Btn_ExecuteClick();
    } else if (key == VK_ESCAPE) {
        HideBar();
    }
}

void TZarv_main::Panel1MouseDown(int button, int, int) {
    bar_.CloseSuggestions();
    if (button != 0) return;
    ReleaseCapture();
    SendMessageW(hwnd(), WM_SYSCOMMAND, kSizeMove, 0);
}

void TZarv_main::BarContextMenu(int x, int y) { PopupItemMenu(x, y); }

void TZarv_main::ListFolder(const std::wstring& folder) {
    auto job = std::make_unique<FolderListing>(folder);
    job->Window = hwnd();
    job->Message = kFolderListedMessage;
    // The user waits for it: it never queues behind the entries' checks, nor holds up a start.
    Worker::Shared().Post(std::move(job), WorkerLane::Lookup);
}

void TZarv_main::ReadPrograms(std::uint64_t stamp, const std::wstring& folders) {
    auto job = std::make_unique<ProgramReading>(stamp, folders);
    job->Window = hwnd();
    job->Message = kProgramsReadMessage;
    // Until it is in, the bar suggests names and paths: it never waits behind the entries' checks
    // nor holds up a start.
    Worker::Shared().Post(std::move(job), WorkerLane::Lookup);
}

}  // namespace zarv
