/* The first call of a function of a DLL that the program loads on demand (see
   cmake/delay_load.cmake) comes here: the DLL is loaded, the function looked up and its import
   pointer set, so that later calls go straight to it. A DLL or function of Windows itself that
   cannot be had ends the program with a message, as a missing import would stop it at start. */
#include "widgets/base/system_library.h"

/* The DLLs come from the system folder only (a DLL planted beside the program is never
   loaded). */
void* __stdcall zarv_delay_resolve(void** slot, const char* dll, const char* name) {
    HMODULE module = zarv_load_system_library(dll);
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
