#pragma once
// What a start does after its direct start has failed: the decision alone, apart from the system
// calls, so that it is tested without them. A program is always started with its options: when
// the direct start cannot, the shell starts it with them (this brings the elevation prompt for a
// program that asks for administrator rights). Only what is not a program file (a document, a
// folder, a URL) is handed to the shell's "Open" alone.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarv {

// The system's error codes the decision tells apart.
constexpr unsigned long kErrorElevationRequired = 740;  // the program asks for administrator rights
constexpr unsigned long kErrorCancelled = 1223;         // the user declined the elevation prompt

// The file system as the decision sees it.
struct LaunchFiles {
    std::function<bool(const std::wstring&)> fileExists;    // a file, not a folder
    std::function<bool(const std::wstring&)> folderExists;  // a folder
    // Where a program named without a folder is looked for, in order.
    std::vector<std::wstring> searchFolders;
};

// A command line cut into its program and the rest.
struct ProgramSplit {
    std::wstring program;     // the file found, with ".exe" added where that was needed
    std::wstring parameters;  // the text after the program's name, without the blanks before it

    bool operator==(const ProgramSplit&) const = default;
};

// The file a program name stands for, as the direct start looks for it: the name with ".exe"
// added when it has no extension, in files.searchFolders when it has no folder part.
std::optional<std::wstring> FindProgram(std::wstring_view name, const LaunchFiles& files);

// Finds the program at the start of a command line the way the direct start reads one given
// without a separate program name: a quoted first token, or else the shortest blank-separated
// prefix that names an existing file. A name without an extension is tried with ".exe"; a name
// without a folder is looked for in files.searchFolders. Nothing when no prefix names a file.
std::optional<ProgramSplit> SplitProgram(std::wstring_view commandLine, const LaunchFiles& files);

// The command line a file field (or a typed line) starts directly, read as the system's own
// search reads it but never shorter than what exists, so that a file planted at a shorter
// beginning ("C:\Program.exe" for "C:\Program Files\...") is never started:
// - a field without a blank, a quoted one, or one whose first word names no folder: as written;
// - a field that as a whole names an existing file or folder: that path, quoted;
// - else the longest blank-separated beginning that names an existing file (".exe" added where
//   it has no extension), quoted when it holds a blank, then the rest of the field as written; a
//   beginning that is only part of a longer existing path ("C:\Program" of "C:\Program Files")
//   is never taken.
// Nothing when no beginning names a file: nothing is to be started directly.
std::optional<std::wstring> ProgramLine(std::wstring_view field, const LaunchFiles& files);

// A start request, its texts expanded.
struct LaunchRequest {
    std::wstring filePath;  // an entry's file; or, typed, the whole text from the command bar
    std::wstring options;
    std::wstring workDir;
    bool typed = false;  // text typed into the command bar: no options, no folder of its own
};

enum class LaunchAction {
    Stop,         // nothing more is tried
    StartDirect,  // a new process from the command line `file`, in `folder`
    ShellStart,   // the shell's "open" of the program `file` with `parameters`, in `folder`
    ShellOpen,    // the shell's "Open" of `file` alone
};

struct LaunchStep {
    LaunchAction action = LaunchAction::Stop;
    std::wstring file;
    std::wstring parameters;
    std::wstring folder;  // empty: the resident program's current folder

    bool operator==(const LaunchStep&) const = default;
};

// The first step of every start: directly, the entry's file (as ProgramLine reads it), one blank
// and its options, in its folder; or the typed text as ProgramLine reads it. When the file or
// text names nothing that exists, the shell's "Open" of it alone.
LaunchStep FirstLaunchStep(const LaunchRequest& request, const LaunchFiles& files);

// The step after `failed` ended with error (the system's code):
// - a direct start whose folder does not exist (any more): directly again, in the current folder;
// - a direct start that asked for administrator rights (740), or failed for a program file: the
//   shell starts the program with its options, in the folder when it exists; an entry's file
//   that names no file itself ("C:\Tools\app.exe -x") gives the program its command line starts
//   with, the rest of that line its parameters;
// - a direct start of anything else: the shell's "Open" of the file or text alone;
// - after the shell, whatever it answered (the user's refusal of the prompt among it): nothing.
LaunchStep NextLaunchStep(const LaunchRequest& request, const LaunchStep& failed,
                          unsigned long error, const LaunchFiles& files);

}  // namespace zarv
