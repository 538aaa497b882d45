// The library's maintenance: the duplicate scans and their removals, the
// broken-link scan, count and removal, the drive-letter change and the tag
// refresh. VIZU's entries (api/VIZU_Maintenance.cpp) hold the lock and hand
// the state here; the scans show their work through a ScanFrame.
#pragma once

#include "library/maintenance/ScanFrame.h"
#include "library/state/LibraryState.h"

namespace maintenance {

// By artist and title, one "Original" row for each song held more than
// once followed by a "-Dupe" row for each other copy; the number of "-Dupe"
// rows, -1 for an empty library or when the user stops.
int ListSongCopies(LibraryState& state, ScanFrame& frame);
// A "-Dupe" row for each copy beyond the first of a song; the number of
// such copies, -1 for an empty library or when the user stops.
int ListLaterCopies(LibraryState& state, ScanFrame& frame);
// A "Dupe" row for each record whose path an earlier record holds; the
// number of rows (also when stopped), -1 for an empty library.
int ListSharedPaths(LibraryState& state, ScanFrame& frame);

// Remove the records of the rows marked "-Dupe"; of all rows (then empty
// the list); of the selected rows. None of the first two removes the last
// record of a song (of a path, for rows marked "Dupe"). Each answers the
// number of records removed.
int RemoveMarkedCopies(LibraryState& state, ScanFrame& frame);
int RemoveListedCopies(LibraryState& state, ScanFrame& frame);
int RemoveSelectedRows(LibraryState& state, CListCtrl* list);

// "BadLink" rows for the records whose file is missing; their number, -1
// for an empty library.
int ListBrokenLinks(LibraryState& state, ScanFrame& frame);
int CountBrokenLinks(LibraryState& state);
// Removes them; marks the library changed when it removed any.
int RemoveBrokenLinks(LibraryState& state);

// Moves the paths of the library from one drive letter to another (see
// DriveLetters.h); marks the library changed when one moved.
int ChangeDriveLetterInTracks(LibraryState& state, char from, char to);
// The same for the path column (8) of a track list.
int ChangeDriveLetterInList(CListCtrl* list, char from, char to);

// Re-reads the tags of the tracks through update (which answers whether it
// updated the record); "Update" rows for those it could not. The number
// updated.
int RefreshTags(const TrackArray& tracks, ScanFrame& frame, bool (*update)(const CString& path));

} // namespace maintenance

// The drive-letter prompt, run modally; it fills the two letters as typed
// and answers true for OK. Installed by the library dialogs (a test
// installs its own); without one, no letters are given.
using DriveLetterPrompt = bool (*)(CString& oldLetter, CString& newLetter);
DriveLetterPrompt SetDriveLetterPrompt(DriveLetterPrompt prompt);
// Runs the prompt and takes the two letters from it: false when it was
// cancelled or a letter is not one letter (maintenance::ParseDriveLetter).
bool AskDriveLetters(char& from, char& to);
