// The native (POSIX) half of module loading for builds without Windows:
// dlopen and dlsym, with the same results as module_loader_win32.cpp.
#include "decoder/engine/module_loader_win32.h"

#include <dlfcn.h>

#include "decoder/engine/decoder_errors.h"

int module_library_symbol(void** entry, const char* library, const char* symbol)
{
    if (!library || !*library)
        return DK_ERR_LIBRARY_NOT_FOUND;
    void* module = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return DK_ERR_LIBRARY_NOT_FOUND;
    // A library without the symbol stays loaded, like every loaded one.
    void* address = dlsym(module, symbol);
    if (!address)
        return DK_ERR_SYMBOL_NOT_FOUND;
    *entry = address;
    return 0;
}
