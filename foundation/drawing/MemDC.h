// MemDC: an off-screen drawing surface that copies itself onto its target
// when it goes away, so a paint reaches the screen in one copy.
#pragma once

#include "framework/ui/CDC.h"

class MemDC : public CDC
{
public:
    // Construction
    // pRect null: the target's clip box. bCopyBackground: start from the
    // target's pixels. bUsePalette: realise a palette made from the off-screen
    // bitmap's colour table on the target before the copy back.
    explicit MemDC(CDC* pDC, const CRect* pRect = nullptr, bool bCopyBackground = false,
                   bool bUsePalette = false);
    ~MemDC() override;
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;

    // Attributes
    // False when drawing goes straight to the target (printing, or no
    // off-screen surface could be made).
    bool IsMemDC() const { return m_bMemDC; }
    const CRect& GetRect() const { return m_rect; }

    // Operations
    // Fills pal from the colour table of the DIB section selected into pDC
    // (null: this context). False when that context has no palette
    // capability or has no colour table to read.
    BOOL CreatePaletteFromDIB(CPalette& pal, CDC* pDC = nullptr);

    // Implementation
    // True for a target that prints (drawn straight through, never blitted).
    static bool IsPrintingTarget(CDC* pDC);

private:
    CBitmap m_bitmap;                   // the off-screen bitmap
    HGDIOBJ m_hOldBitmap = nullptr;     // selected before ours, put back at the end
    CDC* m_pDC;                         // the target, not owned
    CRect m_rect;                       // painted area, target's logical coordinates
    bool m_bMemDC = false;
    bool m_bUsePalette;

    void DrawStraightThrough();
};
