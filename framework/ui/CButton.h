// CButton: a push button, check box, radio button or group box.
#pragma once

#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CButton : public CWnd
{
public:
    CButton() = default;
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID); }

    int GetCheck() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)) : 0; }
    void SetCheck(int nCheck) { if (m_hWnd) ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }
    UINT GetState() const { return m_hWnd ? static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0)) : 0; }
    void SetState(BOOL bHighlight) { if (m_hWnd) ::SendMessageA(m_hWnd, BM_SETSTATE, bHighlight, 0); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { if (m_hWnd) ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, bRedraw); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    { return m_hWnd ? reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))) : nullptr; }
    HICON SetIcon(HICON hIcon)
    { return m_hWnd ? reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon))) : nullptr; }

    // Overridables (owner-drawn styles)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
