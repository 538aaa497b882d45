#include "library/VIZU.h"

namespace {
// The open library's state lives in KVLib, never in the program.
bool g_bOpen = false;
bool g_bDirty = false;
}

bool VIZU::IsOpen()
{
    return g_bOpen;
}

bool VIZU::IsDirty()
{
    return g_bDirty;
}
