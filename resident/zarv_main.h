#pragma once
// The resident window `TZarv_main`: hidden, borderless and always on top; it is the command bar,
// owns the tray icon and both pop-up menus, and receives the global hot keys.
#include <windows.h>

#include <memory>
#include <string>

#include "core/data_file_state.h"
#include "core/hotkey_repeat.h"
#include "core/notices.h"
#include "menus/command_bar.h"
#include "menus/launcher_menu.h"
#include "menus/tray_menu.h"
#include "resident/hotkeys.h"
#include "resident/session_watch.h"
#include "settings/editor_host.h"
#include "widgets/base/handles.h"
#include "widgets/base/window.h"

namespace zarv {

class TTrayIcon;

class TZarv_main : public Window, private CommandBarHost, private EditorHost {
public:
    // debug: started with "/DEBUG" (no single-instance guard for the hotkey editor);
    // application: the hidden application window that owns the resident window.
    TZarv_main(bool debug, HWND application);
    ~TZarv_main() override;

    // Creates the window (running FormCreate) and adds the tray icon; false when the window
    // could not be created.
    bool CreateResident();

    // Tray-menu handlers, also reached by the internal functions 252 to 254.
    void Setting1Click();
    void SCommadClick();
    void CommandClick();
    void AboutCmdClick();
    void Exit1Click();

    // Pop the launcher menu or the tray menu up with their top-left corner at (x, y).
    void PopupItemMenu(int x, int y);
    void PopupTrayMenu(int x, int y);

    // Rebuilds the launcher menu from entries and registers their hot keys (the previous
    // registrations are dropped first).
    void RegisterHotkeysFrom(const std::vector<THotkeyItem>& entries);
    // Refills the command bar's names from CommandList.
    void RefillCommandNames();

    HWND Application() const { return application_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Runs only while the key of the hot key that ran last is held (HotkeyRepeatWatch).
    static constexpr UINT_PTR kKeyWatchTimer = 2;
    // Posted when an answer found an entry missing: the keys are registered again once for
    // every answer that came in before it, not once an answer.
    static constexpr UINT kRenewHotkeysMessage = WM_APP + 15;
    // The answers to a look-up of a folder for the bar and to a reading of the Start menu's
    // programs (the entries' jobs use WM_APP + 10 and + 11).
    static constexpr UINT kFolderListedMessage = WM_APP + 14;
    static constexpr UINT kProgramsReadMessage = WM_APP + 24;
    // Runs only while the system refuses an available entry's key that may come free.
    static constexpr UINT_PTR kRetryKeysTimer = 6;
    static constexpr UINT kRetryKeysMs = 30000;

    void FormCreate();
    void FormClose();
    // The hotkey editor, opened with row selected.
    void OpenHotkeyEditor(int row);

    // Notices (resident/zarv_main_notices.cpp). A notice from the tray icon; a click on it opens
    // the hotkey editor on clickRow (-1: does nothing).
    void ShowNotice(const Notice& notice, bool warning, int clickRow);
    void BalloonClicked();
    // What start-up tells once both files are read: files it could not read, or the first run,
    // then the keys it could not take.
    void StartupNotices();
    // After a registration pass (or a retry): keys that may come free are tried again on the
    // clock and when the session comes back; tell: one notice names the keys not taken.
    void KeysRegistered(bool tell);
    // The refused keys tried again, silently.
    void RetryKeys();
    void RegisterHotkeys();
    void WMHotKey(WPARAM id);
    // One look at the key of the hot key that ran last, while it is held.
    void WatchHotkeyKey();
    void RunHotkeyEntry(WPARAM id);
    void LauncherItemClick(int tag);
    void RunEntry(std::size_t tag, const THotkeyItem& entry);
    // The window a start asked for now has its elevation prompt over (StartOwnerNow), the
    // command bar standing for the window that was in front before it.
    HWND StartOwnerHere() const;
    // Asks the worker for the test and picture of entry tag of the current list.
    void CheckEntry(std::size_t tag);
    void EntryChecked(std::unique_ptr<class EntryCheck> answer);
    void StartDone(std::unique_ptr<class StartJob> answer);
    // The entry's file turned out to be missing: greyed out, its hot key dropped.
    void EntryMissing(std::size_t tag);
    std::vector<bool> Available() const;
    void AddTrayIcon();
    // The notification area's picture: the program's icon at the small-icon size of dpi.
    void SetTrayPicture(int dpi);

    // A data file and what start-up does with its list once it has been read.
    struct ListFile {
        DataFileState state;
        UINT_PTR timer;                        // the reads on the clock
        bool (*load)(DataFileState&, ReadBy);  // LoadHotkeys or LoadCommands
        void (TZarv_main::*use)();             // RegisterHotkeys or RefillCommandNames
    };
    // Reads the file of a list and, when that gives a list, does what start-up does with it. A
    // file the system failed to read at start-up is read again on the clock and as its editor
    // opens (by); these reads are skipped once a read has succeeded.
    void ReadListFile(ListFile& file, ReadBy by);
    // The read as the list's editor opens (ReadListFile by ReadBy::Editor).
    void ReadListFileForEditor(ListFile& file);
    void HideBar();

    // EditorHost. The tray icon ignores the mouse while one of our modal windows is open or the
    // command bar is shown. Modal windows nest (a hot key still reaches this window from inside
    // an editor and can open the other editor over it), so they are counted, and the icon
    // answers again only when the last one has closed.
    void ModalBegin() override;
    void ModalEnd() override;
    void ApplyHotkeys(const std::vector<THotkeyItem>& rows) override;
    void ApplyCommands() override;
    void SaveHotkeys() override;
    void SaveCommands() override;
    void UpdateTray();

    // CommandBarHost
    void Btn_ExecuteClick() override;
    void CommandBoxKeyDown(WPARAM key) override;
    void Panel1MouseDown(int button, int x, int y) override;
    void BarContextMenu(int x, int y) override;
    void ListFolder(const std::wstring& folder) override;
    void ReadPrograms(std::uint64_t stamp, const std::wstring& folders) override;

    // KeyStatus
    const RegistrationOutcome& LastPass() const override;
    bool TrialFails(KeyCombination key) override;

    bool debug_;
    int modalDepth_ = 0;
    bool menuLoop_ = false;    // a pop-up menu of ours is open
    HWND barOwner_ = nullptr;  // the window in front before the bar was shown
    HWND application_;
    // A second request for the hotkey editor does nothing; one for the command editor brings
    // the open one to the front.
    EditorSlot hotkeyEditor_{false};
    EditorSlot commandEditor_{true};
    TLauncherMenu ItemMenu;
    TTrayMenu PopupMenu1;
    TCommandBar bar_;
    std::unique_ptr<TTrayIcon> TrayIcon1;
    std::unique_ptr<HotkeyRegistration> hotkeys_;
    HotkeyRepeatWatch keyWatch_;
    // What is known of the registered entries' files, and which of them are being started. An
    // entry is taken as there until its test answers: its item works and its key is held.
    enum class FileState : unsigned char { Unknown, Present, Missing };
    std::vector<FileState> files_;
    std::vector<bool> starting_;
    bool renewPending_ = false;  // a renewal of the keys is posted
    bool creating_ = false;      // in FormCreate: the notices wait for its end
    int noticeRow_ = -1;         // the row a click on the notice shown opens the editor on
    SessionWatch sessionWatch_;  // while a key may come free
    unsigned generation_ = 0;    // of the registered entries; answers of another are stale
    ListFile hotkeyFile_;
    ListFile commandFile_;
};

// The one resident window of the process.
extern TZarv_main* Zarv_main;

}  // namespace zarv
