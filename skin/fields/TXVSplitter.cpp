#include "skin/fields/TXVSplitter.h"

#include "skin/fields/SkinBackground.h"

void TXVSplitter::SetColors(COLORREF fill, COLORREF second, COLORREF frame)
{
    m_clrFill = fill;
    m_clrSecond = second;
    m_clrFrame = frame;
}

bool TXVSplitter::GrabBackground()
{
    m_bTransparent = GrabSkinBackground(this, m_bmpBackground) || m_bTransparent;
    return m_bTransparent;
}

CRect TXVSplitter::GetScreenRect() const
{
    RECT r{0, 0, 0, 0};
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, &r);
    return CRect(r);
}

void TXVSplitter::Paint(CDC* pDC)
{
    if (m_bTransparent) {
        DrawGrabbedBackground(pDC, m_bmpBackground);
        return;
    }
    CRect client;
    GetClientRect(&client);
    pDC->SetBkColor(m_clrFill);
    pDC->FillSolidRect(&client, m_clrFill);
    pDC->Draw3dRect(&client, m_clrFrame, m_clrFrame);
}

void TXVSpectrumCtrl::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->SetBkColor(RGB(0, 0, 0));
    pDC->FillSolidRect(&client, RGB(0, 0, 0));
}
