#include "widgets/scope/ScopeCtrl.h"

#include <algorithm>
#include <atomic>

#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/MemDC.h"
#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "widgets/scope/ScopeMath.h"

BEGIN_MESSAGE_MAP(CScopeCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const char kClassName[] = "TavrixScopeCtrl";
std::atomic<bool> g_centerLine{false};

void RegisterScopeClass()
{
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
}

void FillWith(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
}

// Puts the context's first bitmap back, then deletes the context and the
// bitmap that was drawn in.
void FreeSurface(HDC* dc, HBITMAP* bitmap, HGDIOBJ firstBitmap)
{
    if (*dc) {
        SelectObject(*dc, firstBitmap);
        DeleteDC(*dc);
        *dc = nullptr;
    }
    if (*bitmap)
        DeleteObject(*bitmap);
    *bitmap = nullptr;
}

void DrawLine(HDC dc, HPEN pen, const ScopeLine& line)
{
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, line.x, line.yFrom, nullptr);
    LineTo(dc, line.x, line.yTo);
    SelectObject(dc, old);
}

} // namespace

void CScopeCtrl::SetCenterLineOption(bool on) { g_centerLine.store(on); }

CScopeCtrl::CScopeCtrl()
{
    m_backBrush = CreateSolidBrush(m_backColor);
    m_plotPen = CreatePen(PS_SOLID, 0, m_plotColor);
    m_centerPen = CreatePen(PS_SOLID, 1, m_centerColor);
}

CScopeCtrl::~CScopeCtrl()
{
    DestroyWindow();
    {
        std::lock_guard<std::mutex> hold(m_lock);
        FreeStrip();
        FreeSurface(&m_plotDC, &m_plotBitmap, m_plotOldBitmap);
        if (m_display)
            DeleteObject(m_display);
        m_display = nullptr;
    }
    DeleteObject(m_backBrush);
    DeleteObject(m_plotPen);
    DeleteObject(m_centerPen);
}

void CScopeCtrl::FreeStrip()
{
    FreeSurface(&m_stripDC, &m_stripBitmap, m_stripOldBitmap);
    m_stripRect = RECT{0, 0, 0, 0};
}

BOOL CScopeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterScopeClass();
    if (!CreateEx(0, kClassName, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    RebuildBackground();
    return TRUE;
}

// --- attributes ---------------------------------------------------------------

void CScopeCtrl::SetRange(double lower, double upper, int decimals)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_lower = lower;
        m_upper = upper;
        m_decimals = decimals;
        m_range = upper - lower;
        m_pixelsPerUnit = m_range != 0 ? m_plotHeight / m_range : 0;
    }
    RebuildBackground();
}

void CScopeCtrl::SetBackgroundColor(COLORREF color)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_backColor = color;
        DeleteObject(m_backBrush);
        m_backBrush = CreateSolidBrush(color);
    }
    RebuildBackground();
}

void CScopeCtrl::SetPlotColor(COLORREF color)
{
    ReplacePen(&m_plotPen, &m_plotColor, 0, color);
}

void CScopeCtrl::SetGridColor(COLORREF color)
{
    m_gridColor = color;
    RebuildBackground();
}

void CScopeCtrl::SetXUnits(const CString& text)
{
    m_xUnits = text;
    RebuildBackground();
}

void CScopeCtrl::SetYUnits(const CString& text)
{
    m_yUnits = text;
    RebuildBackground();
}

void CScopeCtrl::SetCenterLineColor(COLORREF color)
{
    ReplacePen(&m_centerPen, &m_centerColor, 1, color);
}

void CScopeCtrl::ReplacePen(HPEN* pen, COLORREF* stored, int width, COLORREF color)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        *stored = color;
        DeleteObject(*pen);
        *pen = CreatePen(PS_SOLID, width, color);
    }
    RebuildBackground();
}

// --- the plot -------------------------------------------------------------------

void CScopeCtrl::RebuildBackground()
{
    std::lock_guard<std::mutex> hold(m_lock);
    RebuildLocked();
}

void CScopeCtrl::RebuildLocked()
{
    if (!m_hWnd)
        return;
    if (!m_plotDC) {
        HDC client = ::GetDC(m_hWnd);
        m_plotDC = CreateCompatibleDC(client);
        m_plotBitmap = CreateCompatibleBitmap(client, m_clientWidth > 0 ? m_clientWidth : 1,
                                              m_clientHeight > 0 ? m_clientHeight : 1);
        m_plotOldBitmap = SelectObject(m_plotDC, m_plotBitmap);
        ::ReleaseDC(m_hWnd, client);
    }
    m_plotRect.left = m_clientRect.left + ScopeLeftMargin(m_lower, m_upper, m_decimals);
    m_plotWidth = m_plotRect.right - m_plotRect.left;
    SetBkColor(m_plotDC, m_backColor);
    FillRect(m_plotDC, &m_clientRect, m_backBrush);
    ::InvalidateRect(m_hWnd, &m_clientRect, FALSE);
}

