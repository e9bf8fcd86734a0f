/* The first call of a function of a DLL that the program loads on demand (see
   cmake/delay_load.cmake) comes here: the DLL is loaded, the function looked up and its import
   pointer set, so that later calls go straight to it. A DLL or function of Windows itself that
   cannot be had ends the program with a message, as a missing import would stop it at start. */
#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

/* The program's folder is one the user writes to (the data files live there), often a download
   folder: a DLL of the same name placed there must never be loaded instead of the system's. So
   the DLLs come from the system folder only. comctl32 is named bare all the same: the manifest's
   activation context turns that name into the visual-styles comctl32 before any folder is
   searched. */
static HMODULE LoadSystemLibrary(const char* dll) {
    char path[MAX_PATH + 16];
    UINT n;
    /* Systems that know the search flags have AddDllDirectory (Windows 8, or 7 with its update
       KB2533623); LoadLibraryEx refuses the flags elsewhere. */
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory"))
        return LoadLibraryExA(dll, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (lstrcmpiA(dll, "comctl32.dll") == 0) return LoadLibraryA(dll);
    n = GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return NULL;
    lstrcatA(path, "\\");
    lstrcatA(path, dll);
    /* A full path; the libraries it needs in turn are looked for beside it first. */
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void* __stdcall zarv_delay_resolve(void** slot, const char* dll, const char* name) {
    HMODULE module = LoadSystemLibrary(dll);
    FARPROC function = module ? GetProcAddress(module, name) : NULL;
    if (!function) {
        char text[200];
        wsprintfA(text, "ZARV: %s (%s) is missing.", name, dll);
        FatalAppExitA(0, text);
        ExitProcess(3);
    }
    *slot = (void*)function;
    return (void*)function;
}
