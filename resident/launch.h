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

// Carries a start through: directly first, then as NextLaunchStep decides. Nothing is reported.
void Launch(const LaunchRequest& request, const StartCalls& calls = {});

// A program entry's or a command's start: directly with its options and folder; when that fails,
// a program through the shell with them, anything else through the shell's "Open" alone.
void StartFile(const std::wstring& filePath, const std::wstring& options,
               const std::wstring& workDir);

// Text typed into the command bar that names no command, started the same way, as typed.
void StartTyped(const std::wstring& text);

// A URL entry: the shell's "Open" of the URL as written.
void OpenUrl(const std::wstring& url, const StartCalls& calls = {});

}  // namespace zarv
