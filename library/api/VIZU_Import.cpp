// VIZU's entries of the track import (library/import): each holds the
// library lock where it reaches the state and hands the state, or the
// arrays, to the import's functions.
#include "library/api/VIZU.h"

#include "library/import/AddLog.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

AddSettings CurrentAddSettings()
{
    LibraryLock lock;
    const LibrarySettings& settings = lock.State().settings;
    return AddSettings{settings.logAdds, settings.wavLookForID3V1};
}

int VIZU::GetAddSettings()
{
    // The file is read outside the lock; the settings change under it,
    // while an import on another thread may be reading them.
    const AddSettings read = trackimport::ReadAddSettings();
    LibraryLock lock;
    LibrarySettings& settings = lock.State().settings;
    settings.logAdds = read.logAdds;
    settings.wavLookForID3V1 = read.wavLookForID3V1;
    return 0;
}

bool VIZU::AddException(CString reason, CString path)
{
    LibraryLock lock;
    trackimport::AddException(lock.State().exceptions, reason, path);
    return true;
}

// The line goes in before the file is read, so the log's last line names
// the file an add was busy with when it went wrong.
bool VIZU::WriteAddLogEntry(CString text)
{
    return trackimport::WriteAddLogEntry(text);
}
