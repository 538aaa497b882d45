// Transparent drawing through a monochrome mask, shared by the bitmap
// slider's thumbs and the flat button's images: the mask is 1 where the
// picture has the key colour, and those pixels of the picture are turned
// black, so that SRCAND of the mask and SRCPAINT of the picture leave the
// target showing through.
#pragma once

#include <windows.h>

#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"

// 0xFF000000 as a key colour: the colour of the picture's pixel at the key
// point.
constexpr COLORREF kKeyFromPixel = 0xFF000000;

// Makes mask for bitmap (replacing what it held) and blackens the key
// colour in bitmap. FALSE when the mask or a work context cannot be made.
BOOL BuildTransparencyMask(HBITMAP bitmap, COLORREF key, int keyX, int keyY, CBitmap& mask);

// Draws width x height of bitmap at x, y: through the mask when there is
// one (SRCAND, then SRCPAINT), else as a plain copy.
void DrawMaskedBitmap(CDC* pDC, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask);
// The same with a memory context of the caller's to select the pictures
// into (a control that paints often keeps one).
void DrawMaskedBitmap(HDC target, HDC work, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask);

// The size of a bitmap; FALSE when it cannot be read.
BOOL GetBitmapSize(HBITMAP bitmap, int* width, int* height);
