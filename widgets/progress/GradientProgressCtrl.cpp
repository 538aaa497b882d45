#include "widgets/progress/GradientProgressCtrl.h"

#include "foundation/drawing/MemDC.h"
#include "framework/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CGradientProgressCtrl::OnPrintClient)
    ON_MESSAGE(PBM_SETRANGE, &CGradientProgressCtrl::OnSetRange)
    ON_MESSAGE(PBM_SETRANGE32, &CGradientProgressCtrl::OnSetRange32)
    ON_MESSAGE(PBM_GETRANGE, &CGradientProgressCtrl::OnGetRange)
    ON_MESSAGE(PBM_SETPOS, &CGradientProgressCtrl::OnSetPosMsg)
    ON_MESSAGE(PBM_DELTAPOS, &CGradientProgressCtrl::OnDeltaPos)
    ON_MESSAGE(PBM_SETSTEP, &CGradientProgressCtrl::OnSetStep)
    ON_MESSAGE(PBM_STEPIT, &CGradientProgressCtrl::OnStepIt)
    ON_MESSAGE(PBM_GETPOS, &CGradientProgressCtrl::OnGetPos)
    ON_MESSAGE(PBM_SETBARCOLOR, &CGradientProgressCtrl::OnSetBarColor)
    ON_MESSAGE(PBM_SETBKCOLOR, &CGradientProgressCtrl::OnSetBkColor)
END_MESSAGE_MAP()

CGradientProgressCtrl::~CGradientProgressCtrl()
{
    DestroyWindow();
}

void CGradientProgressCtrl::ModifyStyle(DWORD remove, DWORD add)
{
    CProgressCtrl::ModifyStyle(remove, add);
    Invalidate(TRUE);
}

void CGradientProgressCtrl::SetRangeAndRedraw(int a, int b)
{
    CGradientProgress::SetRange(a, b);
    Invalidate(TRUE);
}

int CGradientProgressCtrl::SetPos(int position)
{
    const int previous = CGradientProgress::SetPos(position);
    Invalidate(TRUE);
    return previous;
}

// --- painting --------------------------------------------------------------------------

void CGradientProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    MemDC mem(&dc, &client);
    PaintBar(&mem, client);
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CGradientProgressCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    CRect client;
    GetClientRect(&client);
    if (pDC)
        PaintBar(pDC, client);
    return 0;
}

// --- progress-bar messages ------------------------------------------------------------------

LRESULT CGradientProgressCtrl::PreviousRange(int minimum, int maximum) const
{
    return MAKELRESULT(static_cast<WORD>(minimum), static_cast<WORD>(maximum));
}

LRESULT CGradientProgressCtrl::OnSetRange(WPARAM, LPARAM lParam)
{
    const LRESULT previous = PreviousRange(m_nMin, m_nMax);
    CGradientProgress::SetRange(LOWORD(lParam), HIWORD(lParam));
    Invalidate(TRUE);
    return previous;
}

LRESULT CGradientProgressCtrl::OnSetRange32(WPARAM wParam, LPARAM lParam)
{
    const LRESULT previous = PreviousRange(m_nMin, m_nMax);
    CGradientProgress::SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
    Invalidate(TRUE);
    return previous;
}

LRESULT CGradientProgressCtrl::OnGetRange(WPARAM wParam, LPARAM lParam)
{
    PBRANGE* range = reinterpret_cast<PBRANGE*>(lParam);
    if (range) {
        range->iLow = m_nMin;
        range->iHigh = m_nMax;
    }
    return wParam ? m_nMin : m_nMax;
}

LRESULT CGradientProgressCtrl::OnSetPosMsg(WPARAM wParam, LPARAM)
{
    return SetPos(static_cast<int>(wParam));
}

LRESULT CGradientProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM)
{
    const int previous = CGradientProgress::OffsetPos(static_cast<int>(wParam));
    Invalidate(TRUE);
    return previous;
}

LRESULT CGradientProgressCtrl::OnSetStep(WPARAM wParam, LPARAM)
{
    const int previous = CGradientProgress::SetStep(static_cast<int>(wParam));
    Invalidate(TRUE);
    return previous;
}

LRESULT CGradientProgressCtrl::OnStepIt(WPARAM, LPARAM)
{
    const int previous = CGradientProgress::StepIt();
    Invalidate(TRUE);
    return previous;
}

LRESULT CGradientProgressCtrl::OnGetPos(WPARAM, LPARAM)
{
    return m_nPos;
}

LRESULT CGradientProgressCtrl::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    const COLORREF first = static_cast<COLORREF>(lParam);
    SetColours(2, first, wParam ? static_cast<COLORREF>(wParam) : first);
    return CLR_DEFAULT;
}

LRESULT CGradientProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam)
{
    m_clrBk = static_cast<COLORREF>(lParam);
    return CLR_DEFAULT;
}
