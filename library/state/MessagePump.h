// The helpers that keep the library's long loops usable on the window
// thread: the message pump, the Escape check that asks whether to abort,
// and the genre combo.
#pragma once

#include <windows.h>

// Lets waiting messages of the calling thread run; never waits (VIZU's
// ProcessMessages is its entry point).
void ProcessMessages();

// Takes the first waiting keyboard message of the window and its children
// (of every window of the thread when hWnd is null) off the queue; a key-down
// of Escape asks the user and answers true when the user chose to abort.
// Any other keyboard message so taken is dropped.
bool EscapeAbortPrompt(HWND hWnd);

// Adds the genre names 0 to 125 to a combo box, each item's data its number.
int FillGenreCombo(HWND hCombo);
