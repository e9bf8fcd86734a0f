#pragma once
// What the entry dialogs do with the texts of their fields before a row takes them: whether a
// text survives the data file unchanged, and the working folder made from a chosen path.
#include <string>
#include <string_view>

namespace zarv {

// How a field's text fares in the data file.
enum class FieldFit {
    Fits,             // stored as it stands (the writer's trimming of blanks aside)
    Unrepresentable,  // the ANSI code page lacks one of its characters
    TooLong,          // longer than a record holds or the file stores
};

// The fit of a field whose ANSI bytes are bytes; exact is false when the conversion to the code
// page lost characters.
FieldFit CheckFieldFit(std::string_view bytes, bool exact);

// Whether a field's text is empty for the entry dialogs: nothing, or only characters of code 32 or
// less (blanks and control characters), which the data file would store as an empty text.
bool IsBlankField(std::wstring_view text);

// A folder as a working folder: with one trailing backslash ("C:\Tools" gives "C:\Tools\", a
// drive root "C:\" stays as it is). An empty folder stays empty.
std::wstring WorkDirOf(std::wstring_view folder);

// The working folder of a file: its folder with the trailing backslash ("C:\Tools\a.exe" gives
// "C:\Tools\", "C:\a.exe" gives "C:\"); empty for a path without a folder.
std::wstring WorkDirOfFile(std::wstring_view path);

}  // namespace zarv
