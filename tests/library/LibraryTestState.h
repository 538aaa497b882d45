// The library's state as a test sets and checks it between calls into the
// library, when no other thread is in there.
#pragma once

#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

inline LibraryState& TestState()
{
    LibraryLock lock;
    return lock.State();
}
