// VIZU's entries of the track import (library/import): each holds the
// library lock where it reaches the state and hands the state, or the
// arrays, to the import's functions.
#include "library/api/VIZU.h"

#include "framework/ui/CWnd.h"
#include "library/import/AddLog.h"
#include "library/import/TrackImport.h"
#include "library/import/WatchFolders.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

namespace {

HWND HandleOf(const CWnd* wnd)
{
    return wnd ? wnd->GetSafeHwnd() : nullptr;
}

// The files a folder search collected, copied under the lock: a batch lets
// messages run, and their handlers may change the add tracks.
void CopyCollectedFiles(CArray<CString, CString&>& files)
{
    LibraryLock lock;
    files.Copy(lock.State().addTracks);
}

} // namespace

WatchFoldersDialogRunner SetWatchFoldersDialogRunner(WatchFoldersDialogRunner runner)
{
    return ExchangeLibraryState(&LibraryState::watchFoldersDialog, runner);
}

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

bool VIZU::AddATrack(CString path, bool checkDupes)
{
    // The file is read without the lock; the index and the append under it.
    CTrackRecord record;
    if (!trackimport::ReadTrack(path, record))
        return false;
    LibraryLock lock;
    return trackimport::AddTrack(lock.State(), record, path, checkDupes);
}

int VIZU::AddFolderToLibrary(CString folder, CArray<CTrackRecord, CTrackRecord&>* records)
{
    (void)folder;
    if (!records)
        return 0;
    return trackimport::AddFolderToLibrary(*records);
}

int VIZU::AddNewInFolderToLibrary(CString folder, CArray<CTrackRecord, CTrackRecord&>* records)
{
    (void)records;
    return trackimport::AddNewInFolderToLibrary(folder);
}

// The searches let messages run: each file's step takes the lock on its own.
int VIZU::SearchForMP3WAVFiles(CWnd* window, CString folder, bool subfolders, bool* abort)
{
    return trackimport::SearchForMusicFiles(HandleOf(window), folder, subfolders, abort,
                                            [](const CString& path, bool mp3) {
                                                LibraryLock lock;
                                                return trackimport::CollectWizardFile(
                                                    lock.State(), path, mp3);
                                            });
}

int VIZU::SearchWatchFolder(CWnd* window, CString folder, bool subfolders, bool* abort)
{
    return trackimport::SearchWatchFolder(HandleOf(window), folder, subfolders, abort,
                                          [](const CString& path) {
                                              LibraryLock lock;
                                              trackimport::CollectWatchFile(lock.State(), path);
                                          });
}

int VIZU::WizAddFiles(CWnd* page, bool onlyNew, bool mp3Only)
{
    GetAddSettings();
    EmptyExceptionList();
    CArray<CString, CString&> files;
    CopyCollectedFiles(files);
    return trackimport::WizAddFiles(files, page, onlyNew, mp3Only);
}

int VIZU::WatchAddFiles(CWnd* window, bool mp3Only)
{
    (void)window;
    GetAddSettings();
    EmptyExceptionList();
    CArray<CString, CString&> files;
    CopyCollectedFiles(files);
    const int added = trackimport::WatchAddFiles(files, mp3Only);
    EmptyAddTracks();
    return added;
}

int VIZU::GetWatchFolderCount()
{
    return trackimport::GetWatchFolderCount();
}

// The dialog runs without the lock; a scan that added files saves the library.
int VIZU::DisplayWatchFolders()
{
    WatchFoldersDialogRunner runner;
    {
        LibraryLock lock;
        runner = lock.State().watchFoldersDialog;
    }
    if (!runner || !runner())
        return 0;
    Save(GetFullDBPath());
    return 1;
}
