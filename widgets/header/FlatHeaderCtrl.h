// CFlatHeaderCtrl: the column header of the track lists. It paints itself
// flat in the skin's colours and lets the user reorder columns by
// dragging: the dragged column floats in a window of its own and an
// arrow-shaped marker window shows the drop position.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/ui/CDC.h"
#include "framework/ui/CHeaderCtrl.h"

class CFlatHeaderCtrl;

// The floating picture of the dragged column ("MFCFHDragWnd").
class CFHDragWnd : public CWnd
{
public:
    CFHDragWnd(CFlatHeaderCtrl* pHeader, int item, const HDITEMA& hdItem, const CString& text);
    BOOL CreateOver(const CRect& screenRect);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                 // ON_WM_PAINT
    BOOL OnEraseBkgnd(CDC* pDC);    // ON_WM_ERASEBKGND
    void PostNcDestroy() override;

private:
    CFlatHeaderCtrl* m_pHeader;
    int m_nItem;
    HDITEMA m_item;
    CString m_text;
};

// The drop marker: a down arrow above and an up arrow below the divider
// ("MFCFHDropWnd").
class CFHDropWnd : public CWnd
{
public:
    explicit CFHDropWnd(COLORREF colour);
    ~CFHDropWnd() override;
    BOOL CreateFor(int headerHeight);
    void PlaceAt(int x, int y);
    int GetHeight() const { return m_nHeight; }

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(CDC* pDC);    // ON_WM_ERASEBKGND
    void PostNcDestroy() override;

private:
    CBrush m_brush;
    int m_nHeight = 0;
};

class CFlatHeaderCtrl : public CHeaderCtrl
{
    DECLARE_DYNCREATE(CFlatHeaderCtrl)
public:
    // Construction
    CFlatHeaderCtrl();
    ~CFlatHeaderCtrl() override;

    // Attributes
    void SetColours(COLORREF face, COLORREF text);
    COLORREF GetFaceColour() const { return m_cr3DFace; }
    COLORREF GetTextColour() const { return m_crText; }
    void SetSortColumn(int column, bool ascending);
    // Width limits and fixed width of an item (style flag 4: fixed).
    void SetItemWidthLimits(int item, int minimum, int maximum);
    void SetItemFixed(int item, bool fixed);
    int GetSpacing() const { return m_iSpacing; }
    int GetHotDivider() const { return m_iHotDivider; }
    CWnd* GetMarkerWindow() const { return m_pDropWnd; }
    CWnd* GetDragWindow() const { return m_pDragWnd; }
    int GetItemStyleCount() const { return static_cast<int>(m_styles.size()); }

    // Overridables
    void DrawItem(LPDRAWITEMSTRUCT) override {}
    virtual void DrawItem(CDC* pDC, CRect rect, HDITEMA& item, BOOL sortColumn, BOOL ascending);
    void PreSubclassWindow() override;

    // Operations
    // The whole header onto pDC (the paint's surface or any target).
    void Paint(CDC* pDC);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                                        // ON_WM_PAINT
    void OnSysColorChange();                               // ON_WM_SYSCOLORCHANGE
    LRESULT OnNcHitTest(CPoint point);                     // ON_WM_NCHITTEST
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message); // ON_WM_SETCURSOR
    void OnLButtonDblClk(UINT nFlags, CPoint point);       // ON_WM_LBUTTONDBLCLK
    void OnLButtonDown(UINT nFlags, CPoint point);         // ON_WM_LBUTTONDOWN
    void OnMouseMove(UINT nFlags, CPoint point);           // ON_WM_MOUSEMOVE
    void OnLButtonUp(UINT nFlags, CPoint point);           // ON_WM_LBUTTONUP
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);        // HDM_LAYOUT
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);  // HDM_SETIMAGELIST
    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);    // HDM_INSERTITEMA, HDM_INSERTITEMW
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);    // HDM_DELETEITEM
    LRESULT OnSetHotDivider(WPARAM wParam, LPARAM lParam); // HDM_SETHOTDIVIDER
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);   // WM_PRINTCLIENT

private:
    struct ItemStyle
    {
        DWORD flags = 0;   // 4: fixed width
        int minWidth = 0;
        int maxWidth = -1;
    };
    friend class CFHDragWnd;

    void HitTestAt(CPoint client);
    int OrderOf(int item) const;
    int DropPositionAt(CPoint client) const;
    LRESULT SendNotify(UINT code, int item);
    void EndDrag(bool drop);
    void DrawSortArrow(CDC* pDC, const CRect& rect, bool ascending);
    bool OnDividerOfFixedHotItem() const;

    // Data
    bool m_bDoubleBuffer = true;
    int m_iSpacing = 6;
    int m_sizeImageX = 0, m_sizeImageY = 0;
    int m_sizeArrowX = 8, m_sizeArrowY = 8;
    bool m_bWideLayout = false;
    int m_iHotIndex = -1;
    int m_iHotOrder = -1;
    bool m_bHotResizable = true;
    HDHITTESTINFO m_hdhtiHotItem = {};
    HDITEMA m_hditemHotItem = {};
    char m_szHotItemText[81] = {};
    bool m_bClipping = false;
    int m_iHotDivider = -1;
    COLORREF m_crHotDivider = RGB(255, 0, 0);
    CFHDropWnd* m_pDropWnd = nullptr;
    CFHDragWnd* m_pDragWnd = nullptr;
    UINT m_nClickFlags = 0;
    CPoint m_ptClickPoint;
    bool m_bButtonDown = false;
    bool m_bDragging = false;
    bool m_bDragRefused = false;
    int m_iPressedItem = -1;
    bool m_bSortAscending = false;
    int m_iSortColumn = -1;
    std::vector<ItemStyle> m_styles;
    COLORREF m_cr3DHighLight, m_cr3DShadow, m_cr3DFace, m_crText, m_crArrowLight, m_crArrowDark;
};
