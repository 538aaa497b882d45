// The file tree's rules that need no window: the order of listed items,
// drive roots, extensions, renamed paths, how a path is split for a walk
// down the tree, which shares count, and the drag's auto-scroll.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "framework/core/Types.h"

namespace filetree {

// Exactly three characters, the second ':' and the third '\' (C:\).
bool IsDriveRootText(const CString& path);

// Sorts names ignoring case (each name is lower-cased once, then the
// copies are compared byte by byte). A listing sorts its folders and its
// files apart and lists the folders first.
void SortIgnoringCase(CStringArray& names);

// The extension of a path's last component with its dot ("" when none).
CString ExtensionOf(const CString& path);
// A file name without its extension.
CString StripExtension(const CString& name);

// A name a user may type for a file or folder: not empty, not "." or "..",
// and without path separators or the characters names cannot hold.
bool IsValidItemName(const CString& name);

// The path a renamed item gets: the parent's path, a '\' unless the parent
// is a drive root, and the typed text; with the extension hidden the old
// path's extension goes after it (and after newName).
CString RenamedPath(const CString& parentPath, const CString& typed, const CString& oldPath,
                    bool extensionHidden, CString& newName);

// The first step of a walk to a path's item.
enum class WalkStart
{
    None,         // nothing to find (empty, outside the root folder)
    RootFolder,   // the path is the root folder itself
    Rest,         // walk the components in rest
};
// Upper-cases the path, removes the root folder (and its '\') when one is
// set, and a trailing '\' from paths longer than three characters.
WalkStart NormaliseWalkPath(const CString& path, const CString& rootFolder, CString& rest);
// Removes an upper-cased prefix (such as the My Documents path) and the '\'
// after it from rest; false when rest does not begin with it.
bool ConsumePrefix(CString& rest, const CString& prefix);
// The components of rest split at each '\'; with firstKeepsBackslash the
// first keeps its '\' (C:\, as drive items are named).
void SplitComponents(const CString& rest, bool firstKeepsBackslash, CStringArray& parts);

// One local share: its type and shared path.
struct ShareEntry
{
    DWORD type = 0;
    CString path;
};
// The path equals, ignoring case, the path of a share of type exactly 0
// (disk) or 1; administrative shares (the special bit) do not count.
bool IsSharedPath(const CArray<ShareEntry>& shares, const CString& path);

// While dragging: -1 to scroll up, +1 down, 0 to stay. The cursor must lie
// strictly within two item heights of the client top (and the first
// visible item not be the tree's first) or of the client bottom.
int AutoScrollDirection(int cursorY, int clientTop, int clientBottom, int itemHeight,
                        bool firstVisibleIsFirst);

} // namespace filetree
