#pragma once
// Conversions between the records' ANSI bytes and the UI's UTF-16, always with an explicit code
// page.
#include <string>
#include <string_view>

#include "core/text.h"

namespace zarv {

// ANSI (CP_ACP) bytes to UTF-16.
std::wstring AnsiToWide(std::string_view s);
// UTF-16 to ANSI (CP_ACP) bytes; characters the code page lacks become '?'.
std::string WideToAnsi(std::wstring_view s);
// UTF-16 to ANSI (CP_ACP) bytes that convert back to exactly s: false (out unspecified) when a
// character has no counterpart in the code page (no '?', no look-alike substitute).
bool WideToAnsiExact(std::wstring_view s, std::string& out);
// UTF-8 (the source's literals) to UTF-16.
std::wstring Utf8ToWide(std::string_view s);

// Lead bytes of the system's ANSI code page.
const CodePage& AnsiCodePage();

// n in decimal digits. (std::to_wstring would bring the C library's whole wide printf along.)
std::wstring DecimalText(unsigned long n);

// The system's text for a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(unsigned long code);

}  // namespace zarv
