// The track import: adding music files to the open library, the folder
// searches that collect them, and the add wizard's batch. VIZU's import
// entries (library/api) take the library lock where a step reaches the
// state and hand it over; the long walks let messages run and so hold the
// lock only for each file's step.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <windows.h>

#include <functional>

class CListCtrl;
class CWnd;
struct LibraryState;

namespace trackimport {

// The record of a music file from its tags, without the lock (exceptions
// and the add log are written as it goes); false when it is not added.
bool ReadTrack(const CString& path, CTrackRecord& record);
// Appends the record read from path with the next index, refusing a
// duplicate path when asked (the lock held: the index and the append stay
// together, so two threads adding at once never hand out one number twice).
bool AddTrack(LibraryState& state, CTrackRecord& record, const CString& path, bool checkDupes);

// Every listed file, each added on its own (VIZU::AddATrack); Escape stops.
int AddFolderToLibrary(const CArray<CTrackRecord, CTrackRecord&>& records);
// The folder's music files that are not in the library yet.
int AddNewInFolderToLibrary(const CString& folder);

// A folder search's step for one music file, run with the lock held: the
// wizard's appends the file to state.addTracks and raises its found
// counters, answering the count of its kind (MP3 or WAV); the watch
// folders' appends it only.
int CollectWizardFile(LibraryState& state, const CString& path, bool mp3);
void CollectWatchFile(LibraryState& state, const CString& path);
// The searches: the wizard's shows the folder and the counts on its page
// and answers the folder's own music files; the watch folders' answers
// them with its subfolders'. collect is called for each file, without the
// lock.
int SearchForMusicFiles(HWND page, const CString& folder, bool subfolders, bool* abort,
                        const std::function<int(const CString& path, bool mp3)>& collect);
int SearchWatchFolder(HWND window, const CString& folder, bool subfolders, bool* abort,
                      const std::function<void(const CString& path)>& collect);

// The batches over the collected files (a copy made under the lock): each
// file added on its own (VIZU::AddATrack), messages let through, Escape
// stops. The wizard's shows its progress on its page.
int WizAddFiles(const CArray<CString, CString&>& files, CWnd* page, bool onlyNew, bool mp3Only);
int WatchAddFiles(const CArray<CString, CString&>& files, bool mp3Only);

} // namespace trackimport

// Searches folder (and, when asked, its subfolders) for music files into
// rows of the list: a row's text is the file name, column 1 its full path,
// and its position and item data the number of music files found before it
// in the same folder. Escape is checked on the list's parent window.
void SearchFolderForMusicFiles(CListCtrl* list, CString folder, bool subfolders, bool* abort);

// The items of the add wizard's search page that the search writes.
constexpr int IDC_WIZ_SEARCHFOLDER = 7071;
constexpr int IDC_WIZ_MP3COUNT = 7072;
constexpr int IDC_WIZ_WAVCOUNT = 7073;
// The items of the add wizard's last page that the batch add uses.
constexpr int IDC_WIZ_ADDSTATUS = 7078;
constexpr int IDC_WIZ_ADDPROGRESS = 7079;
constexpr int IDC_WIZ_EXCEPTIONS = 7080;
