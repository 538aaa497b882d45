// What the sampler's and the audio jukebox's windows share: the settings
// they keep in "TavrixVJ.INI" in the program folder (integers of their
// section, the window's place as WindowPos: two 32-bit integers, left and
// top), and where a drop of files lands.
#pragma once

#include <windows.h>

// The integer of the key, 0 when missing.
int ReadPlayerSetting(const char* section, const char* key);
void WritePlayerSetting(const char* section, const char* key, int value);

// The stored left and top; false when the key could not be read.
bool ReadPlayerWindowPos(const char* section, POINT& at);
// Stores the left and top of the window's rectangle.
void WritePlayerWindowPos(const char* section, HWND window);

// True when the drop's point (in the window's client area) lies on the
// control, a child of the window.
bool DropLandsOn(HDROP drop, HWND window, HWND control);
