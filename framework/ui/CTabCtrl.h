// CTabCtrl: a tab control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/CImageList.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CTabCtrl : public CWnd
{
public:
    CTabCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetItemCount() const { return m_hWnd ? TabCtrl_GetItemCount(m_hWnd) : 0; }
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, TCM_GETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))) : FALSE; }
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, TCM_SETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))) : FALSE; }
    LONG InsertItem(int nItem, TCITEMA* pTabCtrlItem)
    { return m_hWnd ? static_cast<LONG>(::SendMessageA(m_hWnd, TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))) : -1; }
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage = -1)
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
        item.pszText = const_cast<LPSTR>(lpszItem);
        item.iImage = nImage;
        return InsertItem(nItem, &item);
    }
    BOOL DeleteItem(int nItem) { return m_hWnd ? TabCtrl_DeleteItem(m_hWnd, nItem) : FALSE; }
    BOOL DeleteAllItems() { return m_hWnd ? TabCtrl_DeleteAllItems(m_hWnd) : FALSE; }
    int GetCurSel() const { return m_hWnd ? TabCtrl_GetCurSel(m_hWnd) : -1; }
    int SetCurSel(int nItem) { return m_hWnd ? TabCtrl_SetCurSel(m_hWnd, nItem) : -1; }
    int GetCurFocus() const { return m_hWnd ? TabCtrl_GetCurFocus(m_hWnd) : -1; }
    void SetCurFocus(int nItem) { if (m_hWnd) TabCtrl_SetCurFocus(m_hWnd, nItem); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return m_hWnd ? TabCtrl_GetItemRect(m_hWnd, nItem, lpRect) : FALSE; }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { if (m_hWnd) TabCtrl_AdjustRect(m_hWnd, bLarger, lpRect); }
    CImageList* SetImageList(CImageList* pImageList)
    { return m_hWnd ? CImageList::FromHandle(TabCtrl_SetImageList(m_hWnd, pImageList ? pImageList->m_hImageList : nullptr)) : nullptr; }
    CSize SetItemSize(CSize size)
    { return CSize(m_hWnd ? static_cast<int>(LOWORD(TabCtrl_SetItemSize(m_hWnd, size.cx, size.cy))) : 0,
                   m_hWnd ? static_cast<int>(HIWORD(TabCtrl_SetItemSize(m_hWnd, size.cx, size.cy))) : 0); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return m_hWnd ? TabCtrl_HitTest(m_hWnd, pHitTestInfo) : -1; }

    // Overridables (owner-drawn tabs)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
