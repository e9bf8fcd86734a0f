#pragma once
// What the windows hand screen readers besides their own texts: COM, which the system's
// accessibility calls go through, and a name for a standard control whose own text does not say
// what it does (a "..." button), without changing what the control shows.
#include <windows.h>

namespace zarv {

// Starts COM on this thread, once, for what screen readers are handed (names, accessible
// objects); it stays started for the life of the thread.
void StartComForScreenReaders();

// Gives control the name through the system's accessibility annotation; nothing changes where
// the system has none.
void SetAccessibleName(HWND control, const wchar_t* name);

}  // namespace zarv
