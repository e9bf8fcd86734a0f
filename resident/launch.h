#pragma once
// Starting programs, documents and URLs: the one way every start goes, from a hot key, a
// launcher item or the command bar. The texts arrive as wide text, their %NAME% references
// expanded (widgets/base/files.h); what is tried, in which order, is core's plan
// (core/launch_plan.h); the starts themselves and the tests of files are widgets/base/files.h.
#include <windows.h>

#include <string>

#include "core/launch_plan.h"
#include "widgets/base/files.h"

namespace zarv {

// Carries a start through: directly first, then as NextLaunchStep decides. 0 when it started,
// else the system's error of the last thing tried.
DWORD Launch(const LaunchRequest& request, const StartCalls& calls = {});
// The window a start asked for now has its shell calls owned by, so that the elevation prompt
// comes up in front: the window in front, when it can be seen; else none (never the hidden
// resident window).
HWND StartOwnerNow();
// A start asked for earlier, carried through on a worker thread: owner is StartOwnerNow() of the
// moment it was asked for.
DWORD LaunchFrom(const LaunchRequest& request, HWND owner, const StartCalls& calls = {});

// A program entry's or a command's start: directly with its options and folder; when that fails,
// a program through the shell with them, anything else through the shell's "Open" alone. These
// give what LaunchFrom gives.
DWORD StartFile(const std::wstring& filePath, const std::wstring& options,
                const std::wstring& workDir, HWND owner);

// Text typed into the command bar that names no command, started the same way, as typed.
DWORD StartTyped(const std::wstring& text, HWND owner);

// A URL entry: the shell's "Open" of the URL as written.
DWORD OpenUrl(const std::wstring& url, const StartCalls& calls = {});
DWORD OpenUrlFrom(const std::wstring& url, HWND owner);

// A program's shortcut (a ".lnk" file), started by the shell as the shortcut says.
DWORD StartShortcut(const std::wstring& link, HWND owner);

}  // namespace zarv
