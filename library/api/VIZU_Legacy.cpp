// VIZU's entries of the older files and the exports (library/legacy). The
// entries that read or fill the library's own arrays hold the library
// lock; those that let messages run (writing a playlist from a list, the
// library file list, the exports' dialogs) work without it.
#include "library/api/VIZU.h"

#include "library/legacy/LegacyFiles.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

namespace {

// False when records are the library's own and someone is using them.
bool MayFill(const LibraryState& state, const CArray<CTrackRecord, CTrackRecord&>* records)
{
    return records != &state.tracks || state.tracksInUse == 0;
}

} // namespace

bool VIZU::CreateNewPlaylist(CString path)
{
    return legacy::CreateArchivePlaylist(path);
}

int VIZU::WritePlaylistFromList(CString path, CListCtrl* list)
{
    return legacy::WritePlaylistFromList(path, list);
}

bool VIZU::AppendTrackToPlaylist(CString file, CString path)
{
    return legacy::AppendTrackToPlaylist(file, path);
}

int VIZU::LoadPlaylistToArray(CString path, CArray<CTrackRecord, CTrackRecord&>* tracks)
{
    LibraryLock lock;
    if (!MayFill(lock.State(), tracks))
        return -1;
    return legacy::LoadPlaylistToArray(path, tracks);
}

int VIZU::DisplayPlaylist(CListCtrl* list, CImageList* images, CString path, bool checkExists)
{
    return legacy::DisplayPlaylist(list, images, path, checkExists);
}

int VIZU::LoadLibToArray(CString path, CArray<CTrackRecord, CTrackRecord&>* records)
{
    LibraryLock lock;
    if (!MayFill(lock.State(), records))
        return -1;
    return legacy::LoadArchiveLibrary(path, records);
}

int VIZU::SaveToXML(CString path)
{
    LibraryLock lock;
    return legacy::SaveOlderLayout(path, lock.State().tracks);
}

int VIZU::LoadFromXML(CString path)
{
    return legacy::CountOlderLayout(path);
}

bool VIZU::CheckForNULLInString(CString text)
{
    (void)text;
    return true;
}

int VIZU::DisplayLibs(CString extension, CString folder, CListCtrl* list, bool recurse,
                      bool* aborted, CImageList* images)
{
    return legacy::DisplayLibs(extension, folder, list, recurse, aborted, images);
}

int VIZU::ExportToCSV(tagExportFields* fields)
{
    return legacy::ExportToCSV(fields);
}

int VIZU::ExportToSimpleTextList(CString source)
{
    return legacy::ExportToSimpleTextList(source);
}
