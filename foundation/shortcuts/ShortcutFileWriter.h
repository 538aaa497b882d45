// Writing the shortcut file, listing the program's document files for its
// dialogs (shortcut files, controller maps, video playlists), and reading
// the heads of a controller map and of a skin file.
#pragma once

#include "foundation/shortcuts/ShortcutFile.h"
#include "framework/core/CString.h"

class CComboBox;
class CListCtrl;

// Writes the shortcuts to the file, dated today, replacing it whole: a
// failure leaves the old file and throws the framework's file exception.
// Waiting window messages are dispatched between rows. Returns the number
// of shortcuts written. (The command layer's WriteShortcutFile(path)
// writes the program's table so.)
int WriteShortcutFile(const CString& path, const ShortcutRows& table);

// Fill the combo box with the names of the folder's "*.key" files (with
// extension) or the titles of its "cmap-*.xml" files, in the file system's
// order, the item data of position k being k. Return the count.
int ListShortcutFiles(const CString& folder, CComboBox& combo);
int ListControllerMaps(const CString& folder, CComboBox& combo);

// Reads "name" and "version" of the controller map's root "ControllerMapper"
// (the map lies in the program folder; ".xml" is added unless the name ends
// in it), from the file's first two lines joined. False when the root's
// start tag does not end within them. A file that cannot be opened throws
// the framework's file exception.
bool ReadControllerMapHeader(const CString& mapName, ControllerMapHeader& header);

// Empties the list control and fills it with the folder's "*.txp" video
// playlists: the file title in the first column, the full path in the
// second. Returns the count.
int ListVideoPlaylists(CListCtrl& list, const CString& folder);

// Reads the size ("width x height") and type of the background of the skin
// file whose path the record holds (".xml" is added unless the path ends in
// it). A missing root or background gives " x " and an empty type. A file
// that cannot be opened throws the framework's file exception.
bool ReadSkinHeader(SkinHeaderInfo& info);
