// CImageList: an image list. It owns its handle (ImageList_Destroy when it
// goes) unless it was taken from a control with FromHandle.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/CRect.h"

class CBitmap;
class CDC;
class CWnd;

class CImageList
{
public:
    // Construction
    CImageList() = default;
    virtual ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    static CImageList* FromHandle(HIMAGELIST hImageList);   // borrowing
    static void DeleteTempMap();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource of AfxGetResourceHandle(), masked by crMask.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // Attributes
    HIMAGELIST m_hImageList = nullptr;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
    BOOL SetImageCount(UINT uNewCount) { return m_hImageList ? ImageList_SetImageCount(m_hImageList, uNewCount) : FALSE; }
    COLORREF SetBkColor(COLORREF cr) { return m_hImageList ? ImageList_SetBkColor(m_hImageList, cr) : CLR_NONE; }
    COLORREF GetBkColor() const { return m_hImageList ? ImageList_GetBkColor(m_hImageList) : CLR_NONE; }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    { return m_hImageList ? ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo) : FALSE; }
    BOOL GetIconSize(int& cx, int& cy) const;

    // Operations
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return m_hImageList ? ImageList_AddIcon(m_hImageList, hIcon) : -1; }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon) { return m_hImageList ? ImageList_ReplaceIcon(m_hImageList, nImage, hIcon) : -1; }
    BOOL Remove(int nImage) { return m_hImageList ? ImageList_Remove(m_hImageList, nImage) : FALSE; }
    HICON ExtractIcon(int nImage) { return m_hImageList ? ImageList_ExtractIcon(nullptr, m_hImageList, nImage) : nullptr; }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL SetOverlayImage(int nImage, int nOverlay) { return m_hImageList ? ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay) : FALSE; }

    // Drag images
    BOOL BeginDrag(int nImage, CPoint ptHotSpot)
    { return m_hImageList ? ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y) : FALSE; }
    static void EndDrag() { ImageList_EndDrag(); }
    static BOOL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL DragEnter(CWnd* pWndLock, CPoint point);
    static BOOL DragLeave(CWnd* pWndLock);
    static BOOL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
    BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot)
    { return m_hImageList ? ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y) : FALSE; }

private:
    BOOL m_bOwned = TRUE;
};
