#include "widgets/base/system_library.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

HMODULE zarv_load_system_library(const char* dll) {
    char path[2 * MAX_PATH];
    UINT n;
    /* Systems that know the search flags have AddDllDirectory (Windows 8, or 7 with its update
       KB2533623); LoadLibraryEx refuses the flags elsewhere. */
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory"))
        return LoadLibraryExA(dll, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (lstrcmpiA(dll, "comctl32.dll") == 0) return LoadLibraryA(dll);
    n = GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || lstrlenA(dll) >= MAX_PATH - 1) return NULL;
    if (path[n - 1] != '\\') lstrcatA(path, "\\");
    lstrcatA(path, dll);
    /* A full path; the libraries it needs in turn are looked for beside it first. */
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}
