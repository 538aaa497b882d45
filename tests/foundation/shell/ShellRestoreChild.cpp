// A program that hides the shell's windows and then ends in the way its
// argument names: "return", "exit", "throw" (an unhandled C++ exception),
// "crash" (an access violation) or "abort". The shell tests check that the
// windows are shown again each time.
#include "foundation/shell/ShellWindows.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

volatile int* g_nowhere = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_armedFilter = nullptr;

// Runs the filter HideShellWindows put in place, then ends the program at
// once: no debugger is started (one would wait for a user here).
LONG WINAPI EndAtCrash(EXCEPTION_POINTERS* info)
{
    if (g_armedFilter)
        g_armedFilter(info);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    HideShellWindows();
    g_armedFilter = SetUnhandledExceptionFilter(EndAtCrash);
    const char* how = argv[1];
    if (std::strcmp(how, "exit") == 0)
        std::exit(3);
    if (std::strcmp(how, "throw") == 0)
        throw std::runtime_error("not caught");
    if (std::strcmp(how, "crash") == 0)
        *g_nowhere = 1;
    if (std::strcmp(how, "abort") == 0)
        std::abort();
    return 0;
}
