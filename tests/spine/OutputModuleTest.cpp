// The DirectSound output module is loaded by name and bound through its
// entry point, as the decoder engine does it.
#include "tests/support/TestSupport.h"

#include <windows.h>

TEST(OutputModule, LoadsByNameAndExportsItsEntryPoint)
{
    HMODULE h = LoadLibraryA("dk_dsound_output.dll");
    ASSERT_NE(nullptr, h);
    typedef int (*RegisterFn)(void*);
    auto reg = reinterpret_cast<RegisterFn>(
        reinterpret_cast<void*>(GetProcAddress(h, "output_module_register")));
    ASSERT_NE(nullptr, reg);
    FreeLibrary(h);
}
