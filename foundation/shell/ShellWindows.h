// Hiding and showing the shell's own windows: the desktop ("Program
// Manager"), the taskbar (class "Shell_TrayWnd"), its Start button (child
// 304) and its tray (child 303 of child 303). Each call finds its window
// afresh.
//
// HideShellWindows hides all four and makes sure they come back however
// the program ends: a normal exit, exit(), an unhandled exception (C++ or
// structured), abort(). The user's desktop never stays without its taskbar.
#pragma once

#include <windows.h>

// Changes only the desktop window's visibility (position, size and stacking
// order stay).
void ShowDesktopWindow(BOOL show);
// Shows (normally) or hides the window and repaints it at once; FALSE when
// the window does not exist.
BOOL ShowTaskbar(BOOL show);
BOOL ShowTaskbarChild304(BOOL show);
BOOL ShowTaskbarChild303(BOOL show);

// Hides the four windows (those shown now) and arms their restoring at the
// program's end.
void HideShellWindows();
// Shows again the windows HideShellWindows hid; harmless when nothing is
// hidden. Runs by itself when the program ends.
void RestoreShellWindows();
