// CHeaderCtrl: a header control (the column header of a list view).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/CImageList.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CHeaderCtrl : public CWnd
{
public:
    CHeaderCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetItemCount() const { return m_hWnd ? Header_GetItemCount(m_hWnd) : 0; }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, HDM_GETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem))) : FALSE; }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, HDM_SETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem))) : FALSE; }
    int InsertItem(int nPos, HDITEMA* phdi)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, HDM_INSERTITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi))) : -1; }
    BOOL DeleteItem(int nPos) { return m_hWnd ? Header_DeleteItem(m_hWnd, nPos) : FALSE; }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return m_hWnd ? Header_GetItemRect(m_hWnd, nIndex, lpRect) : FALSE; }
    BOOL GetOrderArray(LPINT piArray, int iCount) const { return m_hWnd ? Header_GetOrderArray(m_hWnd, iCount, piArray) : FALSE; }
    BOOL SetOrderArray(int iCount, LPINT piArray) { return m_hWnd ? Header_SetOrderArray(m_hWnd, iCount, piArray) : FALSE; }
    int OrderToIndex(int nOrder) const { return m_hWnd ? Header_OrderToIndex(m_hWnd, nOrder) : -1; }
    CImageList* SetImageList(CImageList* pImageList)
    { return m_hWnd ? CImageList::FromHandle(Header_SetImageList(m_hWnd, pImageList ? pImageList->m_hImageList : nullptr)) : nullptr; }
    CImageList* GetImageList() const { return m_hWnd ? CImageList::FromHandle(Header_GetImageList(m_hWnd)) : nullptr; }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo))) : -1; }

    // Overridables (owner-drawn items)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
