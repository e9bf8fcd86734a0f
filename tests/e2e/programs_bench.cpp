// programs_bench [rounds]: what the Start menu's programs cost the command bar, under Wine.
//
// 2,000 shortcuts (half in the user's Start menu, half in all users', 20 to a folder, a few of them
// uninstallers) are made for the run and removed at its end. Then:
// - Reading them: the program's own reading job, run here as the worker runs it, next to a bare
//   listing of the same folders (FindFirstFileExW, every folder, nothing kept); and the look at a
//   later showing whether anything changed.
// - A keystroke's suggestions: the program's matching of 200 command names and the programs read,
//   for a few typed texts (Latin, hiragana, half-width, initials), run here as the bar runs it;
//   and, end to end, a letter typed into zarv.exe's bar until its list is on the screen, painted,
//   with the programs and with the Start menu's bench folders moved away.
// - Private memory (RssAnon) of zarv.exe after the programs were read and suggested once, next
//   to the same program, shown and typed into the same way, without the bench folders.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "core/name_match.h"
#include "harness.h"
#include "resident/start_menu.h"
#include "ui_helpers.h"

using namespace e2e;
using namespace e2e::bench;

namespace {

const std::wstring kDir = L"C:\\zarv-e2e\\programs-bench";
const KeyCombo kBarKey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F8};
constexpr int kShortcuts = 2000;
constexpr int kPerFolder = 20;
constexpr int kCommands = 200;

int Fail(const char* why) {
    std::fprintf(stderr, "programs_bench: %s\n", why);
    return 1;
}

std::wstring BenchFolder(bool common) { return StartMenuPrograms(common) + L"\\ZARV Bench"; }
std::wstring AwayFolder(bool common) { return kDir + (common ? L"\\away-common" : L"\\away-user"); }

// Names as installers give them: Latin, Japanese, several words, now and then an uninstaller.
std::wstring ShortcutName(int folder, int k) {
    const std::wstring n = std::to_wstring(folder) + L" " + std::to_wstring(k);
    switch (k % 5) {
        case 0:
            return L"Vendor " + n + L" Tool";
        case 1:
            return L"メモ帳 " + n;
        case 2:
            return k == 7 ? L"Uninstall Studio " + n : L"Studio Editor " + n;
        case 3:
            return L"ツール " + n + L" 設定";
        default:
            return L"Código Über Ωmega " + n;
    }
}

bool MakeShortcuts() {
    const std::wstring model = kDir + L"\\model.lnk";
    if (!MakeShortcut(model, kDir + L"\\marker.exe", L"-bench")) return false;
    for (int i = 0; i < kShortcuts; ++i) {
        const int folder = i / kPerFolder;
        const std::wstring path = BenchFolder(folder % 2 == 1) + L"\\Vendor " +
                                  std::to_wstring(folder) + L"\\" +
                                  ShortcutName(folder, i % kPerFolder) + L".lnk";
        if (!CopyTo(model, path)) return false;
    }
    return true;
}

void RemoveShortcuts() {
    std::error_code ec;
    for (bool common : {false, true}) {
        std::filesystem::remove_all(BenchFolder(common), ec);
        std::filesystem::remove_all(AwayFolder(common), ec);
    }
}

// Moves the bench folders out of the Start menu (away) or back.
bool MoveFolders(bool away) {
    for (bool common : {false, true}) {
        const std::wstring from = away ? BenchFolder(common) : AwayFolder(common);
        const std::wstring to = away ? AwayFolder(common) : BenchFolder(common);
        if (!MoveFileW(from.c_str(), to.c_str())) return false;
    }
    return true;
}

// Lists every folder below folder, keeping nothing: how long the file system takes.
int BareListing(std::wstring& path) {
    int files = 0;
    const std::size_t length = path.size();
    path += L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::wstring_view name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++files;
        } else if (name != L"." && name != L"..") {
            path.resize(length + 1);
            path += name;
            files += BareListing(path);
        }
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    path.resize(length);
    return files;
}

int BareListingOfBoth() {
    int files = 0;
    for (bool common : {false, true}) {
        std::wstring root = StartMenuPrograms(common);
        files += BareListing(root);
    }
    return files;
}

// The visible suggestion list of pid, once it holds rows and is painted; null until then.
HWND ShownList(DWORD pid) {
    for (HWND list : TopLevelWindows(pid, L"ListBox"))
        if (IsWindowVisible(list) && SendMessageW(list, LB_GETCOUNT, 0, 0) > 0 &&
            !GetUpdateRect(list, nullptr, FALSE))
            return list;
    return nullptr;
}

struct BarRound {
    double keystroke = 0;  // a letter typed -> the list on the screen, painted
    long kb = 0;           // RssAnon afterwards
    int rows = 0;
};

