// A text handed to a window by a posted message: the sender posts a copy
// that belongs to the message, and the window's handler takes it (and so
// frees it). Nothing points into the sender's own strings, which may
// change or go before the message is handled.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// Posts the message with a heap copy of the text as lParam; when the post
// fails the copy is freed here. False when it was not posted.
bool PostOwnedText(HWND hWnd, UINT message, WPARAM wParam, const char* text);

// The handler's side: the copy a PostOwnedText put into lParam (null for
// lParam 0), freed when the result goes.
std::unique_ptr<std::string> TakeOwnedText(LPARAM lParam);
