// TransparentBitmap: a bitmap that can draw itself with one colour left
// out, through a monochrome mask made on its first transparent draw.
#pragma once

#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"

class TransparentBitmap : public CBitmap
{
public:
    // Construction
    TransparentBitmap() = default;
    ~TransparentBitmap() override;

    // Attributes
    // Reads the size from the bitmap while it is not known; true when both
    // sides are positive.
    bool GetSize(int& width, int& height);
    COLORREF GetKeyColor() const { return m_clrKey; }
    bool HasMask() const { return m_mask.m_hObject != nullptr; }

    // Operations
    // Hands the bitmap back (not deleted) and forgets its size and mask.
    HBITMAP Release();
    // Takes ownership of a bitmap in place of the one before (which the
    // caller got back from Release).
    void Take(HBITMAP bitmap);
    bool Draw(CDC* pDC, int x, int y);
    // Makes the mask: 1 where the bitmap has the key colour. A colour other
    // than the stored key colour makes the top-left pixel's colour the key.
    bool MakeMask(CDC* pDC, COLORREF colour);
    // Draws the bitmap at x, y leaving the key colour's pixels as they were.
    bool DrawTransparent(CDC* pDC, int x, int y, COLORREF colour);

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    CBitmap m_mask;
    COLORREF m_clrKey = RGB(0, 255, 0);
};
