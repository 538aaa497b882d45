// Module names: "function@" and an address, "symbol@library" or "library".
#include "decoder/engine/module_loader.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/engine/module_loader_win32.h"

namespace {

const char function_prefix[] = "function@";

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

const char* module_default_symbol(module_kind kind)
{
    switch (kind) {
    case MODULE_KIND_INPUT: return "input_module_register";
    case MODULE_KIND_INPUT_FILTER: return "input_filter_module_register";
    case MODULE_KIND_OUTPUT: return "output_module_register";
    case MODULE_KIND_OUTPUT_FILTER: return "output_filter_module_register";
    case MODULE_KIND_CODEC: return "codec_module_register";
    case MODULE_KIND_FEEDBACK_HANDLER: return "feedback_handler_module_register";
    }
    return "";
}

int module_entry_resolve(void** entry, const char* name, const char* default_symbol)
{
    if (!entry || !name)
        return DK_ERR_INVALID_PARAMETERS;
    *entry = nullptr;
    const size_t prefix_length = sizeof(function_prefix) - 1;
    if (strncmp(name, function_prefix, prefix_length) == 0) {
        uintptr_t address = 0;
        for (const char* c = name + prefix_length; hex_digit(*c) >= 0; ++c)
            address = address * 16 + static_cast<uintptr_t>(hex_digit(*c));
        // No entry point at address 0: nothing may call it.
        if (address == 0)
            return DK_ERR_INVALID_PARAMETERS;
        *entry = reinterpret_cast<void*>(address);
        return 0;
    }

    char* copy = static_cast<char*>(malloc(strlen(name) + 1));
    if (!copy)
        return DK_ERR_OUT_OF_MEMORY;
    strcpy(copy, name);
    const char* symbol = default_symbol ? default_symbol : "";
    const char* library = copy;
    char* at = strchr(copy, '@');
    if (at) {
        *at = '\0';
        symbol = copy;
        library = at + 1;
    }
    const int r = module_library_symbol(entry, library, symbol);
    free(copy);
    return r;
}

int module_table_load(module_kind kind, const char* name, void* table, size_t table_size)
{
    if (!name || !*name || !table)
        return DK_ERR_INVALID_PARAMETERS;
    void* entry = nullptr;
    const int r = module_entry_resolve(&entry, name, module_default_symbol(kind));
    if (r < 0)
        return r;
    if (!entry)
        return DK_ERR_SYMBOL_NOT_FOUND;
    memset(table, 0, table_size);
    // Every kind's entry takes a pointer to its empty table.
    typedef int (*register_function)(void* table);
    const int filled = reinterpret_cast<register_function>(entry)(table);
    return filled;
}
