// CProgressCtrl: a progress bar (also in marquee style).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/CWnd.h"

class CProgressCtrl : public CWnd
{
public:
    CProgressCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(PROGRESS_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID); }

    void SetRange(short nLower, short nUpper) { if (m_hWnd) ::SendMessageA(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { if (m_hWnd) ::SendMessageA(m_hWnd, PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0)) : 0; }
    int SetPos(int nPos) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(nPos), 0)) : 0; }
    int OffsetPos(int nPos) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, PBM_DELTAPOS, static_cast<WPARAM>(nPos), 0)) : 0; }
    int SetStep(int nStep) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(nStep), 0)) : 0; }
    int StepIt() { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, PBM_STEPIT, 0, 0)) : 0; }
    COLORREF SetBarColor(COLORREF clrBar) { return m_hWnd ? static_cast<COLORREF>(::SendMessageA(m_hWnd, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(clrBar))) : CLR_DEFAULT; }
    COLORREF SetBkColor(COLORREF clrNew) { return m_hWnd ? static_cast<COLORREF>(::SendMessageA(m_hWnd, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(clrNew))) : CLR_DEFAULT; }
    // Needs PBS_MARQUEE; nInterval in milliseconds between moves.
    BOOL SetMarquee(BOOL fMarqueeMode, int nInterval)
    { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, PBM_SETMARQUEE, fMarqueeMode, nInterval)) : FALSE; }
};

inline void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {0, 0};
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}
