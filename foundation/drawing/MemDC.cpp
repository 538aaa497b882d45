#include "foundation/drawing/MemDC.h"

#include <cstring>
#include <vector>

MemDC::MemDC(CDC* pDC, const CRect* pRect, bool bCopyBackground, bool bUsePalette)
    : m_pDC(pDC), m_bUsePalette(bUsePalette)
{
    if (!pDC || !pDC->m_hDC)
        return;
    if (pRect)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (IsPrintingTarget(pDC)) {
        DrawStraightThrough();
        return;
    }

    // A context or bitmap the system cannot give us (out of GDI memory, a
    // huge area): draw straight into the target rather than into nothing.
    if (!CreateCompatibleDC(pDC)) {
        DrawStraightThrough();
        return;
    }
    if (!m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
        DeleteDC();
        DrawStraightThrough();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    m_bMemDC = true;
    SetWindowOrg(m_rect.left, m_rect.top);
    if (bCopyBackground)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left,
               m_rect.top, SRCCOPY);
}

MemDC::~MemDC()
{
    if (!m_bMemDC) {
        // The target's context is borrowed: never delete it.
        m_hDC = nullptr;
        m_bOwned = TRUE;
        return;
    }

    CPalette palette;
    CPalette* pOldPalette = nullptr;
    const bool palette_made = m_bUsePalette && CreatePaletteFromDIB(palette);
    if (palette_made) {
        pOldPalette = m_pDC->SelectPalette(&palette, FALSE);
        m_pDC->RealizePalette();
    }
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                  m_rect.top, SRCCOPY);
    if (palette_made)
        m_pDC->SelectPalette(pOldPalette, TRUE);

    ::SelectObject(m_hDC, m_hOldBitmap);
    palette.DeleteObject();
    m_bitmap.DeleteObject();
    DeleteDC();
}

void MemDC::DrawStraightThrough()
{
    m_bMemDC = false;
    m_hDC = m_pDC->m_hDC;
    m_bOwned = FALSE;
}

bool MemDC::IsPrintingTarget(CDC* pDC)
{
    return pDC && pDC->m_hDC && ::GetDeviceCaps(pDC->m_hDC, TECHNOLOGY) == DT_RASPRINTER;
}

BOOL MemDC::CreatePaletteFromDIB(CPalette& pal, CDC* pDC)
{
    HDC hDC = pDC ? pDC->m_hDC : m_hDC;
    if (!hDC || !(::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE))
        return FALSE;

    const int kEntries = 236;
    RGBQUAD table[kEntries];
    std::memset(table, 0, sizeof table);
    // Entries the table does not deliver stay black rather than undefined.
    if (::GetDIBColorTable(hDC, 0, kEntries, table) == 0)
        return FALSE;

    std::vector<BYTE> storage(sizeof(LOGPALETTE) + (kEntries - 1) * sizeof(PALETTEENTRY), 0);
    LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = kEntries;
    for (int i = 0; i < kEntries; ++i) {
        lp->palPalEntry[i].peRed = table[i].rgbRed;
        lp->palPalEntry[i].peGreen = table[i].rgbGreen;
        lp->palPalEntry[i].peBlue = table[i].rgbBlue;
        lp->palPalEntry[i].peFlags = 0;
    }
    return pal.CreatePalette(lp);
}
