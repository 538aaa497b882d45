// The guard of the library's records while a walk lets messages run, and
// the last sort as the tests read it: each takes the library lock.
#include "library/records/RecordAccess.h"

#include "library/state/LibraryLock.h"

TracksInUse::TracksInUse()
{
    LibraryLock lock;
    ++lock.State().tracksInUse;
}

TracksInUse::~TracksInUse()
{
    LibraryLock lock;
    --lock.State().tracksInUse;
}

int LastSortCode()
{
    LibraryLock lock;
    return lock.State().lastSortCode;
}

bool LastSortDescending()
{
    LibraryLock lock;
    return lock.State().lastSortDescending;
}
