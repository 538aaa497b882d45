// CListCtrl: a list view control (report columns, items with sub-item text
// and images, item data, sorting, selection, custom draw through the
// parent's or a reflected NM_CUSTOMDRAW).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/CList.h"
#include "framework/core/CString.h"
#include "framework/ui/CHeaderCtrl.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CEdit;

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    // Construction
    CListCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID); }

    // Columns
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return m_hWnd ? ListView_DeleteColumn(m_hWnd, nCol) : FALSE; }
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_GETCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn))) : FALSE; }
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn))) : FALSE; }
    int GetColumnWidth(int nCol) const { return m_hWnd ? ListView_GetColumnWidth(m_hWnd, nCol) : 0; }
    BOOL SetColumnWidth(int nCol, int cx) { return m_hWnd ? ListView_SetColumnWidth(m_hWnd, nCol, cx) : FALSE; }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return m_hWnd ? ListView_SetColumnOrderArray(m_hWnd, iCount, piArray) : FALSE; }
    CHeaderCtrl* GetHeaderCtrl() const
    { return m_hWnd ? static_cast<CHeaderCtrl*>(CWnd::FromHandle(ListView_GetHeader(m_hWnd))) : nullptr; }

    // Items
    int GetItemCount() const { return m_hWnd ? ListView_GetItemCount(m_hWnd) : 0; }
    void SetItemCount(int nItems) { if (m_hWnd) ListView_SetItemCount(m_hWnd, nItems); }
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(iCount), static_cast<LPARAM>(dwFlags))) : FALSE; }
    int InsertItem(const LVITEMA* pItem)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(pItem))) : -1; }
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return m_hWnd ? ListView_DeleteItem(m_hWnd, nItem) : FALSE; }
    BOOL DeleteAllItems() { return m_hWnd ? ListView_DeleteAllItems(m_hWnd) : FALSE; }
    BOOL GetItem(LVITEMA* pItem) const
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem))) : FALSE; }
    BOOL SetItem(const LVITEMA* pItem)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(pItem))) : FALSE; }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam);
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);   // a sub-item image needs LVS_EX_SUBITEMIMAGES
    int GetItemImage(int nItem, int nSubItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const { return m_hWnd ? ListView_GetItemState(m_hWnd, nItem, nMask) : 0; }
    int FindItem(LVFINDINFOA* pFindInfo, int nStart = -1) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LVM_FINDITEMA, static_cast<WPARAM>(nStart), reinterpret_cast<LPARAM>(pFindInfo))) : -1; }
    // lParams of the two items to the callback.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare))) : FALSE; }
    // Indexes of the two items to the callback.
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SORTITEMSEX, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare))) : FALSE; }
    BOOL Update(int nItem) { return m_hWnd ? ListView_Update(m_hWnd, nItem) : FALSE; }
    BOOL RedrawItems(int nFirst, int nLast) { return m_hWnd ? ListView_RedrawItems(m_hWnd, nFirst, nLast) : FALSE; }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return m_hWnd ? ListView_EnsureVisible(m_hWnd, nItem, bPartialOK) : FALSE; }
    CEdit* EditLabel(int nItem);

    // Selection
    UINT GetSelectedCount() const { return m_hWnd ? ListView_GetSelectedCount(m_hWnd) : 0; }
    int GetNextItem(int nItem, int nFlags) const { return m_hWnd ? ListView_GetNextItem(m_hWnd, nItem, nFlags) : -1; }
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const { return m_hWnd ? ListView_GetSelectionMark(m_hWnd) : -1; }
    int SetSelectionMark(int iIndex) { return m_hWnd ? ListView_SetSelectionMark(m_hWnd, iIndex) : -1; }
    int GetHotItem() const { return m_hWnd ? ListView_GetHotItem(m_hWnd) : -1; }

    // Look
    DWORD GetExtendedStyle() const { return m_hWnd ? ListView_GetExtendedListViewStyle(m_hWnd) : 0; }
    DWORD SetExtendedStyle(DWORD dwNewStyle)
    { return m_hWnd ? static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle))) : 0; }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    { return m_hWnd ? CImageList::FromHandle(ListView_SetImageList(m_hWnd, pImageList ? pImageList->m_hImageList : nullptr, nImageListType)) : nullptr; }
    CImageList* GetImageList(int nImageListType) const
    { return m_hWnd ? CImageList::FromHandle(ListView_GetImageList(m_hWnd, nImageListType)) : nullptr; }
    BOOL SetBkColor(COLORREF cr) { return m_hWnd ? ListView_SetBkColor(m_hWnd, cr) : FALSE; }
    COLORREF GetBkColor() const { return m_hWnd ? ListView_GetBkColor(m_hWnd) : CLR_NONE; }
    BOOL SetTextColor(COLORREF cr) { return m_hWnd ? ListView_SetTextColor(m_hWnd, cr) : FALSE; }
    COLORREF GetTextColor() const { return m_hWnd ? ListView_GetTextColor(m_hWnd) : CLR_NONE; }
    BOOL SetTextBkColor(COLORREF cr) { return m_hWnd ? ListView_SetTextBkColor(m_hWnd, cr) : FALSE; }
    int GetStringWidth(LPCSTR lpsz) const
    { return m_hWnd && lpsz ? static_cast<int>(::SendMessageA(m_hWnd, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(lpsz))) : 0; }

    // Geometry
    int GetTopIndex() const { return m_hWnd ? ListView_GetTopIndex(m_hWnd) : 0; }
    int GetCountPerPage() const { return m_hWnd ? ListView_GetCountPerPage(m_hWnd) : 0; }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
    { return m_hWnd ? ListView_GetItemRect(m_hWnd, nItem, lpRect, nCode) : FALSE; }
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
    { return m_hWnd ? ListView_GetSubItemRect(m_hWnd, iItem, iSubItem, nArea, &ref) : FALSE; }
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const { return m_hWnd ? ListView_GetItemPosition(m_hWnd, nItem, lpPoint) : FALSE; }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo))) : -1; }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo))) : -1; }
    BOOL Scroll(CSize size) { return m_hWnd ? ListView_Scroll(m_hWnd, size.cx, size.cy) : FALSE; }
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);   // the caller deletes it

    // Overridables (owner-drawn report lists)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
