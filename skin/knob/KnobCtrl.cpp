#include "skin/knob/KnobCtrl.h"

#include "foundation/drawing/MemDC.h"

BEGIN_MESSAGE_MAP(KnobCtrl, CSliderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_PRINTCLIENT, &KnobCtrl::OnPrintClient)
END_MESSAGE_MAP()

KnobCtrl::~KnobCtrl()
{
    // A bitmap in two slots is deleted by the first of them only.
    for (int slot = 1; slot < SLOT_COUNT; ++slot) {
        if (SharedWithOtherSlot(slot))
            m_slots[slot].Release();
    }
}

bool KnobCtrl::SharedWithOtherSlot(int slot) const
{
    if (!m_slots[slot].m_hObject)
        return false;
    for (int other = 0; other < SLOT_COUNT; ++other) {
        if (other != slot && m_slots[other].m_hObject == m_slots[slot].m_hObject)
            return true;
    }
    return false;
}

HBITMAP KnobCtrl::GetSlotBitmap(int slot) const
{
    return slot >= 0 && slot < SLOT_COUNT ? static_cast<HBITMAP>(m_slots[slot].m_hObject) : nullptr;
}

BOOL KnobCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The trackbar sets its own defaults while it is created, after the
    // window is bound: the knob's come once it exists.
    if (!CSliderCtrl::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetUpTrackbar();
    return TRUE;
}

void KnobCtrl::PreSubclassWindow()
{
    CSliderCtrl::PreSubclassWindow();
    SetUpTrackbar();
}

void KnobCtrl::SetUpTrackbar()
{
    ::SendMessageA(m_hWnd, TBM_SETRANGE, FALSE, MAKELPARAM(30, 329));
    ::SendMessageA(m_hWnd, TBM_SETLINESIZE, 0, 3);
    ::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, 30);
}

BOOL KnobCtrl::PreCreateWindow(CREATESTRUCTA& cs)
{
    return CSliderCtrl::PreCreateWindow(cs) ? TRUE : FALSE;
}

HBITMAP KnobCtrl::SetBitmap(HBITMAP bitmap, int slot)
{
    if (slot < 0 || slot >= SLOT_COUNT)
        return nullptr;
    const bool shared = SharedWithOtherSlot(slot);
    HBITMAP before = m_slots[slot].Release();
    if (shared)
        before = nullptr;
    m_slots[slot].Take(bitmap);
    int w = 0, h = 0;
    if (slot == SLOT_BACKGROUND && m_slots[slot].GetSize(w, h)) {
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_centre = KnobPoint{w / 2, h / 2};
    } else if (slot == SLOT_KNOB && m_slots[slot].GetSize(w, h)) {
        int bw = 0, bh = 0;
        m_slots[SLOT_BACKGROUND].GetSize(bw, bh);
        m_knob = KnobImageOrigin(bw, bh, w, h);
        m_nRadius = w / 2;
    } else if (slot == SLOT_DOT && m_slots[slot].GetSize(w, h)) {
        int kw = 0, kh = 0;
        m_slots[SLOT_KNOB].GetSize(kw, kh);
        m_nRadius = KnobDotRadius(kw, w);
        StepPos(0);
    }
    RedrawNow();
    return before;
}

bool KnobCtrl::SetKnobPos(int position, bool quiet)
{
    const int old = GetPos();
    position = KnobClampPosition(position, GetRangeMin(), GetRangeMax());
    if (m_hWnd)
        ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, position);
    if (!m_bDotHidden) {
        int w = 0, h = 0;
        m_slots[SLOT_DOT].GetSize(w, h);
        m_dot = KnobDotOrigin(position, m_nRadius, m_centre, w, h);
    }
    if (!quiet && m_hWnd) {
        if (HWND parent = ::GetParent(m_hWnd))
            ::PostMessageA(parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                           reinterpret_cast<LPARAM>(m_hWnd));
    }
    return position != old;
}

void KnobCtrl::StepPos(int delta)
{
    SetKnobPos(GetPos() + delta, false);
}

void KnobCtrl::SetRadius(int radius)
{
    m_nRadius = radius;
    StepPos(0);
    RedrawNow();
}

void KnobCtrl::RedrawNow()
{
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void KnobCtrl::Paint(CDC* pDC)
{
    if (m_bDrawBackground)
        m_slots[SLOT_BACKGROUND].Draw(pDC, 0, 0);
    m_slots[SLOT_KNOB].DrawTransparent(pDC, m_knob.x, m_knob.y, m_clrKey);
    if (!m_bDotHidden)
        m_slots[SLOT_DOT].DrawTransparent(pDC, m_dot.x, m_dot.y, m_clrKey);
}

void KnobCtrl::OnPaint()
{
    CPaintDC dc(this);
    MemDC mem(&dc);
    Paint(&mem);
}

BOOL KnobCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT KnobCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam)))
        Paint(pDC);
    return 0;
}

void KnobCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_ptLast = point;
    if (m_bDragging) {
        Default();
        return;
    }
    m_bDragging = true;
    SetCapture();
    SetFocus();
    if (!m_bDotHidden)
        RedrawNow();
    ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENS));
}

void KnobCtrl::OnMouseMove(UINT, CPoint point)
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENS));
    if (!m_bDragging) {
        Default();
        return;
    }
    if (SetKnobPos(GetPos() + (m_ptLast.y - point.y), false)) {
        if (!m_bDotHidden)
            RedrawNow();
        m_ptLast = point;
    }
}

void KnobCtrl::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bDragging) {
        Default();
        return;
    }
    m_bDragging = false;
    ::ReleaseCapture();
    StepPos(m_ptLast.y - point.y);
    if (!m_bDotHidden)
        RedrawNow();
}

void KnobCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_SPACE: SetKnobPos(180, false); break;
    case VK_END: SetKnobPos(GetRangeMax() + 1, false); break;
    case VK_HOME: SetKnobPos(GetRangeMin(), false); break;
    case VK_LEFT: SetKnobPos(90, false); break;
    case VK_RIGHT: SetKnobPos(270, false); break;
    case VK_UP: StepPos(1); break;
    case VK_DOWN: StepPos(-1); break;
    default: Default(); return;
    }
    RedrawNow();
}
