#pragma once
// Where a path meets the file system. What an entry names becomes wide text here once, from the
// record's bytes: its %NAME% references expanded, read as the running Windows means it (the
// 32-bit build on 64-bit Windows reads it as the 64-bit build does), tested, given its icon and
// started. Every way of starting something (hot keys, launcher items, the command bar) ends in
// the starts below, and every test of an entry's file is made here.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/launch_plan.h"
#include "core/pe_icons.h"
#include "core/suggestions.h"
#include "widgets/base/worker.h"

namespace zarv {

// ---- Reading a path ---------------------------------------------------------------------------

// True for the 32-bit build on 64-bit Windows (under WOW64). There the system folder, the
// program folders and the search for a bare program name are read as 64-bit Windows means them;
// elsewhere every path is used as it stands.
bool ReadsPathsAs64Bit();
// The path the file system is asked about for path: under WOW64 the 64-bit system folder is
// reached through "Sysnative"; anything else, and everything elsewhere, unchanged.
std::wstring FileSystemPath(const std::wstring& path);

// The other way, for a path the user picked in a system dialog that was opened through
// FileSystemPath, and for every path an entry names: "...\Sysnative\..." is read as
// "...\System32\..." under WOW64 and in the 64-bit build (where an old entry may still name
// it), so that the data file means the same to both builds.
std::wstring WrittenPath(const std::wstring& path);

// The value of one of this process's environment variables; nothing when unset. Under WOW64
// "ProgramFiles" and "CommonProgramFiles" give the 64-bit folders.
std::optional<std::wstring> EnvironmentVariable(std::wstring_view name);
// A file or folder field of an entry as it is used: wide text, with its %NAME% references
// expanded, unless something exists at the path as written, and a "Sysnative" path read as
// WrittenPath reads it. The stored text is never changed.
std::wstring EntryPath(const std::string& ansiPath);
std::wstring EntryPath(const std::wstring& path);
// Options of an entry as they are used: wide text, %NAME% references expanded.
std::wstring EntryText(const std::string& ansiText);

// ---- Testing it -------------------------------------------------------------------------------

// The program's own thread(s) test files without the system's "no disk in the drive" box, for
// a card reader or an empty DVD drive: each thread that tests files calls this first. The
// process's mode stays the system's default, which every start hands on.
void QuietFileTestsOnThisThread();
// Asks, once and before any other thread reads a path, what the readings of paths keep for the
// life of the process (the system folder, WOW64, the code page): their stores are not guarded
// against two threads asking first at the same moment.
void AskFileSystemViewOnce();

// True when path names an existing file, not a folder (read as above); a drive without a medium
// answers false without a box.
bool IsExistingFile(const std::wstring& path);
bool IsExistingFolder(const std::wstring& path);
// The file an entry's file field names, as it is used (EntryPath): the path itself when a file is
// there; for a bare program name ("cmd", "wsl") the program the direct start finds for it;
// empty when neither is there.
std::wstring EntryFile(const std::wstring& path);
// Whether the file entry ansiPath names, as it is used, is there (EntryFile).
bool EntryFileExists(const std::string& ansiPath);

// The entries of folder (a path ending in a separator), hidden ones left out, in the order the
// file system gives them; none when it cannot be listed. It waits as long as the drive does: call
// it off the window thread.
std::vector<FolderEntry> FolderEntries(const std::wstring& folder);

// The folder the running program lies in, without a closing backslash ("C:" for a drive's root).
std::wstring ProgramFolder();

// The folders the direct start looks in for a program named without one, in its order: the
// resident program's folder, the current folder, the system folders, then PATH.
std::vector<std::wstring> ProgramSearchFolders();
// The file system as a start's plan sees it: the tests above and, with searchFolders, those
// folders (their reading asks for the environment and the folders, which a start needs only once
// its direct start has failed).
LaunchFiles SystemLaunchFiles(bool searchFolders = true);

// ---- Its icon ---------------------------------------------------------------------------------

// The first icon of a program, library or icon file at size x size; nullptr when it holds none.
HICON FirstIconOf(const std::wstring& path, int size);
// The shell's picture for the file's type, at size x size; nullptr when there is none.
HICON AssociatedIcon(const std::wstring& path, int size);
// Whether the file holds an icon of its own, from its headers.
IconPresence FileIconPresence(const std::wstring& path);

// ---- Starting it ------------------------------------------------------------------------------

// The system calls a start is made of: the system's own in the program; tests hand in stand-ins
// that record what they are asked and answer as the system would.
struct StartCalls {
    decltype(&CreateProcessW) createProcess = &CreateProcessW;
    decltype(&ShellExecuteExW) shellExecuteEx = &ShellExecuteExW;
    decltype(&AllowSetForegroundWindow) allowSetForeground = &AllowSetForegroundWindow;
    decltype(&GetForegroundWindow) foregroundWindow = &GetForegroundWindow;
};

// Every start passes on the right to set the foreground window, which a hot key (or our own menu
// or bar in front) gave the program for the moment, so that the started program's window comes
// to the front and typed keys reach it. The launcher itself is not activated.

// Starts a process directly from commandLine, whole, with a start-up record of its own that
// carries only our show state, nothing inherited, the system's default error mode, in workDir
// (or, when it is empty, in the current folder). Under WOW64 the program, a bare name's search
// and the folder are read as 64-bit Windows reads them. 0 when the process was created (its
// handles are closed at once), else the system's error. Safe on any thread.
DWORD StartProcess(const std::wstring& commandLine, const std::wstring& workDir,
                   const StartCalls& calls = {});

// The shell's "open" of a program with parameters in a folder (empty: the current one), without
// error boxes: 0 when it started, else the error (ERROR_CANCELLED: the user declined the
// elevation prompt). owner is the window the elevation prompt comes up over.
DWORD ShellStart(HWND owner, const std::wstring& program, const std::wstring& parameters,
                 const std::wstring& folder, const StartCalls& calls = {});

// The shell's "Open" for a file, folder or URL, owned by owner, shown normally. The target goes
// to the shell as written: the program that opens it reads it as 64-bit Windows means it. 0 when
// the shell took it, else the error.
DWORD ShellOpen(HWND owner, const std::wstring& target, const StartCalls& calls = {});

// ---- Off the window thread --------------------------------------------------------------------

// Whether the file a field names, as it is used (EntryPath), exists: a job for the worker.
class FileTest : public WorkerJob {
public:
    explicit FileTest(std::wstring field) : Field(std::move(field)) {}
    void Run() override { Exists = !EntryFile(EntryPath(Field)).empty(); }

    std::wstring Field;
    bool Exists = false;
};

// The entries of a folder (FolderEntries): a job for the worker.
class FolderListing : public WorkerJob {
public:
    explicit FolderListing(std::wstring folder) : Folder(std::move(folder)) {}
    void Run() override { Entries = FolderEntries(Folder); }

    std::wstring Folder;
    std::vector<FolderEntry> Entries;
};

}  // namespace zarv
