// The program's keyboard shortcuts: loading a shortcut file into
// ShortcutTable and the main window's accelerator table, the two edits,
// and saving the table back.
#pragma once

#include <windows.h>

#include "input/shortcuts/ShortcutTable.h"

// Loads the file into ShortcutTable and a new accelerator table stored in
// table (the old one destroyed). A file that cannot be read or is not XML
// changes nothing and is logged; a file with another root or no items
// empties both (table becomes null: no key acts as a shortcut). Returns 0.
int LoadShortcutFile(const CString& path, HACCEL& table);

// The main window's accelerator table handle, which the edits rebuild.
void SetShortcutAccelTable(HACCEL* table);

// Sets the shortcut of entry's action (see StoreShortcutRow) and rebuilds
// the accelerator table. Returns 0.
int StoreShortcut(const ShortcutEntry& entry);
// Removes the first row of entry's action and rebuilds the accelerator
// table; -1 (nothing changed) when no row matches, else 0.
int RemoveShortcut(const ShortcutEntry& entry);

// A new accelerator table of the rows (null for none).
HACCEL CreateShortcutAccelTable(const ShortcutRows& rows);

// Writes ShortcutTable to the file atomically, dated today, and returns
// the number of shortcuts written; a failure leaves the old file and
// throws the framework's file exception.
int WriteShortcutFile(const CString& path);
// The same, for the edit dialog: false (with the reason logged) when the
// file cannot be written, the old file untouched.
bool SaveShortcutFile(const CString& path);
