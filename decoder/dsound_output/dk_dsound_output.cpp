// The DirectSound output module, loaded by name and bound through its
// entry point. The module's operations are filled in with the decoder
// engine's output module table; until then it registers an empty table.
#include <windows.h>

extern "C" __declspec(dllexport) int output_module_register(void* table)
{
    return table ? 0 : -1;
}
