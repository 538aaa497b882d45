// The Win32 half of module loading: LoadLibraryA and GetProcAddress.
#include "decoder/engine/module_loader_win32.h"

#include <windows.h>

#include "decoder/engine/decoder_errors.h"

int module_library_symbol(void** entry, const char* library, const char* symbol)
{
    if (!library || !*library)
        return DK_ERR_LIBRARY_NOT_FOUND;
    HMODULE module = LoadLibraryA(library);
    if (!module)
        return DK_ERR_LIBRARY_NOT_FOUND;
    // A library without the symbol stays loaded, like every loaded one.
    FARPROC address = GetProcAddress(module, symbol);
    if (!address)
        return DK_ERR_SYMBOL_NOT_FOUND;
    *entry = reinterpret_cast<void*>(address);
    return 0;
}