// zarv.exe started, left idle (its programs are read), its bar shown and a letter typed.
bool RunBar(BarRound& out) {
    Process zarv = Start(kDir + L"\\zarv.exe", L"", kDir);
    HWND main = zarv ? WaitMainWindow(zarv.pid()) : nullptr;
    if (!main) return false;
    Sleep(1500);
    if (!ui::ShowBarWith(kBarKey, main)) return false;
    const LONGLONG t0 = Now();
    ui::TypeText(L"t");
    HWND list = nullptr;
    if (!Spin([&] { return (list = ShownList(zarv.pid())) != nullptr; })) return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
    out.keystroke = Ms(t0, Now());
    out.rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    ui::PressKey(VK_ESCAPE);
    ui::PressKey(VK_ESCAPE);
    if (!Spin([&] { return !IsWindowVisible(main); })) return false;
    Sleep(500);
    out.kb = RssAnonKb(kDir + L"\\zarv.exe");
    PostMessageW(main, WM_CLOSE, 0, 0);
    return zarv.WaitExit();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::error_code ec;
    RemoveShortcuts();
    std::filesystem::remove_all(kDir, ec);
    std::filesystem::create_directories(kDir, ec);
    const HotkeyRecord bar = ShowBarEntry(kBarKey);
    std::vector<CommandRecord> commands;
    std::vector<std::wstring> names;
    for (int i = 0; i < kCommands; ++i) {
        const std::wstring name = (i % 2 ? L"メール " : L"Text ") + std::to_wstring(i);
        names.push_back(name);
        commands.push_back({ToAnsi(name), "C:\\windows\\notepad.exe", "", ""});
    }
    if (!CopyTo(ZarvExe(), kDir + L"\\zarv.exe") ||
        !CopyTo(HelperFolder() + L"\\marker.exe", kDir + L"\\marker.exe") ||
        !WriteBytes(kDir + L"\\Hotkey.DAT", HotkeyFile({bar})) ||
        !WriteBytes(kDir + L"\\Command.DAT", CommandFile(commands)))
        return Fail("the bench folder could not be made");
    if (!MakeShortcuts()) return Fail("the shortcuts could not be made");

    // Reading, side by side with the bare listing, in alternating rounds.
    std::vector<double> reading, bare, check;
    std::unique_ptr<zarv::StartMenuPrograms> read;
    int files = 0;
    for (int r = 0; r < std::max(rounds, 20); ++r) {
        LONGLONG t0 = Now();
        files = BareListingOfBoth();
        bare.push_back(Ms(t0, Now()));
        zarv::ProgramReading job(0, {});
        t0 = Now();
        job.Run();
        reading.push_back(Ms(t0, Now()));
        read = std::move(job.Read);
        zarv::ProgramReading again(read->stamp, read->folders);
        t0 = Now();
        again.Run();
        check.push_back(Ms(t0, Now()));
        if (again.Read) return Fail("the unchanged folders were read again");
    }
    std::printf(
        "Start menu: %d files listed, %zu programs read (uninstallers and doubles left "
        "out), %zu KB for the list (%zu KB with the folders' names)\n",
        files, read->programs.Size(), read->programs.Bytes() / 1024,
        (read->programs.Bytes() + read->folders.capacity() * sizeof(wchar_t)) / 1024);
    Print("bare listing of both folders", bare);
    Print("reading the programs", reading);
    Print("look for a change (none)", check);
    std::printf("reading / bare listing: %.2f\n", Median(reading) / Median(bare));

    // A keystroke's matching, as the bar runs it.
    std::vector<double> keystroke;
    for (const wchar_t* typed : {L"t", L"to", L"tool", L"めも", L"ﾒﾓ", L"se", L"über", L"1"}) {
        for (int r = 0; r < 50; ++r) {
            const LONGLONG t0 = Now();
            const std::size_t found = zarv::SuggestNames(names, typed).size();
            const std::size_t programs = read->programs.Suggest(typed, 200).size();
            keystroke.push_back(Ms(t0, Now()));
            if (found + programs == 0) return Fail("a text found nothing");
        }
    }
    Print("keystroke: 200 names + programs", keystroke);

    // End to end, and memory: with the programs, and with the bench folders moved away.
    std::vector<double> with_key, without_key, with_kb, without_kb;
    int with_rows = 0, without_rows = 0;
    for (int r = 0; r < rounds; ++r) {
        BarRound with, without;
        if (!RunBar(with)) return Fail("the bar did not suggest (with the programs)");
        if (!MoveFolders(true)) return Fail("the bench folders could not be moved away");
        const bool ran = RunBar(without);
        if (!MoveFolders(false)) return Fail("the bench folders could not be moved back");
        if (!ran) return Fail("the bar did not suggest (without the programs)");
        with_key.push_back(with.keystroke);
        without_key.push_back(without.keystroke);
        with_kb.push_back(static_cast<double>(with.kb));
        without_kb.push_back(static_cast<double>(without.kb));
        with_rows = with.rows;
        without_rows = without.rows;
    }
    Print("typed -> list shown, with programs", with_key);
    Print("typed -> list shown, names only", without_key);
    std::printf("rows shown: %d with the programs, %d without\n", with_rows, without_rows);
    std::printf("private memory: %.2f MB with the programs, %.2f MB without (%+.2f MB)\n",
                Median(with_kb) / 1024, Median(without_kb) / 1024,
                (Median(with_kb) - Median(without_kb)) / 1024);
    RemoveShortcuts();
    return 0;
}
