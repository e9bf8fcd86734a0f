#include "widgets/tray_icon.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>

#include "core/text.h"
#include "core/tray_registry.h"
#include "widgets/base/ansi.h"

namespace zarv {

// "タスクトレイにアイコンを登録できません。" in UTF-8, spelt in bytes so that every compiler reads
// it alike.
const char kTrayIconError[] =
    "\xE3\x82\xBF\xE3\x82\xB9\xE3\x82\xAF\xE3\x83\x88\xE3\x83\xAC\xE3\x82\xA4\xE3\x81\xAB\xE3\x82"
    "\xA2\xE3\x82\xA4\xE3\x82\xB3\xE3\x83\xB3\xE3\x82\x92\xE7\x99\xBB\xE9\x8C\xB2\xE3\x81\xA7\xE3"
    "\x81\x8D\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82";

namespace {

// The tip is kept to 62 bytes, whatever room the record has.
constexpr std::size_t kTipBytes = 62;

TrayRegistry& Registry() {
    static TrayRegistry registry;
    return registry;
}

std::unique_ptr<TCallbackWindow>& Callback() {
    static std::unique_ptr<TCallbackWindow> window;
    return window;
}

TTrayIcon::ShellNotifyProc g_shellNotify = &Shell_NotifyIconA;

template <std::size_t N>
void CopyCut(wchar_t (&to)[N], const std::wstring& from) {
    const std::size_t n = std::min(from.size(), N - 1);
    std::copy_n(from.data(), n, to);
    to[n] = 0;
}

// An event handler may destroy the icon, and with it the very std::function being called: call
// a copy.
template <typename F, typename... Args>
void Raise(const F& handler, Args&&... args) {
    if (!handler) return;
    F copy = handler;
    copy(std::forward<Args>(args)...);
}

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it to the main loop
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

// ---- TCallbackWindow ----

TCallbackWindow* TCallbackWindow::Instance() { return Callback().get(); }

HWND TCallbackWindow::Ensure(HWND owner) {
    auto& window = Callback();
    if (!window || !window->hwnd()) {
        // Zero size and never shown. Without an owner it becomes a message-only window.
        auto fresh = std::make_unique<TCallbackWindow>();
        if (!fresh->Create(L"TCallbackWindow", L"", owner ? WS_CHILD : 0, WS_EX_NOPARENTNOTIFY, 0,
                           0, 0, 0, owner ? owner : HWND_MESSAGE)) {
            return nullptr;
        }
        window = std::move(fresh);
    }
    return window->hwnd();
}

LRESULT TCallbackWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kTrayCallbackMessage) {
        // An icon of the fourth version has its number in lParam's high word and the event in
        // its low word, and wParam holds the point of the event (the icon's place for a key);
        // the older form has the number in wParam and the mouse message in lParam.
        const bool version4 = HIWORD(lp) != 0;
        const WPARAM number = version4 ? HIWORD(lp) : wp;
        const UINT event = version4 ? LOWORD(lp) : static_cast<UINT>(lp);
        const POINT anchor{static_cast<short>(LOWORD(wp)), static_cast<short>(HIWORD(wp))};
        if (auto* icon = static_cast<TTrayIcon*>(Registry().Find(number))) {
            current_ = icon;
            icon->MouseNotification(event, anchor);
        }
        return 0;
    }
    if (msg == kClickWaitEndedMessage) {
        // The icon may be gone, and its number given to a new icon: the wait id tells them apart.
        if (auto* icon = static_cast<TTrayIcon*>(Registry().Find(wp))) {
            icon->ClickWaitEnded(static_cast<unsigned>(lp));
        }
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

// ---- TTrayIcon ----

TTrayIcon::TTrayIcon(HWND owner) : owner_(owner) {
    std::optional<unsigned> number = Registry().Add(this);
    if (!number) return;
    if (!TCallbackWindow::Ensure(owner)) {
        Registry().Remove(this);
        return;
    }
    sequence_ = *number;
    record_.cbSize = sizeof record_;
    record_.uID = sequence_;
    record_.uCallbackMessage = kTrayCallbackMessage;
}

TTrayIcon::~TTrayIcon() {
    if (shown_) DeleteFromShell();
    if (Registered()) Registry().Remove(this);
    if (auto& window = Callback(); window && window->current_ == this) window->current_ = nullptr;
}

bool TTrayIcon::Loaded() {
    loading_ = false;
    return shown_ || AddToShell();
}

void TTrayIcon::FillRecord() {
    record_.hIcon = icon_.get();
    std::memset(record_.szTip, 0, kTipBytes + 1);
    std::memcpy(record_.szTip, tipHelp_.data(), std::min(tipHelp_.size(), kTipBytes));
    // The fourth version shows the tip only when asked to.
    record_.uFlags = NIF_MESSAGE | NIF_ICON | (tipHelp_.empty() ? 0 : NIF_TIP | NIF_SHOWTIP);
}

bool TTrayIcon::AddToShell() {
    if (!visible_) return true;
    if (!Registered()) return false;
    FillRecord();
    record_.hWnd = TCallbackWindow::Ensure(owner_);
    if (!g_shellNotify(NIM_ADD, &record_)) return false;
    shown_ = true;
    // The fourth version brings the keyboard's notifications (Enter, Space, the context-menu
    // key) and the point of every event. A shell without it keeps the older form, which the
    // callback window reads as well.
    record_.uVersion = NOTIFYICON_VERSION_4;
    g_shellNotify(NIM_SETVERSION, &record_);
    if (balloonPending_) SendBalloon();
    return true;
}

bool TTrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning) {
    balloonTitle_ = title;
    balloonText_ = text;
    balloonWarning_ = warning;
    balloonPending_ = !shown_;
    return !shown_ || SendBalloon();
}

bool TTrayIcon::SendBalloon() {
    balloonPending_ = false;
    // The same icon (window and number) as the ANSI record: only the balloon goes as wide text,
    // so that names outside the code page come whole.
    NOTIFYICONDATAW info{};
    info.cbSize = sizeof info;
    info.hWnd = record_.hWnd;
    info.uID = record_.uID;
    info.uFlags = NIF_INFO;
    CopyCut(info.szInfoTitle, balloonTitle_);
    CopyCut(info.szInfo, balloonText_);
    info.dwInfoFlags = balloonWarning_ ? NIIF_WARNING : NIIF_INFO;
    return Shell_NotifyIconW(NIM_MODIFY, &info) != FALSE;
}

bool TTrayIcon::ModifyInShell() {
    FillRecord();
    return g_shellNotify(NIM_MODIFY, &record_) != FALSE;
}

void TTrayIcon::DeleteFromShell() {
    FillRecord();
    g_shellNotify(NIM_DELETE, &record_);  // nothing to do about a failure
    shown_ = false;
}

bool TTrayIcon::SetVisible(bool visible) {
    if (visible == visible_) return true;
    visible_ = visible && icon_;
    if (loading_) return true;
    if (visible_) return AddToShell();
    if (shown_) DeleteFromShell();
    return true;
}

bool TTrayIcon::SetIcon(HICON icon) {
    if (icon && icon == icon_.get()) return true;
    if (icon) {
        UniqueIcon copy(CopyIcon(icon));
        if (copy) {
            icon_ = std::move(copy);
            return !shown_ || ModifyInShell();
        }
    }
    // No picture (or one that could not be copied): the icon leaves the notification area first,
    // so the shell never holds a record without a picture.
    SetVisible(false);
    icon_.reset();
    return true;
}

bool TTrayIcon::SetTipHelp(std::string_view ansi) {
    std::string tip = CutText(ansi, kTipBytes, AnsiCodePage());
    if (tip == tipHelp_) return true;
    tipHelp_ = std::move(tip);
    return !shown_ || ModifyInShell();
}

void TTrayIcon::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) click_.Cancel();
}

