#pragma once
// An icon in the notification area of the taskbar, placed on an owner window: it shows a picture
// with a tooltip, turns the shell's mouse notifications into events, pops up one menu on the left
// and one on the right button, and tells a single left click from a double click.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/tray_click.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {

class TTrayIcon;

// The mouse button an event is about.
enum class TMouseButton { Left, Right, Middle };

// A set of the shift-state members below. Tray events carry the one button concerned (a mouse
// move carries the empty set).
using TShiftState = unsigned;
inline constexpr TShiftState ssLeft = 1u << 0;
inline constexpr TShiftState ssRight = 1u << 1;
inline constexpr TShiftState ssMiddle = 1u << 2;

// The user's message, in UTF-8, for an icon that cannot be registered with the shell: a 101st
// icon, or a failed add or modify. The component shows no message itself; the operations that
// can fail return false instead.
extern const char kTrayIconError[];

// The callback message the shell sends for every icon: wParam is the icon's sequence number,
// lParam the mouse message; once the icon has asked for the fourth version, lParam holds the
// event and the number, wParam the point of the event.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 200;  // 0x4C8
// Posted by a TSingleClick to the callback window: wParam is the icon's sequence number, lParam
// the id of the wait that ended.
inline constexpr UINT kClickWaitEndedMessage = WM_USER + 201;

// The one invisible window of the process that receives the shell's notifications for all icons
// and hands each to its icon. It is a child of the first icon's owner and goes with it.
class TCallbackWindow : public Window {
public:
    // The window of the process, or nullptr before the first icon.
    static TCallbackWindow* Instance();
    // The icon of the latest notification, or nullptr.
    TTrayIcon* CurrentIcon() const { return current_; }

private:
    friend class TTrayIcon;
    // The window's handle, creating the window as a child of owner when there is none (yet, or
    // any more: it goes with its parent). nullptr when it cannot be created.
    static HWND Ensure(HWND owner);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    TTrayIcon* current_ = nullptr;
};

// Waits out the double-click interval after a left button-up on a worker thread of its own, then
// posts the end of the wait to the callback window, so that the click is raised on the UI thread.
class TSingleClick {
public:
    // Starts the wait `waitId` of the icon with this sequence number; false if no thread could
    // be started.
    static bool Start(HWND callbackWindow, unsigned sequence, unsigned waitId);
};

class TTrayIcon {
public:
    // Registers the icon under a new sequence number and creates the callback window if there is
    // none yet. When 100 icons are alive (or the window cannot be made) the icon stays
    // unregistered: Registered() is false and it never reaches the shell.
    explicit TTrayIcon(HWND owner);
    // Deletes the icon from the shell if it is shown and leaves the registry; a pending click of
    // the icon is dropped.
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    bool Registered() const { return sequence_ != 0; }

    // End of set-up: until now the setters only recorded values. Adds the icon to the shell when
    // Visible. False when the shell refuses (kTrayIconError).
    bool Loaded();

    // The setters below that talk to the shell return false when it refuses.

    // True shows the icon; it stays False while the icon has no picture.
    bool SetVisible(bool visible);
    bool Visible() const { return visible_; }
    // Whether the shell holds the icon now.
    bool Shown() const { return shown_; }

    // Shows a copy of icon; nullptr empties the picture and sets Visible to False.
    bool SetIcon(HICON icon);
    HICON Icon() const { return icon_.get(); }

    // The tooltip, ANSI bytes cut to their first 62 (never inside a double-byte character).
    bool SetTipHelp(std::string_view ansi);
    const std::string& TipHelp() const { return tipHelp_; }

    // Shows a notice as a balloon from the icon (a warning's or an information's picture). One
    // asked for before the icon is in the notification area comes when it is added. False when
    // the shell refuses.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning);

    // False makes the icon deaf to the mouse and drops a pending click.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    // Frames of an icon animation and their interval (at least 100 ms). Nothing plays them yet.
    void SetAnimateRate(int ms);
    int AnimateRate() const { return animateRate_; }
    void SetAnimateIcons(HIMAGELIST list);
    HIMAGELIST AnimateIcons() const { return animateIcons_; }

    // Menus popped up by a left or right button-down; not owned. Their commands go to the owner.
    void SetLBPopupMenu(HMENU menu) { lbPopupMenu_ = menu; }
    HMENU LBPopupMenu() const { return lbPopupMenu_; }
    void SetRBPopupMenu(HMENU menu) { rbPopupMenu_ = menu; }
    HMENU RBPopupMenu() const { return rbPopupMenu_; }

    // Removal notices: a menu or image list that is about to be destroyed is forgotten.
    void MenuDestroyed(HMENU menu);
    void ImageListDestroyed(HIMAGELIST list);

    // The shell's taskbar was (re-)created and has forgotten every icon: adds the icon again when
    // Visible (false when the shell refuses). The shell announces this with the registered message
    // TaskbarCreatedMessage(), which only top-level windows receive, so the owner passes it on.
    bool TaskbarCreated();
    static UINT TaskbarCreatedMessage();

    HWND Owner() const { return owner_; }
    unsigned SequenceNumber() const { return sequence_; }
    // The handle of the process's callback window (the same for every icon).
    static HWND CallbackWindow();

    // A button-down pops up that button's menu (when set) instead of raising OnMouseDown.
    bool AutoPopup = true;
    std::function<void(TTrayIcon&)> OnClick;
    std::function<void(TTrayIcon&)> OnDblClick;
    std::function<void(TTrayIcon&, TMouseButton, TShiftState, int x, int y)> OnMouseDown;
    std::function<void(TTrayIcon&, TMouseButton, TShiftState, int x, int y)> OnMouseUp;
    std::function<void(TTrayIcon&, TShiftState, int x, int y)> OnMouseMove;
    // The user clicked the balloon.
    std::function<void(TTrayIcon&)> OnBalloonClick;

    // The shell call every icon makes. Tests put a recorder in its place; returns the previous.
    using ShellNotifyProc = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);
    static ShellNotifyProc SetShellNotifyProc(ShellNotifyProc proc);

private:
    friend class TCallbackWindow;

    void FillRecord();
    bool AddToShell();
    bool ModifyInShell();
    void DeleteFromShell();
    bool SendBalloon();

    // Notifications, on the UI thread.
    // event: a mouse message or a notice of the fourth version; anchor: the point it gives.
    void MouseNotification(UINT event, POINT anchor);
    void ClickWaitEnded(unsigned waitId);
    void PopUp(HMENU menu, POINT at);
    void LeftButtonUp();

    HWND owner_;
    unsigned sequence_ = 0;
    NOTIFYICONDATAA record_{};

    bool loading_ = true;
    bool visible_ = false;
    bool shown_ = false;
    bool enabled_ = true;
    UniqueIcon icon_;
    std::string tipHelp_ = "TipHelp";
    int animateRate_ = 500;
    HIMAGELIST animateIcons_ = nullptr;
    bool animating_ = false;  // no player exists; while one runs the frames must stay put
    HMENU lbPopupMenu_ = nullptr;
    HMENU rbPopupMenu_ = nullptr;
    std::wstring balloonTitle_, balloonText_;
    bool balloonWarning_ = false;
    bool balloonPending_ = false;  // asked for before the icon was shown
    TrayClick click_;
    TrayKeys keys_;
};

}  // namespace zarv
