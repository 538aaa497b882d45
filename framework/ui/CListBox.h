// CListBox: a list box.
#pragma once

#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CListBox : public CWnd
{
public:
    CListBox() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetCount() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)) : 0; }
    int GetCurSel() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)) : LB_ERR; }
    int SetCurSel(int nSelect) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0)) : LB_ERR; }
    int GetSel(int nIndex) const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETSEL, static_cast<WPARAM>(nIndex), 0)) : LB_ERR; }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETSEL, bSelect, nIndex)) : LB_ERR; }
    int GetSelCount() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETSELCOUNT, 0, 0)) : LB_ERR; }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex))) : LB_ERR; }
    DWORD_PTR GetItemData(int nIndex) const { return m_hWnd ? static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0)) : 0; }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData))) : LB_ERR; }
    int GetText(int nIndex, LPSTR lpszBuffer) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer))) : LB_ERR; }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0)) : LB_ERR; }
    int GetTopIndex() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0)) : LB_ERR; }
    int SetTopIndex(int nIndex) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0)) : LB_ERR; }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0))) : LB_ERR; }
    int GetItemRect(int nIndex, LPRECT lpRect) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect))) : LB_ERR; }

    int AddString(LPCSTR lpszItem) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))) : LB_ERR; }
    int InsertString(int nIndex, LPCSTR lpszItem)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem))) : LB_ERR; }
    int DeleteString(UINT nIndex) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0)) : LB_ERR; }
    void ResetContent() { if (m_hWnd) ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
    int FindString(int nStartAfter, LPCSTR lpszItem) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem))) : LB_ERR; }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind))) : LB_ERR; }
    int SelectString(int nStartAfter, LPCSTR lpszItem)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem))) : LB_ERR; }

    // Overridables (owner-drawn styles)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
