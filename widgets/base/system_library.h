#pragma once
/* Libraries of Windows itself, loaded from the system folder only. The program's folder is one
   the user writes to (the data files live there), often a download folder: a DLL of the same
   name placed there must never be loaded instead of the system's. Plain C: the delay-load
   resolver uses it too. */
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The DLL of that name (e.g. "mpr.dll") from the system folder; NULL when the system has none.
   comctl32 is named bare all the same where the search flags are missing: the manifest's
   activation context turns that name into the visual-styles comctl32 before any folder is
   searched. */
HMODULE zarv_load_system_library(const char* dll);

#ifdef __cplusplus
}
#endif
