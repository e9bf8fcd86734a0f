#pragma once
// Starting programs, documents and URLs.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/records.h"

namespace zarv {

// The system calls a start is made of: the system's own in the program; tests hand in stand-ins
// that record what they are asked.
struct StartCalls {
    decltype(&CreateProcessA) createProcess = &CreateProcessA;
    decltype(&ShellExecuteA) shellExecute = &ShellExecuteA;
    decltype(&AllowSetForegroundWindow) allowSetForeground = &AllowSetForegroundWindow;
};

// Starts a process directly from commandLine (ANSI bytes, not cut) with the resident program's
// own start-up information, nothing inherited, in workDir (or, when it is empty, in the current
// folder). When filePath names an existing file and contains a blank, it is also given as the
// program to run, so that an unquoted "C:\Program Files\..." can never start "C:\Program.exe".
// The new process may bring its window to the front (a hot key gave us that right for the
// moment). True when the process was created; its handles are closed at once.
bool StartProgram(const std::string& commandLine, const std::string& workDir,
                  const std::string& filePath = {}, const StartCalls& calls = {});

// The shell's "Open" for a file, folder or URL, owned by owner, shown normally; whatever the
// shell starts for it may come to the front.
void ShellOpen(HWND owner, const std::string& target, const StartCalls& calls = {});

// A program entry's start: directly with its options and folder, else through the shell. The
// texts are those to start with (their %NAME% references already expanded).
void StartFile(HWND owner, const std::string& filePath, const std::string& options,
               const std::string& workDir, const StartCalls& calls = {});

}  // namespace zarv
