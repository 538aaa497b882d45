// VIZU: the music library's class of static functions. KVLib keeps one
// library open at a time in its own globals; a VIZU object only sets that
// state up and tears it down.
#pragma once

#include "library/KVLibApi.h"

class KVLIB_API VIZU
{
public:
    // Queries
    static bool IsOpen();
    static bool IsDirty();
};
