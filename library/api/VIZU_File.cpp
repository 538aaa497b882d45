// VIZU's entries of the library file's own reader and writer (library/file):
// each holds the library lock and hands over the records it works on.
#include "library/api/VIZU.h"

#include "library/file/LibraryFileFormat.h"
#include "library/state/FileTexts.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

int VIZU::XML_SaveLib(CString path)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    return libfile::SaveLibrary(lock.State().tracks, path);
}

int VIZU::XML_LoadLib(CString path)
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    if (state.tracksInUse > 0)
        return 1;
    return libfile::ReadLibraryFile(state.tracks, path);
}

bool VIZU::XML_CreateLib(CString path)
{
    libfile::CreateLibrary(path);
    return true;
}

bool VIZU::XML_CreatePL(CString path)
{
    return XML_CreateLib(path);
}

bool VIZU::XML_CreateRollbackLibrary()
{
    const CString path = GetFullDBPath();
    if (path.IsEmpty())
        return false;
    return filetexts::CopyOurFile(path, path + ".bak");
}

bool VIZU::XML_GetLibInfo(CString path, LIB_INFO* info)
{
    return libfile::GetLibInfo(path, info);
}

int VIZU::XML_LoadLibToArray(CString path, CArray<CTrackRecord, CTrackRecord&>* records)
{
    if (!records)
        return 0;
    LibraryLock lock;
    LibraryState& state = lock.State();
    if (records == &state.tracks && state.tracksInUse > 0)
        return 0;
    return libfile::LoadLibToArray(path, *records);
}

int VIZU::XML_AnalyzeLib(CString path)
{
    LibraryLock lock;
    return libfile::AnalyzeLib(lock.State(), path);
}
