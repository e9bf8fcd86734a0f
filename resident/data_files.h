#pragma once
// "Hotkey.DAT" and "Command.DAT" in the executable's folder: reading at start-up, writing when an
// editor closes. The byte layout is in core/data_file.h.
#include <string>

namespace zarv {

// The folder of the executable, with a trailing backslash (a drive root already has one).
std::wstring DataFolder();
std::wstring HotkeyFilePath();
std::wstring CommandFilePath();

// Reads "Hotkey.DAT" into HotkeyList. True when the file exists with a known header; a 1.02 file
// shows its conversion notice first. An input/output failure is reported in an error box that
// names the file; the records read completely before it are kept and the result is true.
bool LoadHotkeys();
bool LoadCommands();

// Write the list as a 1.03 file. The new content is written beside the old file and then
// replaces it in one step, so a failure never leaves a torn file; an existing file that this
// program cannot read whole (unknown version, torn) is first kept as "<name>.bak". A failure is
// reported in an error box and the old file stays as it was. True when the file was written.
bool SaveHotkeys();
bool SaveCommands();

}  // namespace zarv
