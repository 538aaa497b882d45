#include "widgets/slider/BitmapSlider.h"

#include "framework/ui/MessageMap.h"
#include "widgets/drawing/MaskedBitmap.h"

BEGIN_MESSAGE_MAP(CBitmapSlider, COffscreenStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBitmapSlider::CBitmapSlider() = default;

CBitmapSlider::~CBitmapSlider()
{
    DestroyWindow();
    FreeBitmaps();
}

// --- attributes ------------------------------------------------------------------

SliderAxis CBitmapSlider::Axis() const
{
    return m_bVertical ? SliderAxis{m_nMin, m_nMax, m_nChannelHeight, m_nThumbHeight}
                       : SliderAxis{m_nMin, m_nMax, m_nChannelWidth, m_nThumbWidth};
}

void CBitmapSlider::SetRange(int minimum, int maximum, BOOL redraw)
{
    m_nMin = minimum;
    m_nMax = maximum;
    if (redraw)
        Invalidate(FALSE);
}

void CBitmapSlider::SetPos(int position)
{
    m_nPos = SliderClamp(position, m_nMin, m_nMax);
    Invalidate(FALSE);
}

void CBitmapSlider::SetPosPercent(int value)
{
    SetPos(m_bVertical ? 100 - value : value);
}

void CBitmapSlider::EnableFocusRect(BOOL enable, BOOL redraw)
{
    m_bFocusRect = enable;
    if (redraw)
        Invalidate(FALSE);
}

// --- bitmaps -----------------------------------------------------------------------

void CBitmapSlider::SetChannelBitmap(CBitmap* pChannel)
{
    m_bmChannel.DeleteObject();
    m_bChannelSet = FALSE;
    m_nChannelWidth = m_nChannelHeight = 0;
    if (!pChannel || !pChannel->GetSafeHandle())
        return;
    m_bmChannel.Attach(pChannel->Detach());
    GetBitmapSize(m_bmChannel, &m_nChannelWidth, &m_nChannelHeight);
    SetWindowPos(nullptr, 0, 0, m_nChannelWidth, m_nChannelHeight, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(&m_rcClient);
    m_bChannelSet = TRUE;
}

void CBitmapSlider::FreeThumbs()
{
    m_bmThumb.DeleteObject();
    m_bmThumbMask.DeleteObject();
    m_bmActiveThumb.DeleteObject();
    m_bmActiveThumbMask.DeleteObject();
}

void CBitmapSlider::FreeBitmaps()
{
    FreeThumbs();
    m_bmChannel.DeleteObject();
}

BOOL CBitmapSlider::LoadThumbBitmaps(const CString& path, UINT activeThumbId, BOOL transparent, COLORREF key,
                                     int keyX, int keyY)
{
    if (path.IsEmpty()) {
        m_bThumbLoaded = FALSE;
        FreeThumbs();
        Invalidate(FALSE);
        return TRUE;
    }
    FreeThumbs();
    m_bThumbLoaded = FALSE;
    m_bActiveThumb = FALSE;
    HANDLE thumb = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!thumb) {
        Invalidate(FALSE);
        return FALSE;
    }
    m_bmThumb.Attach(thumb);
    if (transparent && !BuildTransparencyMask(m_bmThumb, key, keyX, keyY, m_bmThumbMask)) {
        FreeThumbs();
        return FALSE;
    }
    if (activeThumbId) {
        if (!m_bmActiveThumb.LoadBitmap(activeThumbId) ||
            (transparent && !BuildTransparencyMask(m_bmActiveThumb, key, keyX, keyY, m_bmActiveThumbMask))) {
            FreeThumbs();
            Invalidate(FALSE);
            return FALSE;
        }
        m_bActiveThumb = TRUE;
    }
    GetBitmapSize(m_bmThumb, &m_nThumbWidth, &m_nThumbHeight);
    m_bTransparentThumb = transparent;
    m_bThumbLoaded = TRUE;
    Invalidate(FALSE);
    return TRUE;
}

// --- painting ---------------------------------------------------------------------

void CBitmapSlider::Paint(CDC* pDC)
{
    const CRect client = PaintArea();
    if (!m_workDC.GetSafeHdc() && !m_workDC.CreateCompatibleDC(pDC))
        return;
    HDC target = pDC->GetSafeHdc();
    if (m_bChannelSet)
        DrawMaskedBitmap(target, m_workDC, 0, 0, m_nChannelWidth, m_nChannelHeight, m_bmChannel, nullptr);
    else
        pDC->FillSolidRect(&client, RGB(0, 0, 0));
    if (m_bThumbLoaded) {
        const bool active = m_bActiveThumb && m_bDragging;
        HBITMAP thumb = active ? static_cast<HBITMAP>(m_bmActiveThumb) : static_cast<HBITMAP>(m_bmThumb);
        HBITMAP mask = !m_bTransparentThumb ? nullptr
                       : active             ? static_cast<HBITMAP>(m_bmActiveThumbMask)
                                            : static_cast<HBITMAP>(m_bmThumbMask);
        const int centre = PosToPixel(m_nPos);
        const int x = m_bVertical ? 0 : centre - m_nThumbWidth / 2;
        const int y = m_bVertical ? centre - m_nThumbHeight / 2 : 0;
        DrawMaskedBitmap(target, m_workDC, x, y, m_nThumbWidth, m_nThumbHeight, thumb, mask);
    }
    m_bFocusDrawn = FALSE;
    if (m_bFocusRect && m_bFocused) {
        pDC->DrawFocusRect(&client);
        m_bFocusDrawn = TRUE;
    }
}

CRect CBitmapSlider::PaintArea()
{
    // The channel's size, read when it was set.
    return m_bChannelSet ? m_rcClient : COffscreenStatic::PaintArea();
}

// --- mouse and keys ------------------------------------------------------------------

void CBitmapSlider::Notify(UINT message) const
{
    CWnd* parent = GetParent();
    if (parent)
        parent->PostMessage(message, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(m_nPos));
}

void CBitmapSlider::DragTo(CPoint point)
{
    const SliderAxis axis = Axis();
    const int p = SliderDragPixel(axis, m_bVertical ? point.y : point.x, m_nGrabOffset, m_bVertical != FALSE);
    if (p != PosToPixel(m_nPos)) {
        SetPos(PixelToPos(p));
        Notify(WM_SLIDER_DRAGGING);
    }
}

void CBitmapSlider::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    SetFocus();
    m_bDragging = TRUE;
    m_nGrabOffset = SliderGrabOffset(Axis(), m_nPos, m_bVertical ? point.y : point.x);
    DragTo(point);
    Invalidate(FALSE);
    Default();
}

