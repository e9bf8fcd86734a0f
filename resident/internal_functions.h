#pragma once
// The built-in functions a hotkey entry can run instead of a program.
#include <windows.h>

#include <string>

namespace zarv {

class TZarv_main;

// Runs the internal function of that number (core/function_numbers.h): the first nine reach the
// system, the last five the program's own menus, editors and command bar; any other number does
// nothing. Nothing is reported.
void RunInternalFunction(int number, TZarv_main& main);

// The text of the date-and-time box for the given local time: the user's short date, then one
// blank and the long time unless it is exactly midnight.
std::wstring DateTimeText(const SYSTEMTIME& time);

}  // namespace zarv
