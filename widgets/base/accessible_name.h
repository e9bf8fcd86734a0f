#pragma once
// A name for a screen reader to read for a standard control whose own text does not say what it
// does (a "..." button), without changing what the control shows.
#include <windows.h>

namespace zarv {

// Gives control the name through the system's accessibility annotation; nothing changes where
// the system has none.
void SetAccessibleName(HWND control, const wchar_t* name);

}  // namespace zarv
