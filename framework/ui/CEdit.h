// CEdit: an edit control.
#pragma once

#include "framework/ui/CWnd.h"

class CEdit : public CWnd
{
public:
    CEdit() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID); }

    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        if (!m_hWnd) return;
        ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
        if (!bNoScroll) ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        DWORD s = 0, e = 0;
        if (m_hWnd) ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        nStartChar = static_cast<int>(s); nEndChar = static_cast<int>(e);
    }
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE)
    { if (m_hWnd) ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText)); }
    void SetLimitText(UINT nMax) { if (m_hWnd) ::SendMessageA(m_hWnd, EM_LIMITTEXT, nMax, 0); }
    void LimitText(int nChars = 0) { SetLimitText(static_cast<UINT>(nChars)); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0)) : FALSE; }
    int GetLineCount() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0)) : 0; }
    BOOL GetModify() const { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0)) : FALSE; }
    void SetModify(BOOL bModified = TRUE) { if (m_hWnd) ::SendMessageA(m_hWnd, EM_SETMODIFY, bModified, 0); }
    void Clear() { if (m_hWnd) ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { if (m_hWnd) ::SendMessageA(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { if (m_hWnd) ::SendMessageA(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { if (m_hWnd) ::SendMessageA(m_hWnd, WM_PASTE, 0, 0); }
    BOOL Undo() { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, EM_UNDO, 0, 0)) : FALSE; }
    void SetPasswordChar(char ch) { if (m_hWnd) ::SendMessageA(m_hWnd, EM_SETPASSWORDCHAR, static_cast<BYTE>(ch), 0); }
    void LineScroll(int nLines, int nChars = 0) { if (m_hWnd) ::SendMessageA(m_hWnd, EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines); }
};
