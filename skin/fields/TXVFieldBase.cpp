#include "skin/fields/TXVFieldBase.h"

#include "foundation/drawing/HexToColor.h"
#include "skin/fields/FieldGeometry.h"
#include "skin/fields/SkinBackground.h"

void TXVFieldBase::SetColors(const CString& textColor, const CString& backColor)
{
    m_bTextUnset = textColor.IsEmpty();
    if (!m_bTextUnset)
        m_clrText = HexToColor(textColor);
    m_bBackUnset = backColor.IsEmpty();
    if (!m_bBackUnset)
        m_clrBack = HexToColor(backColor);
}

void TXVFieldBase::SetFont(const CString& face, int tenthsOfPoint)
{
    m_font.DeleteObject();
    m_font.CreatePointFont(tenthsOfPoint, face);
}

bool TXVFieldBase::GrabBackground()
{
    m_bTransparent = GrabSkinBackground(this, m_bmpBackground) || m_bTransparent;
    return m_bTransparent;
}

bool TXVFieldBase::GrabBackgroundFrom(CDC* pDC)
{
    m_bTransparent = GrabControlBackground(this, pDC, m_bmpBackground) || m_bTransparent;
    return m_bTransparent;
}

void TXVFieldBase::ShowBorder(bool show)
{
    m_bBorder = show;
    if (m_hWnd)
        Invalidate();
}

void TXVFieldBase::SetBorderColor(COLORREF colour)
{
    m_clrBorder = colour;
    if (m_hWnd)
        Invalidate();
}

void TXVFieldBase::StoreText(const CString& text)
{
    if (m_hWnd)
        Invalidate();
    m_strText = text;
}

void TXVFieldBase::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    HDC dc = pDC->GetSafeHdc();
    if (m_bTransparent)
        DrawGrabbedBackground(pDC, m_bmpBackground);
    if (m_bBorder) {
        // The border alone: a hollow brush keeps the inside as it is.
        HPEN pen = ::CreatePen(PS_SOLID, 1, m_clrBorder);
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
        ::RoundRect(dc, client.left, client.top, client.right, client.bottom, 3, 0);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
        ::DeleteObject(pen);
    }
    const FieldRect fr = FieldTextRect(client.Width(), client.Height(), m_bBorder, m_bStatusInset);
    RECT inside{fr.left - (m_bStatusInset ? 3 : 0), fr.top, fr.right, fr.bottom};
    if (!m_bTransparent) {
        const COLORREF fill = m_bBackUnset ? kFieldFallbackFill : m_clrBack;
        ::SetBkColor(dc, fill);
        HBRUSH brush = ::CreateSolidBrush(fill);
        ::FillRect(dc, &inside, brush);
        ::DeleteObject(brush);
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_bTextUnset ? RGB(0, 0, 0) : m_clrText);
    HGDIOBJ oldFont = m_font.m_hObject ? ::SelectObject(dc, m_font.m_hObject) : nullptr;
    RECT text{fr.left, fr.top, fr.right, fr.bottom};
    ::DrawTextA(dc, m_strText, -1, &text, FieldTextFlags(m_nAlign));
    if (oldFont)
        ::SelectObject(dc, oldFont);
}
