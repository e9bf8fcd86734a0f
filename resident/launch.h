#pragma once
// Starting programs, documents and URLs.
#include <windows.h>

#include <string>

#include "core/records.h"

namespace zarv {

// Starts a process directly from commandLine (ANSI bytes, not cut) with the resident program's
// own start-up information, nothing inherited, in workDir (or, when it is empty, in the current
// folder). When filePath names an existing file and contains a blank, it is also given as the
// program to run, so that an unquoted "C:\Program Files\..." can never start "C:\Program.exe".
// True when the process was created; its handles are closed at once.
bool StartProgram(const std::string& commandLine, const std::string& workDir,
                  const std::string& filePath = {});

// The shell's "Open" for a file, folder or URL, owned by owner, shown normally.
void ShellOpen(HWND owner, const std::string& target);

// A program entry's start: directly with its options and folder, else through the shell.
void StartFile(HWND owner, const std::string& filePath, const std::string& options,
               const std::string& workDir);

}  // namespace zarv
