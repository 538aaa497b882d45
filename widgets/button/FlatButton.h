// CFlatButton: the button of the skinned main window. An owner-drawn push
// button that paints the piece of the skin background under it, one of
// two images depending on whether the pointer is over it, an optional
// caption and an optional hover decoration. It tracks the pointer, shows a
// tooltip, can repeat its command while held, and forwards its presses to
// its parent. BlitBitmap, the free drawing function that the album-art
// views and previews use, lives here too.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CButton.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CToolTipCtrl.h"
#include "widgets/res/WidgetIds.h"

// The code that asks SetBitmaps for a darkened copy of the first image.
#define FLATBUTTON_DARKEN_FIRST (reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-3)))

// Copies bitmap to dest's top-left corner at dest's size: stretched from
// its whole size, or from its origin; SRCAND in and-mode, else SRCCOPY.
void BlitBitmap(CDC* pDC, const RECT& dest, CBitmap* pBitmap, BOOL stretch = FALSE, BOOL andMode = FALSE);

class CFlatButton : public CButton
{
public:
    // Construction
    CFlatButton();
    ~CFlatButton() override;

    // The main window's skin background (a memory DC of the whole skin),
    // which buttons with the skin-background flag copy from at their first
    // paint. Set before such a button first paints; null: none.
    static void SetSkinDC(CDC* pSkinDC);

    // Attributes
    void SetSkinBackground(BOOL set) { m_bSkinBackground = set; }
    void SetHoverRoundFrame(BOOL set) { m_bRoundFrame = set != FALSE; }
    void SetHoverTopBar(BOOL set) { m_bTopBar = set != FALSE; }
    void SetHoverEdge(BOOL set) { m_bEdge = set != FALSE; }
    void SetHoverRedGlass(BOOL set) { m_bRedGlass = set != FALSE; m_bGlass = m_bGlass || m_bRedGlass; }
    void SetHoverBlueGlass(BOOL set) { m_bBlueGlass = set != FALSE; m_bGlass = m_bGlass || m_bBlueGlass; }
    void SetHoverOrangeGlass(BOOL set) { m_bOrangeGlass = set != FALSE; m_bGlass = m_bGlass || m_bOrangeGlass; }
    void SetHoverFloodFill(BOOL set) { m_bFloodFill = set != FALSE; }
    void SetAutoRepeat(BOOL set) { m_bAutoRepeat = set != FALSE; m_nRepeatCount = 0; }
    void SetTooltipBalloon() { m_dwTooltipStyle |= TTS_BALLOON; }
    void SetTooltipText(LPCSTR text, BOOL activate = TRUE);
    void SetPointFont(const CString& face, int tenthsOfPoint);
    // RRGGBB text: the caption's colour; empty: black.
    void SetTextColorHex(const CString& hex);
    // Images (the button owns them): 0 done, 1 a size cannot be read, 2 a
    // mask cannot be made (the button then has no images). The second image
    // may be FLATBUTTON_DARKEN_FIRST for a copy of the first darkened by 12 %.
    int SetBitmaps(HBITMAP first, COLORREF firstKey, HBITMAP second = nullptr, COLORREF secondKey = 0);
    BOOL IsHovered() const { return m_bHover; }
    int GetRepeatCount() const { return m_nRepeatCount; }
    HBITMAP GetImage(int which) const { return m_images[which].bitmap; }
    CToolTipCtrl& GetToolTip() { return m_tooltip; }

    // Overridables
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void DrawImage(CDC* pDC, BOOL hasCaption, const CRect& item, const CRect& caption, BOOL pressed,
                           BOOL disabled);
    virtual void DrawCaption(CDC* pDC, const CString& text, const CRect& item, const CRect& caption, BOOL pressed,
                             BOOL disabled);

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message); // ON_WM_SETCURSOR
    void OnMouseMove(UINT nFlags, CPoint point);               // ON_WM_MOUSEMOVE
    void OnMouseLeave();                                       // ON_WM_MOUSELEAVE
    void OnLButtonDown(UINT nFlags, CPoint point);             // ON_WM_LBUTTONDOWN
    void OnLButtonDblClk(UINT nFlags, CPoint point);           // ON_WM_LBUTTONDBLCLK
    void OnLButtonUp(UINT nFlags, CPoint point);               // ON_WM_LBUTTONUP
    void OnTimer(UINT_PTR nIDEvent);                           // ON_WM_TIMER
    void OnKillFocus(CWnd* pNewWnd);                           // ON_WM_KILLFOCUS
    void OnEnable(BOOL bEnable);                               // ON_WM_ENABLE
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized); // ON_WM_ACTIVATE
    void OnCancelMode();                                       // ON_WM_CANCELMODE
    void OnSysColorChange();                                   // ON_WM_SYSCOLORCHANGE
    UINT OnGetDlgCode();                                       // ON_WM_GETDLGCODE
    BOOL OnEraseBkgnd(CDC* pDC);                               // ON_WM_ERASEBKGND
    void OnDestroy();                                          // ON_WM_DESTROY
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);          // BM_SETSTYLE
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);          // BM_GETCHECK
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);          // BM_SETCHECK
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);                 // ON_WM_CTLCOLOR_REFLECT
    BOOL OnClicked();                                          // ON_CONTROL_REFLECT_EX(BN_CLICKED)

private:
    struct Image
    {
        HBITMAP bitmap = nullptr;
        int width = 0, height = 0;
        CBitmap mask;
        COLORREF key = 0;
    };

    void FreeImages();
    void FreeBackground();
    void ClearHover();
    void PostMouse(UINT message, UINT nFlags, CPoint point) const;
    void StartPress(UINT nFlags, CPoint point);
    void DrawFace(CDC* pDC, const CRect& item);
    void DrawGlass(CDC* pDC, const CRect& item, BOOL pressed);
    BOOL EnsureToolTip();

    // Data
    Image m_images[2];
    CFont m_font;
    COLORREF m_clrText = 0;
    bool m_bDefaultColour = true;
    bool m_bRoundFrame = false, m_bTopBar = false, m_bEdge = false;
    bool m_bRedGlass = false, m_bBlueGlass = false, m_bOrangeGlass = false, m_bFloodFill = false;
    bool m_bGlass = false;
    bool m_bAutoRepeat = false;
    int m_nRepeatCount = 0;
    BOOL m_bSkinBackground = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE, m_bDisabled = FALSE;
    BOOL m_bDefaultButton = FALSE;
    CDC m_backgroundDC;
    CBitmap m_backgroundBitmap;
    HGDIOBJ m_hOldBackground = nullptr;
    CToolTipCtrl m_tooltip;
    DWORD m_dwTooltipStyle = 0;
    HCURSOR m_hCursor = nullptr;
};
