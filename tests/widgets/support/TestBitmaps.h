// Bitmaps and BMP files made at run time for the control tests, the
// control sheet and the widgets benchmark (the pictures a skin would give).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace widget_test {

using PixelFn = std::function<COLORREF(int x, int y)>;

// The header of a top-down 32-bit DIB of that size.
BITMAPINFO TopDown32(int width, int height);

// A 32-bit DIB-section bitmap of that size with the pixels fn gives
// (the caller owns it); null when it cannot be made.
HBITMAP MakeBitmap(int width, int height, const PixelFn& fn);

// A bottom-up 24-bit BMP file of that size with the pixels fn gives.
bool WriteBmp(const std::string& path, int width, int height, const PixelFn& fn);

// A bitmap's pixels written as a BMP file.
bool SaveBmp(const std::string& path, HBITMAP bitmap);

} // namespace widget_test
