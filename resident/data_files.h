#pragma once
// "Hotkey.DAT" and "Command.DAT" in the executable's folder: reading at start-up, writing when an
// editor closes. The byte layout is in core/data_file.h.
#include <string>

#include "core/data_file_state.h"

namespace zarv {

// The folder of the executable, with a trailing backslash (a drive root already has one).
std::wstring DataFolder();
std::wstring HotkeyFilePath();
std::wstring CommandFilePath();

// Reads "Hotkey.DAT" into HotkeyList and tells file how the read went (by: who reads). True when
// the file exists with a known header; the caller then does what start-up does with the list.
// A 1.02 file shows its conversion notice first. A file the system fails to read (held by
// another program, access denied) leaves the list as it is and gives false; a file that ends
// early keeps the records read whole before that point and gives true. Both are reported in an
// error box that names the file, except to the reads on the clock (ReadBy::Timer), which are
// silent.
bool LoadHotkeys(DataFileState& file, ReadBy by);
bool LoadCommands(DataFileState& file, ReadBy by);

// Write the list as a 1.03 file. The new content is written beside the old file and then
// replaces it in one step, so a failure never leaves a torn file; the existing file is first
// kept as "<name>.bak" when the last read of it failed or this program cannot read it whole
// now (see DataFileState::KeepBackup). A failure is reported in an error box and the old file
// stays as it was. True when the file was written; file then knows it holds the list.
bool SaveHotkeys(DataFileState& file);
bool SaveCommands(DataFileState& file);

}  // namespace zarv
