// CComboBox: a combo box.
#pragma once

#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CComboBox : public CWnd
{
public:
    CComboBox() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetCount() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)) : 0; }
    int GetCurSel() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)) : CB_ERR; }
    int SetCurSel(int nSelect) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0)) : CB_ERR; }
    DWORD_PTR GetItemData(int nIndex) const { return m_hWnd ? static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0)) : 0; }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData))) : CB_ERR; }
    int GetLBText(int nIndex, LPSTR lpszText) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText))) : CB_ERR; }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0)) : CB_ERR; }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), cyItemHeight)) : CB_ERR; }
    int SetDroppedWidth(UINT nWidth) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0)) : CB_ERR; }
    int GetDroppedWidth() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0)) : CB_ERR; }
    void ShowDropDown(BOOL bShowIt = TRUE) { if (m_hWnd) ::SendMessageA(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0); }
    BOOL GetDroppedState() const { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, CB_GETDROPPEDSTATE, 0, 0)) : FALSE; }
    BOOL LimitText(int nMaxChars) { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars), 0)) : FALSE; }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar))) : FALSE; }

    int AddString(LPCSTR lpszString) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))) : CB_ERR; }
    int InsertString(int nIndex, LPCSTR lpszString)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString))) : CB_ERR; }
    int DeleteString(UINT nIndex) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_DELETESTRING, nIndex, 0)) : CB_ERR; }
    void ResetContent() { if (m_hWnd) ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
    int FindString(int nStartAfter, LPCSTR lpszString) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString))) : CB_ERR; }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind))) : CB_ERR; }
    int SelectString(int nStartAfter, LPCSTR lpszString)
    { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString))) : CB_ERR; }

    // Overridables (owner-drawn styles)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
