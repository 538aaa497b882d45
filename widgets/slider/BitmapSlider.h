// CBitmapSlider: the skinned slider. It draws a channel bitmap (cut from
// the skin background; the window takes its size) and a thumb bitmap, lets
// the user drag the thumb or step it with keys, and posts every change to
// its parent:
//   WM_USER + 9425 (wParam control id, lParam position) at each new thumb
//                  pixel while dragging,
//   WM_USER + 9426 (the same) at every button-up and after every handled key.
// A paint composes channel and thumb off-screen and copies them once.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "widgets/drawing/OffscreenStatic.h"
#include "widgets/slider/SliderMath.h"

constexpr UINT WM_SLIDER_DRAGGING = WM_USER + 9425;
constexpr UINT WM_SLIDER_SET = WM_USER + 9426;

class CBitmapSlider : public COffscreenStatic
{
public:
    // Construction
    CBitmapSlider();
    ~CBitmapSlider() override;

    // Attributes
    int m_nPos = 0;              // kept within the range by the setters
    BOOL m_bVertical = FALSE;    // the minimum at the top
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    void SetPos(int position);
    int GetPos() const { return m_nPos; }
    // Vertical sliders store 100 - value, so 100 shows at the top.
    void SetPosPercent(int value);
    void SetPageSize(int page) { m_nPage = page; }
    void EnableFocusRect(BOOL enable = TRUE, BOOL redraw = FALSE);
    BOOL IsDragging() const { return m_bDragging; }

    // Operations
    // Takes the bitmap's handle (the slider owns it from then on) and sizes
    // the window to it.
    void SetChannelBitmap(CBitmap* pChannel);
    // Loads the thumb from a BMP file (an empty path removes the thumb), an
    // optional active thumb shown while dragging from a bitmap resource,
    // and with transparent the masks of the key colour (0xFF000000: the
    // colour of the pixel at the key point). FALSE when the thumb file or
    // the resource cannot be loaded; the slider then has no thumb.
    BOOL LoadThumbBitmaps(const CString& path, UINT activeThumbId = 0, BOOL transparent = FALSE,
                          COLORREF key = 0xFF000000, int keyX = 0, int keyY = 0);
    int PosToPixel(int position) const { return SliderPosToPixel(Axis(), position); }
    int PixelToPos(int pixel) const { return SliderPixelToPos(Axis(), pixel); }
    // Composes channel, thumb and focus rectangle onto pDC.
    void Paint(CDC* pDC) override;

protected:
    DECLARE_MESSAGE_MAP()
    CRect PaintArea() override;
    void OnLButtonDown(UINT nFlags, CPoint point);       // ON_WM_LBUTTONDOWN
    void OnMouseMove(UINT nFlags, CPoint point);         // ON_WM_MOUSEMOVE
    void OnLButtonUp(UINT nFlags, CPoint point);         // ON_WM_LBUTTONUP
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags); // ON_WM_KEYDOWN
    UINT OnGetDlgCode();                                 // ON_WM_GETDLGCODE
    void OnSetFocus(CWnd* pOldWnd);                      // ON_WM_SETFOCUS
    void OnKillFocus(CWnd* pNewWnd);                     // ON_WM_KILLFOCUS
    void OnDestroy();                                    // ON_WM_DESTROY

private:
    SliderAxis Axis() const;
    void DragTo(CPoint point);
    void Notify(UINT message) const;
    void FreeThumbs();
    void FreeBitmaps();

    // Data
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPage = 20;
    CRect m_rcClient;
    int m_nChannelWidth = 0, m_nChannelHeight = 0;
    int m_nThumbWidth = 0, m_nThumbHeight = 0;
    int m_nGrabOffset = 0;
    BOOL m_bDragging = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bFocusRect = TRUE;
    BOOL m_bFocusDrawn = FALSE;
    BOOL m_bChannelSet = FALSE;
    BOOL m_bThumbLoaded = FALSE;
    BOOL m_bTransparentThumb = FALSE;
    BOOL m_bActiveThumb = FALSE;
    CBitmap m_bmChannel;
    CBitmap m_bmThumb, m_bmThumbMask;
    CBitmap m_bmActiveThumb, m_bmActiveThumbMask;
    CDC m_workDC; // selects the bitmaps while a paint draws them; made once
};
