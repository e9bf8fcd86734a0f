#include "resident/zarv_main.h"

#include <algorithm>

#include "core/launch_text.h"
#include "core/launcher_items.h"
#include "core/records.h"
#include "core/tables.h"
#include "resident/data_files.h"
#include "resident/entry_jobs.h"
#include "resident/internal_functions.h"
#include "resident/launch.h"
#include "resident/start_menu.h"
#include "settings/about.h"
#include "settings/setting_form.h"
#include "settings/str_command_form.h"
#include "widgets/base/ansi.h"
#include "widgets/base/dpi.h"
#include "widgets/base/files.h"
#include "widgets/tray_icon.h"

namespace zarv {

TZarv_main* Zarv_main = nullptr;

namespace {

constexpr UINT_PTR kHotkeyFileTimer = 3;
constexpr UINT_PTR kCommandFileTimer = 4;
// Once, when start-up is over: the command bar's controls. Not at the very first idle moment, but
// a moment later, so that a menu opened as soon as the program answers (with the first pass of its
// pictures) does not wait for them; while a menu is open they wait until it closes.
constexpr UINT_PTR kBarTimer = 5;
constexpr UINT kBarDelayMs = 200;

}  // namespace

TZarv_main::TZarv_main(bool debug, HWND application)
    : debug_(debug),
      application_(application),
      hotkeyFile_{{}, kHotkeyFileTimer, &LoadHotkeys, &TZarv_main::RegisterHotkeys},
      commandFile_{{}, kCommandFileTimer, &LoadCommands, &TZarv_main::RefillCommandNames} {}

TZarv_main::~TZarv_main() { TrayIcon1.reset(); }

bool TZarv_main::CreateResident() {
    // Owned by the hidden application window, so it has no taskbar button; the bar is
    // borderless and stays on top.
    // The title is what a screen reader announces when the bar comes up.
    if (!Create(L"TZarv_main", L"ZARV コマンド", WS_POPUP | WS_CLIPCHILDREN,
                WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, TCommandBar::kWidth, TCommandBar::kHeight,
                application_, LoadIconW(AppInstance(), L"MAINICON")))
        return false;
    FormCreate();
    AddTrayIcon();
    // The bar's controls, and the common controls they load, are not part of start-up either:
    // they are made while the program has nothing else to do, before the user calls the bar.
    SetTimer(hwnd(), kBarTimer, kBarDelayMs, nullptr);
    return true;
}

void TZarv_main::AddTrayIcon() {
    // When the shell's taskbar is not there yet, the icon is added when it announces itself
    // ("TaskbarCreated"); hot keys work meanwhile.
    if (TrayIcon1) TrayIcon1->Loaded();
}

void TZarv_main::FormCreate() {
    HWND self = hwnd();
    bar_.Create(self, *this);
    hotkeys_ = std::make_unique<HotkeyRegistration>(self);
    TrayIcon1 = std::make_unique<TTrayIcon>(self);
    if (TrayIcon1->Registered()) {
        // The window starts at (0, 0), on the primary monitor with the notification area.
        SetTrayPicture(DpiForWindow(self));
        TrayIcon1->SetTipHelp("Z.A.R.V");
        TrayIcon1->SetLBPopupMenu(ItemMenu.handle());
        TrayIcon1->SetRBPopupMenu(PopupMenu1.handle());
        TrayIcon1->OnBalloonClick = [this](TTrayIcon&) { BalloonClicked(); };
        TrayIcon1->SetVisible(true);
    } else {
        TrayIcon1.reset();
    }

    // The application's deactivation is WM_ACTIVATEAPP, handled below.
    creating_ = true;
    ReadListFile(hotkeyFile_, ReadBy::Startup);
    ReadListFile(commandFile_, ReadBy::Startup);
    creating_ = false;
    CreateTables();
    StartupNotices();
}

void TZarv_main::ReadListFile(ListFile& file, ReadBy by) {
    KillTimer(hwnd(), file.timer);
    if (by == ReadBy::Startup) {
        // Set before the read: a read that fails shows its box, and the reads on the clock go on
        // while it stays open.
        SetTimer(hwnd(), file.timer, kRereadSeconds[0] * 1000, nullptr);
    } else if (!file.state.Unread()) {
        return;
    }
    if (file.load(file.state, by)) (this->*file.use)();
    auto delay = file.state.RereadDelayMs();
    if (!delay) {
        KillTimer(hwnd(), file.timer);
    } else if (by != ReadBy::Startup) {
        // (After the start-up read the timer set before it, or by a read it ran, is the due one.)
        SetTimer(hwnd(), file.timer, *delay, nullptr);
    }
}

void TZarv_main::SetTrayPicture(int dpi) {
    const int size = SmallIconSize(dpi);
    UniqueIcon icon(
        static_cast<HICON>(LoadImageW(AppInstance(), L"MAINICON", IMAGE_ICON, size, size, 0)));
    TrayIcon1->SetIcon(icon.get());  // the icon keeps a copy
}

void TZarv_main::FormClose() {
    sessionWatch_.Stop();
    hotkeys_->UnregisterAll();
    ReleaseTables();
}

void TZarv_main::RefillCommandNames() { bar_.RefillNames(CommandList); }

void TZarv_main::UpdateTray() {
    if (TrayIcon1) TrayIcon1->SetEnabled(modalDepth_ == 0 && !bar_.IsShown());
}

void TZarv_main::PopupItemMenu(int x, int y) { ItemMenu.Popup(hwnd(), x, y); }

void TZarv_main::PopupTrayMenu(int x, int y) { PopupMenu1.Popup(hwnd(), x, y); }

void TZarv_main::Setting1Click() { OpenHotkeyEditor(0); }

void TZarv_main::OpenHotkeyEditor(int row) {
    // Without "/DEBUG" also an editor of another copy of the program counts.
    if (!debug_ && FindWindowW(L"TSettingForm", nullptr)) return;
    if (hotkeyEditor_.Busy()) return;
    RetryKeys();  // its red keys show what holds now
    ReadListFileForEditor(hotkeyFile_);
    TSettingForm editor(*this, HotkeyList);
    editor.SelectAtOpen(row);
    hotkeyEditor_.Run(editor, application_);
}

void TZarv_main::SCommadClick() {
    if (commandEditor_.Busy()) return;
    ReadListFileForEditor(commandFile_);
    TStrCommandForm editor(*this, CommandList);
    commandEditor_.Run(editor, application_);
}

void TZarv_main::ReadListFileForEditor(ListFile& file) {
    // Its box, when the file still cannot be read, is modal like the editor that follows it.
    ModalBegin();
    ReadListFile(file, ReadBy::Editor);
    ModalEnd();
}

void TZarv_main::ModalBegin() {
    ++modalDepth_;
    UpdateTray();
}

void TZarv_main::ModalEnd() {
    --modalDepth_;
    UpdateTray();
}

void TZarv_main::ApplyHotkeys(const std::vector<THotkeyItem>& rows) { RegisterHotkeysFrom(rows); }

void TZarv_main::ApplyCommands() { RefillCommandNames(); }

void TZarv_main::SaveHotkeys() { zarv::SaveHotkeys(hotkeyFile_.state); }

void TZarv_main::SaveCommands() { zarv::SaveCommands(commandFile_.state); }

void TZarv_main::AboutCmdClick() {
    TAbout about(this);
    about.ShowModal(application_);
}

void TZarv_main::Exit1Click() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

const RegistrationOutcome& TZarv_main::LastPass() const { return hotkeys_->Outcome(); }

bool TZarv_main::TrialFails(KeyCombination key) {
    // On the hidden application window, whose identifiers are its own: the resident window's
    // are the entries' positions.
    constexpr int kTrialId = 1;
    if (!RegisterHotKey(application_, kTrialId, key.Modifiers, key.VKey)) return true;
    UnregisterHotKey(application_, kTrialId);
    return false;
}

LRESULT TZarv_main::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_HOTKEY:
            WMHotKey(wp);
            return 0;
        case WM_COMMAND: {
            UINT id = LOWORD(wp);
            if (lp != 0) {  // a control of the bar
                if (reinterpret_cast<HWND>(lp) == bar_.Btn_Execute() && HIWORD(wp) == BN_CLICKED)
                    Btn_ExecuteClick();
                if (reinterpret_cast<HWND>(lp) == bar_.CommandBox())
                    bar_.CommandBoxNotice(HIWORD(wp));
                return 0;
            }
            int tag = ItemMenu.TagOf(id);
            if (tag >= 0) {
                LauncherItemClick(tag);
                return 0;
            }
            switch (id) {
                case TTrayMenu::Setting1:
                    Setting1Click();
                    break;
                case TTrayMenu::SCommad:
                    SCommadClick();
                    break;
                case TTrayMenu::Command:
                    CommandClick();
                    break;
                case TTrayMenu::AboutCmd:
                    AboutCmdClick();
                    break;
                case TTrayMenu::Exit1:
                    Exit1Click();
                    break;
            }
            return 0;
        }
        case WM_TIMER:
            if (wp == kKeyWatchTimer) WatchHotkeyKey();
            if (wp == kHotkeyFileTimer) ReadListFile(hotkeyFile_, ReadBy::Timer);
            if (wp == kCommandFileTimer) ReadListFile(commandFile_, ReadBy::Timer);
            if (wp == kRetryKeysTimer) RetryKeys();
            if (wp == kBarTimer) {
                KillTimer(hwnd(), kBarTimer);
                if (!menuLoop_) bar_.MakeControls();
            }
            return 0;
        case kFolderListedMessage: {
            const std::unique_ptr<FolderListing> answer = Worker::Answer<FolderListing>(lp);
            bar_.FolderListed(answer->Folder, std::move(answer->Entries));
            return 0;
        }
        case kProgramsReadMessage:
            bar_.ProgramsRead(std::move(Worker::Answer<ProgramReading>(lp)->Read));
            return 0;
        case WM_ENTERMENULOOP:
            menuLoop_ = true;
            break;
        case WM_EXITMENULOOP:
            menuLoop_ = false;
            if (!bar_.Panel1()) SetTimer(hwnd(), kBarTimer, kBarDelayMs, nullptr);
            break;
        case WM_INITMENUPOPUP:
            // Opened on a monitor of another scaling: the pictures are looked up at its size.
            if (reinterpret_cast<HMENU>(wp) == ItemMenu.handle()) {
                RetryKeys();
                if (ItemMenu.InitPopup(hwnd()))
                    for (int tag : ItemMenu.WantedPictures()) CheckEntry(static_cast<size_t>(tag));
            }
            break;
        case kEntryCheckedMessage:
            EntryChecked(Worker::Answer<EntryCheck>(lp));
            return 0;
        case kStartDoneMessage:
            StartDone(Worker::Answer<StartJob>(lp));
            return 0;
        case kRenewHotkeysMessage:
            renewPending_ = false;
            hotkeys_->Renew(Available());
            KeysRegistered(false);
            return 0;
        case WM_POWERBROADCAST:
            // Back from sleep: a key another program held may have come free.
            if (wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMESUSPEND) RetryKeys();
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (wp == WTS_SESSION_UNLOCK) RetryKeys();
            return 0;
        case WM_MEASUREITEM:
            if (ItemMenu.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (ItemMenu.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp))) return TRUE;
            break;
        case WM_DPICHANGED:
            // The bar went to a monitor of another DPI, or the user changed the scaling: the
            // bar lays itself out again, and the notification area's picture follows the
            // primary monitor.
            bar_.DpiChanged(wp, lp);
            if (TrayIcon1) SetTrayPicture(PrimaryMonitorDpi());
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:  // the colours or high contrast changed: the bar takes them
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case WM_ACTIVATEAPP:
            // Another program became active: the shown bar goes away.
            if (!wp && bar_.IsShown()) HideBar();
            return 0;
        case WM_CLOSE:
            FormClose();
            DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            TrayIcon1.reset();  // the icon leaves the notification area with its window
            PostQuitMessage(0);
            return 0;
        default:
            if (msg == TTrayIcon::TaskbarCreatedMessage() && msg != 0) {
                if (TrayIcon1) TrayIcon1->TaskbarCreated();
                return 0;
            }
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