double CScopeCtrl::AppendValue(double value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    const double before = m_current;
    m_current = value;
    if (m_plotDC) {
        const RECT& p = m_plotRect;
        BitBlt(m_plotDC, p.left, p.top + 1, m_plotWidth, m_plotHeight, m_plotDC, p.left + 1, p.top + 1, SRCCOPY);
        FillWith(m_plotDC, p.right - 1, p.top, p.right, p.bottom, m_backBrush);
        const int height = p.bottom - p.top;
        const ScopeLine line = ScopeLevelLine(value, p.right - 3, height);
        DrawLine(m_plotDC, m_plotPen, line);
        if (ScopeClearsTop(m_previous, m_lower, m_pixelsPerUnit, p.top, p.bottom, ScopeLevelLength(value, height)))
            FillWith(m_plotDC, line.x, m_clientRect.top, line.x + 1, p.top + 1, m_backBrush);
    }
    m_previous = m_current;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return before;
}

// --- the waveform strip ------------------------------------------------------------

BOOL CScopeCtrl::CreateWaveStrip(int width)
{
    std::lock_guard<std::mutex> hold(m_lock);
    FreeStrip();
    const int stripWidth = (width > 0 ? width : 0) + 2;
    const int height = m_clientHeight > 0 ? m_clientHeight : 1;
    HDC screen = ::GetDC(nullptr);
    m_stripDC = CreateCompatibleDC(screen);
    m_stripBitmap = CreateCompatibleBitmap(screen, stripWidth, height);
    ::ReleaseDC(nullptr, screen);
    m_stripOldBitmap = SelectObject(m_stripDC, m_stripBitmap);
    m_stripRect = RECT{0, 0, stripWidth, height};
    FillRect(m_stripDC, &m_stripRect, m_backBrush);
    m_stripX = 0;
    return TRUE;
}

int CScopeCtrl::AppendWaveColumn(int percent)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_stripDC)
        return percent;
    const ScopeLine line = ScopeWaveColumn(m_stripX, m_stripRect.bottom - m_stripRect.top, percent);
    DrawLine(m_stripDC, m_plotPen, line);
    m_stripX = line.x;
    return line.x;
}

void CScopeCtrl::CopyWaveStrip()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_stripDC)
        return;
    // The strip is taken out of its context while it is read.
    SelectObject(m_stripDC, m_stripOldBitmap);
    HBITMAP copy = ResizeBitmap(m_stripBitmap, m_stripRect.right - m_stripRect.left,
                                m_plotHeight > 0 ? m_plotHeight : 1);
    SelectObject(m_stripDC, m_stripBitmap);
    if (m_display)
        DeleteObject(m_display);
    m_display = copy;
}

void CScopeCtrl::ShowWaveStripAt(int x, int)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_display || !m_plotDC)
        return;
    BITMAP info = {};
    GetObjectA(m_display, sizeof(info), &info);
    const int w = m_clientWidth;
    const int first = x - w / 2; // strip column shown at the control's left edge
    // Columns outside the strip show the background.
    FillWith(m_plotDC, 0, 0, w, m_plotHeight, m_backBrush);
    const int destStart = first < 0 ? -first : 0;
    const int srcStart = first < 0 ? 0 : first;
    const int count = std::min(w - destStart, static_cast<int>(info.bmWidth) - srcStart);
    if (count > 0) {
        HDC source = CreateCompatibleDC(m_plotDC);
        HGDIOBJ old = SelectObject(source, m_display);
        BitBlt(m_plotDC, destStart, 0, count, m_plotHeight, source, srcStart, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

// --- messages ------------------------------------------------------------------------

void CScopeCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    std::lock_guard<std::mutex> hold(m_lock);
    ::GetClientRect(m_hWnd, &m_clientRect);
    m_clientWidth = m_clientRect.right - m_clientRect.left;
    m_clientHeight = m_clientRect.bottom - m_clientRect.top;
    m_plotRect = m_clientRect;
    m_plotWidth = m_clientWidth;
    m_plotHeight = m_clientHeight;
    m_pixelsPerUnit = m_range != 0 ? m_plotHeight / m_range : 0;
}

void CScopeCtrl::OnPaint()
{
    if (!::GetUpdateRect(m_hWnd, nullptr, FALSE)) {
        ::ValidateRect(m_hWnd, nullptr);
        return;
    }
    CPaintDC dc(this);
    CRect area(dc.m_ps.rcPaint);
    MemDC mem(&dc, &area);
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_plotDC)
        BitBlt(mem.GetSafeHdc(), 0, 0, m_clientWidth, m_clientHeight, m_plotDC, 0, 0, SRCCOPY);
    if (g_centerLine.load()) {
        const ScopeLine line = {m_clientWidth / 2, m_clientRect.top, m_clientRect.bottom};
        DrawLine(mem.GetSafeHdc(), m_centerPen, line);
    }
}
