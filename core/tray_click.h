#pragma once
// Telling a single left click on a tray icon from a double click. The shell reports a double
// click as down, up, double-click, up. The first button-up marks a click pending and starts a
// wait of the system's double-click time; when the wait ends and the click is still pending, the
// click is raised. The double-click notice marks it pending again, so the second button-up clears
// it and the wait ends with nothing to raise.
//
// Every wait has an id unique in the process; only the end of the latest wait started by this
// icon counts. A wait that an earlier click left running (one cancelled by switching the icon off,
// or one whose double click has already ended) thus cannot raise a later click too early, and a
// wait of a destroyed icon cannot reach a new icon that got its sequence number.
namespace zarv {

class TrayClick {
public:
    // A left button-up while no button-up handler is assigned. Returns the id of a wait to start,
    // or 0 when no wait starts.
    unsigned ButtonUp(bool hasOnClick);
    // A left double click.
    void DoubleClick();
    // The wait with this id has ended. True when the click handler must be raised now; the click
    // is no longer pending either way.
    bool WaitEnded(unsigned id, bool hasOnClick);
    // The icon was switched off: a pending click is dropped.
    void Cancel() { pending_ = false; }

    bool Pending() const { return pending_; }

private:
    bool pending_ = false;
    unsigned wait_ = 0;  // the wait whose end may raise the click, 0 for none
};

// Which menu an icon's notification opens besides the mouse buttons' own. Once the icon speaks
// the shell's fourth version, Enter and Space on it come as a key selection (the left button's
// menu) and the context-menu key as a context-menu notice (the right button's menu). The shell
// also sends a selection after a left click and a context-menu notice after a right click, whose
// button-down has opened the menu already: those open nothing.
class TrayKeys {
public:
    enum class Event { LeftButton, RightButton, Select, KeySelect, ContextMenu, Other };
    enum class Open { Nothing, LeftMenu, RightMenu };
    Open Notify(Event event);

private:
    Event lastButton_ = Event::Other;  // the button of the last mouse notice, until a follow-up
};

}  // namespace zarv