void TTrayIcon::SetAnimateRate(int ms) {
    if (ms != animateRate_) animateRate_ = std::max(ms, 100);
}

void TTrayIcon::SetAnimateIcons(HIMAGELIST list) {
    if (!animating_) animateIcons_ = list;
}

void TTrayIcon::MenuDestroyed(HMENU menu) {
    if (!menu) return;
    if (lbPopupMenu_ == menu) lbPopupMenu_ = nullptr;
    if (rbPopupMenu_ == menu) rbPopupMenu_ = nullptr;
}

void TTrayIcon::ImageListDestroyed(HIMAGELIST list) {
    if (list && animateIcons_ == list) animateIcons_ = nullptr;
}

bool TTrayIcon::TaskbarCreated() {
    // A new taskbar knows no icon, whatever the flag says. The message also comes while the
    // taskbar still holds the icon (some systems send it when the display changes), where a
    // second add would fail: the icon is taken out first, which fails harmlessly otherwise.
    if (shown_) DeleteFromShell();
    shown_ = false;
    return loading_ || AddToShell();
}

UINT TTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

HWND TTrayIcon::CallbackWindow() {
    auto& window = Callback();
    return window ? window->hwnd() : nullptr;
}

TTrayIcon::ShellNotifyProc TTrayIcon::SetShellNotifyProc(ShellNotifyProc proc) {
    return std::exchange(g_shellNotify, proc);
}

