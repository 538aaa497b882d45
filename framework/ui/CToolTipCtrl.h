// CToolTipCtrl: a tooltip control; its tools are windows or rectangles of
// a window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/CString.h"
#include "framework/ui/CWnd.h"

class CToolTipCtrl : public CWnd
{
public:
    CToolTipCtrl() = default;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)) : 0; }
    void Activate(BOOL bActivate) { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    void RelayEvent(LPMSG lpMsg) { if (m_hWnd && lpMsg) ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void SetDelayTime(UINT nDelay) { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, dwDuration, iTime); }
    int SetMaxTipWidth(int iWidth) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth)) : 0; }
    void SetTipBkColor(COLORREF clr) { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
    void SetTipTextColor(COLORREF clr) { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }
    void Pop() { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_POP, 0, 0); }
    void Update() { if (m_hWnd) ::SendMessageA(m_hWnd, TTM_UPDATE, 0, 0); }
};
