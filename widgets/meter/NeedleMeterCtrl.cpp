#include "widgets/meter/NeedleMeterCtrl.h"

#include "framework/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CNeedleMeterCtrl, COffscreenStatic)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CNeedleMeterCtrl::CNeedleMeterCtrl()
{
    m_needleBrush.CreateSolidBrush(m_needleColor);
    m_needlePen.CreatePen(PS_SOLID, 1, m_needleColor);
}

CNeedleMeterCtrl::~CNeedleMeterCtrl()
{
    DiscardFace();
    DestroyWindow();
}

// --- attributes -----------------------------------------------------------------

void CNeedleMeterCtrl::SetValue(double value)
{
    m_value = value;
    Invalidate(TRUE);
}

void CNeedleMeterCtrl::SetRange(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    DiscardFace();
    Invalidate(TRUE);
}

void CNeedleMeterCtrl::SetDecimals(int decimals)
{
    m_decimals = decimals;
    DiscardFace();
    Invalidate(TRUE);
}

void CNeedleMeterCtrl::SetNeedleColor(COLORREF color)
{
    m_needleColor = color;
    m_needleBrush.DeleteObject();
    m_needleBrush.CreateSolidBrush(color);
    m_needlePen.DeleteObject();
    m_needlePen.CreatePen(PS_SOLID, 1, color);
    DiscardFace();
    Invalidate(TRUE);
}

BOOL CNeedleMeterCtrl::LoadBackgroundBitmap(const CString& path)
{
    HANDLE loaded = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    if (!loaded)
        return FALSE;
    DiscardFace();
    m_background.DeleteObject();
    m_background.Attach(loaded);
    Invalidate(TRUE);
    return TRUE;
}

// --- the face ---------------------------------------------------------------------

void CNeedleMeterCtrl::BuildFace(CDC* pDC, const CRect& client)
{
    m_face = NeedleFaceFor(client.left, client.top, client.right, client.bottom);
    m_ring.DeleteObject();
    POINT points[26];
    for (int i = 0; i < 26; ++i)
        points[i] = POINT{m_face.ring[i].x, m_face.ring[i].y};
    m_ring.CreatePolygonRgn(points, 26, ALTERNATE);
    BITMAP picture = {};
    if (!m_background.GetSafeHandle() || !m_background.GetBitmap(&picture) || !m_faceDC.CreateCompatibleDC(pDC))
        return;
    if (!m_faceBitmap.CreateCompatibleBitmap(pDC, picture.bmWidth, picture.bmHeight)) {
        m_faceDC.DeleteDC();
        return;
    }
    m_displacedBitmap = ::SelectObject(m_faceDC, m_faceBitmap);
    CDC source;
    if (source.CreateCompatibleDC(pDC)) {
        HGDIOBJ old = ::SelectObject(source, m_background);
        m_faceDC.BitBlt(0, 0, picture.bmWidth, picture.bmHeight, &source, 0, 0, SRCCOPY);
        ::SelectObject(source, old);
    }
}

void CNeedleMeterCtrl::DiscardFace()
{
    if (m_faceDC.GetSafeHdc()) {
        ::SelectObject(m_faceDC, m_displacedBitmap);
        m_faceDC.DeleteDC();
    }
    m_faceBitmap.DeleteObject();
    m_displacedBitmap = nullptr;
}

// --- painting ----------------------------------------------------------------------

void CNeedleMeterCtrl::Paint(CDC* pDC)
{
    const CRect client = PaintArea();
    if (!m_faceDC.GetSafeHdc() || !m_background.GetSafeHandle())
        BuildFace(pDC, client);
    if (m_faceDC.GetSafeHdc())
        pDC->BitBlt(0, 0, client.Width(), client.Height(), &m_faceDC, 0, 0, SRCCOPY);
    else // no picture: a black panel
        pDC->FillSolidRect(&client, RGB(0, 0, 0));
    DrawNeedle(pDC);
}

void CNeedleMeterCtrl::DrawNeedle(CDC* pDC)
{
    NeedlePoint triangle[3];
    NeedleTriangle(m_face, NeedleAngle(m_value, m_minimum, m_maximum, m_face), triangle);
    POINT points[3];
    for (int i = 0; i < 3; ++i)
        points[i] = POINT{triangle[i].x, triangle[i].y};
    HDC dc = pDC->GetSafeHdc();
    ::SelectClipRgn(dc, m_ring);
    HGDIOBJ oldBrush = ::SelectObject(dc, m_needleBrush);
    HGDIOBJ oldPen = ::SelectObject(dc, m_needlePen);
    ::Polygon(dc, points, 3);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::SelectClipRgn(dc, nullptr);
}

CRect CNeedleMeterCtrl::PaintArea()
{
    if (m_rcClient.IsRectEmpty())
        GetClientRect(&m_rcClient);
    return m_rcClient;
}

void CNeedleMeterCtrl::OnSize(UINT nType, int cx, int cy)
{
    COffscreenStatic::OnSize(nType, cx, cy);
    GetClientRect(&m_rcClient);
    DiscardFace();
    Invalidate(TRUE);
}
