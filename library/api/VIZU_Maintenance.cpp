// VIZU's maintenance entries: duplicate scans and removals, broken links,
// drive letters and the tag refresh. Each holds the library lock (changing,
// for those that sort or change the records) and hands the state to
// maintenance/.
#include "library/api/VIZU.h"

#include "library/maintenance/DriveLetters.h"
#include "library/maintenance/MaintenanceScans.h"
#include "library/state/LibraryLock.h"

bool AskDriveLetters(char& from, char& to)
{
    DriveLetterPrompt prompt = nullptr;
    {
        LibraryLock lock;
        prompt = lock.State().driveLetterPrompt;
    }
    CString oldLetter, newLetter;
    if (!prompt || !prompt(oldLetter, newLetter))
        return false;
    from = maintenance::ParseDriveLetter(oldLetter);
    to = maintenance::ParseDriveLetter(newLetter);
    return from != 0 && to != 0;
}

namespace {

bool UpdateOneRecord(const CString& path)
{
    return VIZU::UpdateRecordFromTag(path);
}

} // namespace

DriveLetterPrompt SetDriveLetterPrompt(DriveLetterPrompt prompt)
{
    return ExchangeLibraryState(&LibraryState::driveLetterPrompt, prompt);
}

int VIZU::CheckForDupesByTitleArtist(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::ListSongCopies(lock.State(), frame);
}

int VIZU::V5CheckForDupesByTitleArtist(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::ListLaterCopies(lock.State(), frame);
}

int VIZU::CheckForDupesByFilename(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    LibraryLock lock;
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::ListSharedPaths(lock.State(), frame);
}

int VIZU::RemoveAllDupesFromEXList(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return 0;
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::RemoveMarkedCopies(lock.State(), frame);
}

int VIZU::V5RemoveAllDupesFromList(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return 0;
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::RemoveListedCopies(lock.State(), frame);
}

int VIZU::RemoveTracksFromEXList(CWnd*, CListCtrl* list, int, CProgressCtrl*)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return 0;
    return maintenance::RemoveSelectedRows(lock.State(), list);
}

int VIZU::V5RemoveSelectedDupesFomList(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    return RemoveTracksFromEXList(wnd, list, id, progress);
}

int VIZU::CheckForBrokenLinks(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    LibraryLock lock;
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::ListBrokenLinks(lock.State(), frame);
}

int VIZU::GetBadLinkCount()
{
    LibraryLock lock;
    return maintenance::CountBrokenLinks(lock.State());
}

int VIZU::RemoveBadLinksFromLib()
{
    LibraryLock lock(true);
    if (lock.Refused())
        return 0;
    return maintenance::RemoveBrokenLinks(lock.State());
}

int VIZU::ChangeDriveLetterInLib()
{
    char from = 0, to = 0;
    if (!AskDriveLetters(from, to))
        return -1;
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    return maintenance::ChangeDriveLetterInTracks(lock.State(), from, to);
}

int VIZU::ChangeDriveLetterInList(CListCtrl* list, CString, CString)
{
    char from = 0, to = 0;
    if (!AskDriveLetters(from, to))
        return -1;
    return maintenance::ChangeDriveLetterInList(list, from, to);
}

int VIZU::UpdateLibraryFromTags(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
{
    // The records are copied: each file is read without the lock, and the
    // pump lets handlers run between the files.
    TrackArray tracks;
    {
        LibraryLock lock;
        tracks.Copy(lock.State().tracks);
    }
    ScanFrame frame(wnd, list, id, progress);
    return maintenance::RefreshTags(tracks, frame, UpdateOneRecord);
}
