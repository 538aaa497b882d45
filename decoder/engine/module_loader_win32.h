// Looking up an exported symbol of a library loaded by name (Win32).
#pragma once

// 0 and the symbol's address; -800 when the library cannot be loaded
// (an empty name counts as not loadable), -801 without the symbol. The
// library stays loaded.
int module_library_symbol(void** entry, const char* library, const char* symbol);
