// CTreeCtrl: a tree view control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/CString.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CWnd.h"

class CEdit;

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    // Construction
    CTreeCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID); }

    // Items
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* lpInsertStruct)
    { return m_hWnd ? reinterpret_cast<HTREEITEM>(::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(lpInsertStruct))) : nullptr; }
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return m_hWnd ? TreeView_DeleteItem(m_hWnd, hItem) : FALSE; }
    BOOL DeleteAllItems() { return m_hWnd ? TreeView_DeleteAllItems(m_hWnd) : FALSE; }
    BOOL GetItem(TVITEMA* pItem) const
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem))) : FALSE; }
    BOOL SetItem(TVITEMA* pItem)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(pItem))) : FALSE; }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    { return m_hWnd ? static_cast<UINT>(::SendMessageA(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), static_cast<LPARAM>(nStateMask))) : 0; }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != nullptr; }
    UINT GetCount() const { return m_hWnd ? TreeView_GetCount(m_hWnd) : 0; }

    // Navigation
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return m_hWnd ? TreeView_GetNextItem(m_hWnd, hItem, nCode) : nullptr; }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }

    // Operations
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return m_hWnd ? TreeView_Expand(m_hWnd, hItem, nCode) : FALSE; }
    BOOL Select(HTREEITEM hItem, UINT nCode) { return m_hWnd ? TreeView_Select(m_hWnd, hItem, nCode) : FALSE; }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL EnsureVisible(HTREEITEM hItem) { return m_hWnd ? TreeView_EnsureVisible(m_hWnd, hItem) : FALSE; }
    BOOL SortChildren(HTREEITEM hItem) { return m_hWnd ? TreeView_SortChildren(m_hWnd, hItem, 0) : FALSE; }
    BOOL SortChildrenCB(LPTVSORTCB pSort) { return m_hWnd ? TreeView_SortChildrenCB(m_hWnd, pSort, 0) : FALSE; }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const
    { return m_hWnd ? TreeView_HitTest(m_hWnd, pHitTestInfo) : nullptr; }
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    CEdit* EditLabel(HTREEITEM hItem);
    CImageList* CreateDragImage(HTREEITEM hItem);   // the caller deletes it

    // Look
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    { return m_hWnd ? CImageList::FromHandle(TreeView_SetImageList(m_hWnd, pImageList ? pImageList->m_hImageList : nullptr, nImageListType)) : nullptr; }
    CImageList* GetImageList(int nImageListType) const
    { return m_hWnd ? CImageList::FromHandle(TreeView_GetImageList(m_hWnd, nImageListType)) : nullptr; }
    UINT GetIndent() const { return m_hWnd ? TreeView_GetIndent(m_hWnd) : 0; }
    void SetIndent(UINT nIndent) { if (m_hWnd) TreeView_SetIndent(m_hWnd, nIndent); }
    COLORREF SetBkColor(COLORREF clr) { return m_hWnd ? TreeView_SetBkColor(m_hWnd, clr) : CLR_NONE; }
    COLORREF SetTextColor(COLORREF clr) { return m_hWnd ? TreeView_SetTextColor(m_hWnd, clr) : CLR_NONE; }
    int SetItemHeight(SHORT cyHeight) { return m_hWnd ? TreeView_SetItemHeight(m_hWnd, cyHeight) : 0; }
};