void CBitmapSlider::OnMouseMove(UINT, CPoint point)
{
    if (!m_bDragging)
        return;
    DragTo(point);
    Default();
}

void CBitmapSlider::OnLButtonUp(UINT, CPoint)
{
    ::ReleaseCapture();
    m_bDragging = FALSE;
    Invalidate(FALSE);
    Notify(WM_SLIDER_SET);
    Default();
}

void CBitmapSlider::OnKeyDown(UINT nChar, UINT, UINT)
{
    int position = m_nPos;
    if (SliderKeyPosition(nChar, m_nPos, m_nMin, m_nMax, m_nPage, &position)) {
        SetPos(position);
        Notify(WM_SLIDER_SET);
    }
    Default();
}

UINT CBitmapSlider::OnGetDlgCode()
{
    if (::GetKeyState(VK_TAB) < 0)
        return static_cast<UINT>(Default());
    return DLGC_WANTALLKEYS;
}

void CBitmapSlider::OnSetFocus(CWnd*)
{
    m_bFocused = TRUE;
    Invalidate(FALSE);
}

void CBitmapSlider::OnKillFocus(CWnd*)
{
    m_bFocused = FALSE;
    Invalidate(FALSE);
}

void CBitmapSlider::OnDestroy()
{
    COffscreenStatic::OnDestroy();
    FreeBitmaps();
    m_bChannelSet = FALSE;
    m_bThumbLoaded = FALSE;
}
