// The watch folders: the list "KVWatchFolders.txt" in the program folder,
// one folder per line, and the way to the watch-folder dialog.
#pragma once

#include "framework/core/CString.h"

// The list's full path.
CString WatchFolderListPath();

// Runs the watch-folder dialog modally and answers its changed mark (its
// scans added at least one file). The library dialogs own the dialog and
// install the runner; a test installs its own.
using WatchFoldersDialogRunner = bool (*)();
// Installs runner (null: no dialog to show), kept with the library state;
// returns the previous one.
WatchFoldersDialogRunner SetWatchFoldersDialogRunner(WatchFoldersDialogRunner runner);

namespace trackimport {
// The number of lines of the list (0 when it is missing or unreadable).
int GetWatchFolderCount();
} // namespace trackimport
