#include "core/tray_click.h"

#include <atomic>
#include <utility>

namespace zarv {
namespace {

unsigned NewWaitId() {
    static std::atomic<unsigned> last{0};
    unsigned id = ++last;
    return id != 0 ? id : ++last;  // 0 means "no wait"
}

}  // namespace

unsigned TrayClick::ButtonUp(bool hasOnClick) {
    if (!hasOnClick || pending_) {
        // Without a click handler there is nothing to wait for; with a click pending this is the
        // second button-up of a double click.
        pending_ = false;
        return 0;
    }
    pending_ = true;
    wait_ = NewWaitId();
    return wait_;
}

void TrayClick::DoubleClick() { pending_ = true; }

bool TrayClick::WaitEnded(unsigned id, bool hasOnClick) {
    if (id == 0 || id != wait_) return false;
    wait_ = 0;
    bool raise = pending_ && hasOnClick;
    // Cleared before the handler runs: the handler may destroy the icon.
    pending_ = false;
    return raise;
}

TrayKeys::Open TrayKeys::Notify(Event event) {
    switch (event) {
        case Event::LeftButton:
        case Event::RightButton:
            lastButton_ = event;
            return Open::Nothing;
        case Event::Select:
        case Event::KeySelect:
        case Event::ContextMenu: {
            const Event button = std::exchange(lastButton_, Event::Other);
            if (event == Event::Select && button == Event::LeftButton) return Open::Nothing;
            if (event == Event::ContextMenu && button == Event::RightButton) return Open::Nothing;
            return event == Event::ContextMenu ? Open::RightMenu : Open::LeftMenu;
        }
        case Event::Other:
            break;
    }
    return Open::Nothing;
}

}  // namespace zarv
