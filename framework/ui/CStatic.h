// CStatic: a static control.
#pragma once

#include "framework/ui/CWnd.h"
#include "framework/ui/OwnerDraw.h"

class CStatic : public CWnd
{
public:
    CStatic() = default;
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF)
    { return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID); }

    HBITMAP SetBitmap(HBITMAP hBitmap)
    { return m_hWnd ? reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))) : nullptr; }
    HBITMAP GetBitmap() const
    { return m_hWnd ? reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0)) : nullptr; }
    HICON SetIcon(HICON hIcon)
    { return m_hWnd ? reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0)) : nullptr; }
    HICON GetIcon() const
    { return m_hWnd ? reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)) : nullptr; }

    // Overridables (owner-drawn styles)
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    { return AfxOwnerDrawNotify(this, message, wParam, lParam, pResult); }
};
