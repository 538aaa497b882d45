// Bitmap resources of the skin's list controls. The program's resource
// script includes skin/res/SkinLists.rc; the track-icon strip (146) is the
// main window's own (its resource script), shared with the lists.
#pragma once

#define IDB_LIST_TRACKICONS 146    // row icons, 16 x 17 each, green mask
#define IDB_LIST_DEFAULTTHUMB 263  // the 100 x 100 default picture of the thumbnail list
#define IDB_LIST_COMPACTROWS 286   // compact rows: 1 x 2 images, green mask