namespace {

// A notification as the keyboard model sees it.
TrayKeys::Event TrayKeysEvent(UINT event) {
    switch (event) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return TrayKeys::Event::LeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return TrayKeys::Event::RightButton;
        case NIN_SELECT:
            return TrayKeys::Event::Select;
        case NIN_KEYSELECT:
            return TrayKeys::Event::KeySelect;
        case WM_CONTEXTMENU:
            return TrayKeys::Event::ContextMenu;
        default:
            return TrayKeys::Event::Other;
    }
}

}  // namespace

void TTrayIcon::MouseNotification(UINT mouseMsg, POINT anchor) {
    if (!enabled_) return;
    if (mouseMsg == NIN_BALLOONUSERCLICK) {
        Raise(OnBalloonClick, *this);
        return;
    }
    switch (keys_.Notify(TrayKeysEvent(mouseMsg))) {
        case TrayKeys::Open::LeftMenu:
            if (lbPopupMenu_) PopUp(lbPopupMenu_, anchor);
            return;
        case TrayKeys::Open::RightMenu:
            if (rbPopupMenu_) PopUp(rbPopupMenu_, anchor);
            return;
        case TrayKeys::Open::Nothing:
            break;
    }
    POINT at{};
    GetCursorPos(&at);  // the mouse's events go by the pointer
    switch (mouseMsg) {
        case WM_MOUSEMOVE:
            Raise(OnMouseMove, *this, TShiftState{0}, at.x, at.y);
            break;
        case WM_LBUTTONDOWN:
            if (lbPopupMenu_ && AutoPopup) {
                PopUp(lbPopupMenu_, at);
            } else {
                Raise(OnMouseDown, *this, TMouseButton::Left, ssLeft, at.x, at.y);
            }
            break;
        case WM_LBUTTONUP:
            if (OnMouseUp) {
                Raise(OnMouseUp, *this, TMouseButton::Left, ssLeft, at.x, at.y);
            } else {
                LeftButtonUp();
            }
            break;
        case WM_LBUTTONDBLCLK:
            click_.DoubleClick();
            Raise(OnDblClick, *this);
            break;
        case WM_RBUTTONDOWN:
            if (rbPopupMenu_ && AutoPopup) {
                PopUp(rbPopupMenu_, at);
            } else {
                Raise(OnMouseDown, *this, TMouseButton::Right, ssRight, at.x, at.y);
            }
            break;
        case WM_RBUTTONUP:
            Raise(OnMouseUp, *this, TMouseButton::Right, ssRight, at.x, at.y);
            break;
        case WM_MBUTTONDOWN:
            Raise(OnMouseDown, *this, TMouseButton::Middle, ssMiddle, at.x, at.y);
            break;
        case WM_MBUTTONUP:
            Raise(OnMouseUp, *this, TMouseButton::Middle, ssMiddle, at.x, at.y);
            break;
        default:  // WM_RBUTTONDBLCLK and anything else
            break;
    }
}

void TTrayIcon::LeftButtonUp() {
    unsigned wait = click_.ButtonUp(static_cast<bool>(OnClick));
    if (wait && !TSingleClick::Start(CallbackWindow(), sequence_, wait)) click_.Cancel();
}

void TTrayIcon::ClickWaitEnded(unsigned waitId) {
    if (click_.WaitEnded(waitId, static_cast<bool>(OnClick))) Raise(OnClick, *this);
}

void TTrayIcon::PopUp(HMENU menu, POINT at) {
    // Only locals from here on: the pending messages may destroy the icon.
    HWND window = owner_ ? owner_ : CallbackWindow();
    NOTIFYICONDATAA record = record_;
    if (owner_) {
        // A menu tracked for a window that is not in the foreground does not close when the user
        // clicks elsewhere. Activating the owner queues messages that are best handled before the
        // menu's own loop starts.
        SetForegroundWindow(window);
        ProcessPendingMessages();
    }
    if (!IsMenu(menu)) return;
    // The chosen command arrives at the window as WM_COMMAND. The menu's window comes to the
    // foreground (a stand-in while the window is hidden), so that the menu takes the keyboard,
    // and gets a message after the menu closes: without one, the next pop-up of a notification
    // icon's menu may vanish as soon as it appears.
    if (PopupMenuAt(menu, window, at.x, at.y) == 0 && GetKeyState(VK_ESCAPE) < 0) {
        // Left with Escape: the keyboard goes back to the icon in the notification area.
        g_shellNotify(NIM_SETFOCUS, &record);
    }
}

}  // namespace zarv
