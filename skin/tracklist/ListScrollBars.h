// Hiding a list's scroll bars, shared by the track list and the thumbnail
// list. which: 0 horizontal, 1 vertical, 3 both.
#pragma once

#include "framework/ui/AfxWin.h"

// Grows the window by the bars' sizes without moving it and clips it back
// with a window region to the client size it had, less 2 pixels on the
// hidden sides.
void HideListScrollBarsNow(CWnd& list, int which);

// Removes the bars' styles (before a WM_NCCALCSIZE's default processing).
void RemoveListScrollBarStyles(HWND list, int which);
