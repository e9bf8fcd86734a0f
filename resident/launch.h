#pragma once
// Starting programs, documents and URLs.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/launch_plan.h"
#include "core/records.h"

namespace zarv {

// The system calls the starts below are made of: the system's own in the program; tests hand in
// stand-ins that record what they are asked.
struct StartCalls {
    decltype(&CreateProcessA) createProcess = &CreateProcessA;
    decltype(&ShellExecuteA) shellExecute = &ShellExecuteA;
    decltype(&ShellExecuteExW) shellExecuteEx = &ShellExecuteExW;
    decltype(&AllowSetForegroundWindow) allowSetForeground = &AllowSetForegroundWindow;
};

// Every start passes on the right to set the foreground window, which a hot key (or our own menu
// or bar in front) gave the program for the moment, so that the started program's window comes
// to the front and typed keys reach it. The launcher itself is not activated.

// Starts a process directly from commandLine (ANSI bytes, not cut) with the resident program's
// own start-up information, nothing inherited, in workDir (or, when it is empty, in the current
// folder). When filePath names an existing file and contains a blank, it is also given as the
// program to run, so that an unquoted "C:\Program Files\..." can never start "C:\Program.exe".
// True when the process was created; its handles are closed at once.
bool StartProgram(const std::string& commandLine, const std::string& workDir,
                  const std::string& filePath = {}, const StartCalls& calls = {});

// The shell's "Open" for a file, folder or URL, owned by owner, shown normally.
void ShellOpen(HWND owner, const std::string& target, const StartCalls& calls = {});

// The shell's "open" of a program with parameters in a folder (empty: the current one), without
// error boxes: 0 when it started, else the error (ERROR_CANCELLED: the user declined the
// elevation prompt).
DWORD ShellStart(HWND owner, const std::string& program, const std::string& parameters,
                 const std::string& folder, const StartCalls& calls = {});

// The system calls a start makes, in one place so that a test can stand in for them.
class LaunchCalls {
public:
    virtual ~LaunchCalls() = default;
    // The direct start (StartProgram): 0 when the process was created, else the system's error.
    virtual DWORD StartProcess(const std::string& commandLine, const std::string& workDir,
                               const std::string& filePath) = 0;
    // The shell's "open" of a program with parameters in a folder (empty: the current one),
    // without error boxes: 0 when it started, else the error (ERROR_CANCELLED: the user declined
    // the elevation prompt).
    virtual DWORD ShellStart(HWND owner, const std::string& program, const std::string& parameters,
                             const std::string& folder) = 0;
    virtual void ShellOpen(HWND owner, const std::string& target) = 0;
};

// The real calls.
LaunchCalls& SystemLaunchCalls();

// Carries a start through: directly first, then as NextLaunchStep decides. Nothing is reported.
void Launch(HWND owner, const LaunchRequest& request, LaunchCalls& calls = SystemLaunchCalls());

// A program entry's or a command's start: directly with its options and folder; when that fails,
// a program through the shell with them, anything else through the shell's "Open" alone. The
// texts are those to start with (their %NAME% references already expanded).
void StartFile(HWND owner, const std::string& filePath, const std::string& options,
               const std::string& workDir);

// Text typed into the command bar that names no command, started the same way.
void StartTyped(HWND owner, const std::string& text);

}  // namespace zarv
