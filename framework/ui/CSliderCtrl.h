// CSliderCtrl: a trackbar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/CWnd.h"

class CSliderCtrl : public CWnd
{
public:
    CSliderCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetPos() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TBM_GETPOS, 0, 0)) : 0; }
    void SetPos(int nPos) { if (m_hWnd) ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    int GetRangeMin() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TBM_GETRANGEMIN, 0, 0)) : 0; }
    int GetRangeMax() const { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TBM_GETRANGEMAX, 0, 0)) : 0; }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    { if (m_hWnd) { ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, FALSE, nMin); ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); } }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { if (m_hWnd) ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { if (m_hWnd) ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }
    int SetPageSize(int nSize) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, nSize)) : 0; }
    int SetLineSize(int nSize) { return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TBM_SETLINESIZE, 0, nSize)) : 0; }
    void SetTicFreq(int nFreq) { if (m_hWnd) ::SendMessageA(m_hWnd, TBM_SETTICFREQ, static_cast<WPARAM>(nFreq), 0); }
    BOOL SetTic(int nTic) { return m_hWnd ? static_cast<BOOL>(::SendMessageA(m_hWnd, TBM_SETTIC, 0, nTic)) : FALSE; }
    void ClearTics(BOOL bRedraw = FALSE) { if (m_hWnd) ::SendMessageA(m_hWnd, TBM_CLEARTICS, bRedraw, 0); }
};
