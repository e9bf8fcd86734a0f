#pragma once
// Command lines formed from an entry's fields.
#include <string>
#include <string_view>

namespace zarv {

// The program with its arguments (an entry's file as the start reads it, see ProgramLine in
// core/launch_plan.h), one blank, Options: joined whole, never cut. The blank is there also when
// Options is empty.
std::wstring BuildCommandLine(std::wstring_view program, std::wstring_view options);

}  // namespace zarv
