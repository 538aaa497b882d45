// TXVThumbList: the main window's thumbnail view, a horizontal row of
// 100 x 100 pictures (album covers, genre and playlist pictures) drawn with
// a frame and a fading reflection, two text lines under each, scrolled by
// dragging or by commands.
#pragma once

#include "framework/ui/AfxWin.h"
#include "skin/tracklist/ListLook.h"
#include "skin/drawing/DrawResources.h"

class TXVThumbList : public CListCtrl
{
    DECLARE_DYNAMIC(TXVThumbList)
public:
    // Construction
    TXVThumbList();
    ~TXVThumbList() override;

    // Skin set-up
    // Icon spacing and the image lists; the pictures "BasicThumbnails.bmp"
    // and "GenreImages2.bmp" come from the program folder.
    void LoadImageLists();
    void SetFont(const CString& face, int size);
    void SetColors(COLORREF background, COLORREF text);
    void HideScrollBars(int mode, int which);
    void SetOwnerWindow(CWnd* window) { m_pOwnerWnd = window; }
    void SetOwnerString(const CString& text) { m_strOwner = text; }
    const CString& GetOwnerString() const { return m_strOwner; }

    // Operations
    void ScrollLeft();
    void ScrollRight();
    CString GetSelectedText() const;

    // Attributes
    CImageList& GetBasicThumbnails() { return m_basic; }
    CImageList& GetDefaultList(int which) { return which == 0 ? m_default1 : m_default2; }
    CImageList& GetGenreImages() { return m_genres; }
    CImageList& GetOwnerList(int which) { return which == 0 ? m_owner1 : m_owner2; }
    bool IsPressed() const { return m_bPressed; }

    // Draws a picture into a w x h icon rectangle of dc as the list does
    // (the band, fit, frame and reflection), blending over what is there.
    static void DrawThumbnail(HDC dc, const RECT& iconRect, HICON picture, bool selected);

protected:
    DECLARE_MESSAGE_MAP()
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);    // reflected NM_CUSTOMDRAW
    void OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult);    // reflected LVN_INSERTITEM
    void OnLButtonDown(UINT nFlags, CPoint point);         // ON_WM_LBUTTONDOWN
    void OnMouseMove(UINT nFlags, CPoint point);           // ON_WM_MOUSEMOVE
    void OnLButtonUp(UINT nFlags, CPoint point);           // ON_WM_LBUTTONUP
    LRESULT OnMouseLeaveMsg(WPARAM wParam, LPARAM lParam); // WM_MOUSELEAVE
    void OnTimer(UINT_PTR nIDEvent);                       // ON_WM_TIMER
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);    // WM_NCCALCSIZE

private:
    void DrawItemNow(NMLVCUSTOMDRAW* draw);
    void Release();

    // Data
    CFont m_font;
    CFont m_fontSmall;
    COLORREF m_crBack = RGB(0, 0, 0);
    COLORREF m_crText = RGB(255, 255, 255);
    CString m_strOwner;
    bool m_bOwnerFlag1 = false;
    bool m_bOwnerFlag2 = false;
    ListScrollBarHiding m_hideBars;
    bool m_bPressed = false;
    int m_nPressX = 0;
    int m_nLastX = 0;
    int m_nTicks = 0;
    CRect m_rcClient;
    CImageList m_basic;
    CImageList m_default1;
    CImageList m_default2;
    CImageList m_genres;
    CImageList m_owner1;
    CImageList m_owner2;
    HICON m_hDefaultIcon = nullptr;
    CWnd* m_pOwnerWnd = nullptr;
    DrawResources m_resources;
};
