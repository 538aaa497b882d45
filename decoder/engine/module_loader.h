// Turns a module name into the address of a module's entry point:
//   "function@" and a hexadecimal address in this process;
//   "symbol@library": the symbol exported by the library, loaded by name;
//   "library": the kind's default symbol ("input_module_register", ...).
// A loaded library is never freed.
#pragma once

#include <stddef.h>

enum module_kind
{
    MODULE_KIND_INPUT,
    MODULE_KIND_INPUT_FILTER,
    MODULE_KIND_OUTPUT,
    MODULE_KIND_OUTPUT_FILTER,
    MODULE_KIND_CODEC,
    MODULE_KIND_FEEDBACK_HANDLER,
};

// The entry symbol a library of that kind exports.
const char* module_default_symbol(module_kind kind);

// 0 and the entry point; -102 for no name or "function@" with address 0;
// -100; -800 when the library cannot be loaded; -801 without the symbol.
int module_entry_resolve(void** entry, const char* name, const char* default_symbol);

// Resolves the name and calls the entry point with the zero-filled table
// of table_size bytes; 0 when the entry filled it, else the error (the
// entry's own non-zero result is passed on).
int module_table_load(module_kind kind, const char* name, void* table, size_t table_size);
