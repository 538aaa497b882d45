// Free bitmap helpers: vertical gradients, capturing an area of a context,
// resampling, cutting a strip and drawing with a transparent colour. None
// keeps state; each returns what it made (the caller owns new bitmaps).
#pragma once

#include "framework/ui/CDC.h"

// A vertical gradient from clrTop at the top edge to clrBottom at the bottom.
BOOL GradientFillRect(CDC* pDC, const RECT& rect, COLORREF clrTop, COLORREF clrBottom);

// Replaces bitmap's contents with a copy of the width x height area of pDC
// at x, y (a bitmap compatible with pDC). bitmap stays empty on failure.
void CaptureDCArea(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap);

// A new bitmap of the new size with the picture resampled by area
// weighting; null when one side would grow while the other shrinks, or when
// the system cannot give the memory.
HBITMAP ResizeBitmap(HBITMAP hBitmap, int newWidth, int newHeight);

// A new bitmapWidth x (source height) bitmap in the screen's format with
// copyWidth x (source height) pixels copied into its top-left corner from x, y
// of the source; the rest is black. Null on failure.
HBITMAP CopyBitmapStrip(HBITMAP hBitmap, int x, int y, int copyWidth, int bitmapWidth);

// Draws the whole bitmap at x, y leaving the target's pixels where the
// bitmap has clrTransparent. Draws nothing when a work object cannot be made.
void DrawTransparentBitmap(CDC* pDC, HBITMAP hBitmap, short x, short y, COLORREF clrTransparent);
