// The drawing styles' side of the popup windows: the own frame, the
// background, the own shadow and the window and client sizes.
#include <algorithm>

#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"

using namespace menu_math;

namespace {

BOOL SystemDropShadow()
{
    BOOL on = FALSE;
    return ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &on, 0) && on;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour)
{
    MenuFillSolid(dc, r, colour);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour)
{
    MenuFrameSolid(dc, r, colour);
}

// What an own frame is painted from: the taken-over window's state with
// its snapshot (taken now when missing), the window's size, and the
// system's drop shadow and high-contrast mode with the insets they give.
struct FrameFacts
{
    MenuWindowState* state = nullptr;
    SIZE size = {0, 0};
    BOOL shadow = FALSE;
    bool highContrast = false;
    int inset = 0;   // the ring's right and bottom edges inside the window
    int outer = 0;   // the outer frame's
};

bool GetFrameFacts(HWND hWnd, BOOL ownBorder, FrameFacts& f)
{
    f.state = MenuLibrary().StateOf(hWnd);
    if (!ownBorder || !f.state)
        return false;
    TakeScreenSnapshot(hWnd, f.state);
    if (!f.state->snapshot.GetSafeHandle())
        return false;
    RECT wr = {};
    ::GetWindowRect(hWnd, &wr);
    f.size = SIZE{wr.right - wr.left, wr.bottom - wr.top};
    f.shadow = SystemDropShadow();
    f.highContrast = MenuLibrary().IsHighContrast() != FALSE;
    f.inset = f.shadow ? 1 : 5;
    f.outer = f.shadow ? 0 : 4;
    return true;
}

// The client area, extended 2 pixels left (and 1 narrower right with an
// own border), in the colour.
void FillClient(HWND hWnd, HDC hDC, BOOL ownBorder, COLORREF colour)
{
    RECT r;
    ::GetClientRect(hWnd, &r);
    r.left -= 2;
    if (ownBorder)
        r.right -= 1;
    FillSolid(hDC, r, colour);
}

// The client rectangle in window coordinates.
RECT ClientInWindow(HWND hWnd)
{
    RECT wr, cr;
    ::GetWindowRect(hWnd, &wr);
    ::GetClientRect(hWnd, &cr);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    ::OffsetRect(&cr, origin.x - wr.left, origin.y - wr.top);
    return cr;
}

// Fills the ring between the outer rectangle and the client area.
void FillRing(HDC dc, const RECT& outer, const RECT& client, COLORREF colour)
{
    int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillSolid(dc, outer, colour);
    ::RestoreDC(dc, saved);
}

SIZE WindowSize(HWND hWnd)
{
    RECT wr = {};
    ::GetWindowRect(hWnd, &wr);
    return SIZE{wr.right - wr.left, wr.bottom - wr.top};
}

} // namespace

MenuStyle::MenuStyle(int nStyle, Measurer measurer, Painter painter)
    : m_nStyle(nStyle),
      m_bOwnBorder(nStyle % 2 == 0),
      m_measurer(measurer),
      m_painter(painter),
      m_titlePainter(&CNewMenu::DrawTitle)
{
    RefreshMetrics();
    RefreshSystemColors();
}

void MenuStyle::RefreshSystemColors()
{
    static const int indices[5] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNTEXT,
                                   COLOR_WINDOWFRAME};
    for (int i = 0; i < 5; ++i)
        m_sysColors[i] = ::GetSysColor(indices[i]);
}

void MenuStyle::RefreshMetrics()
{
    BOOL shadow = SystemDropShadow();
    m_frame = RECT{2, 2, shadow ? 2 : 5, shadow ? 2 : 6};
}

BOOL MenuStyle::TakeOverWindow(HWND hWnd)
{
    MenuWindowState* state = MenuLibrary().StateOf(hWnd);
    if (!m_bOwnBorder || !state)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_STYLE, state->savedStyle & ~WS_BORDER);
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, state->savedExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    state->flags |= kStateStylesChanged;
    return TRUE;
}

BOOL MenuStyle::ReleaseWindow(HWND hWnd)
{
    MenuWindowState* state = MenuLibrary().StateOf(hWnd);
    if (!state)
        return TRUE;
    if (CNewMenu* menu = CNewMenu::FromHandleNew(state->menu))
        menu->OnPopupClosed(hWnd);
    if ((state->flags & kStateStylesChanged) && ::IsWindow(hWnd)) {
        // The window's visibility is its own by now: restoring a hidden
        // style on a shown window (or the reverse) would desynchronise it.
        LONG style = (state->savedStyle & ~WS_VISIBLE) | (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE);
        if (state->flags & kStateAtSizing)
            style |= WS_VISIBLE;
        ::SetWindowLongA(hWnd, GWL_STYLE, style);
        ::SetWindowLongA(hWnd, GWL_EXSTYLE, state->savedExStyle);
    }
    return TRUE;
}

BOOL MenuStyle::ShrinkClientArea(HWND, NCCALCSIZE_PARAMS* pParams)
{
    if (m_bOwnBorder && pParams) {
        BOOL shadow = SystemDropShadow();
        RECT& r = pParams->rgrc[0];
        r.left += 2;
        r.top += 2;
        r.right -= shadow ? 1 : 5;
        r.bottom -= shadow ? 2 : 6;
    }
    return FALSE;
}

BOOL MenuStyle::GrowWindowSize(HWND, WINDOWPOS* pPos)
{
    if (!m_bOwnBorder || !pPos)
        return FALSE;
    if (!(pPos->flags & SWP_NOSIZE)) {
        int d = SystemDropShadow() ? -2 : 2;
        pPos->cx += d;
        pPos->cy += d;
    }
    if (!(pPos->flags & SWP_NOMOVE))
        pPos->y -= 1;
    return TRUE;
}

BOOL MenuStyle::GetInnerFrameRect(HWND hWnd, RECT* pRect)
{
    if (!pRect || !::GetWindowRect(hWnd, pRect))
        return FALSE;
    if (m_bOwnBorder) {
        int d = SystemDropShadow() ? 3 : 7;
        pRect->left += 2;
        pRect->top += 2;
        pRect->right -= d;
        pRect->bottom -= d;
    }
    return TRUE;
}

BOOL MenuStyle::FillBackground(HWND hWnd, HDC hDC)
{
    COLORREF c = (MenuLibrary().OsClass() == 7 && MenuFlatMenusOn()) ? ::GetSysColor(COLOR_MENUBAR)
                                                                      : ::GetSysColor(COLOR_MENU);
    FillClient(hWnd, hDC, m_bOwnBorder, c);
    return TRUE;
}

BOOL FlatMenuStyle::FillBackground(HWND hWnd, HDC hDC)
{
    MenuWindowState* state = MenuLibrary().StateOf(hWnd);
    FillClient(hWnd, hDC, m_bOwnBorder, MenuBackgroundColor(state ? state->menu : nullptr));
    return TRUE;
}

BOOL MenuStyle::PaintFrame(HWND hWnd, HDC hDC, BOOL bFrameOnly)
{
    FrameFacts f;
    if (!GetFrameFacts(hWnd, m_bOwnBorder, f))
        return FALSE;
    if (!bFrameOnly) {
        COLORREF ring = (MenuLibrary().OsClass() == 7 && MenuFlatMenusOn()) ? ::GetSysColor(COLOR_MENUBAR)
                                                                             : ::GetSysColor(COLOR_MENU);
        FillRing(hDC, RECT{1, 1, f.size.cx - f.inset, f.size.cy - f.inset}, ClientInWindow(hWnd), ring);
    }
    FrameSolid(hDC, RECT{0, 0, f.size.cx - f.outer, f.size.cy - f.outer},
               ::GetSysColor(f.highContrast ? COLOR_BTNTEXT : COLOR_HIGHLIGHT));
    if (!f.shadow && !f.highContrast)
        PaintOwnShadow(hWnd, hDC, f.state);
    return TRUE;
}

BOOL FlatMenuStyle::PaintFrame(HWND hWnd, HDC hDC, BOOL bFrameOnly)
{
    FrameFacts f;
    if (!GetFrameFacts(hWnd, m_bOwnBorder, f))
        return FALSE;
    COLORREF m = MenuColor(f.state->menu);
    COLORREF window = ::GetSysColor(COLOR_WINDOW);
    COLORREF area = Blend86(window, m);
    COLORREF side = DisplayColorCount() <= 256 ? ::GetSysColor(COLOR_BTNFACE) : Blend86(m, window);
    COLORREF border = ScaleTowardBlack(128, m);
    if (::GetNearestColor(hDC, side) == ::GetNearestColor(hDC, area)) {
        side = m;
        area = window;
    }
    RECT ring = {1, 1, f.size.cx - f.inset, f.size.cy - f.inset};
    if (!bFrameOnly)
        FillRing(hDC, ring, ClientInWindow(hWnd), area);
    RECT outer = {0, 0, f.size.cx - f.outer, f.size.cy - f.outer};
    if (f.highContrast) {
        FrameSolid(hDC, outer, ::GetSysColor(COLOR_BTNTEXT));
        return TRUE;
    }
    FrameSolid(hDC, ring, area);
    int lineLength = f.size.cy - (f.shadow ? 4 : 8);
    COLORREF lineColour = (f.shadow && (m_nStyle == 8 || m_nStyle == 9)) ? window : side;
    FillSolid(hDC, RECT{1, 2, 2, 2 + lineLength}, lineColour);
    FrameSolid(hDC, outer, border);
    if (!f.shadow)
        PaintOwnShadow(hWnd, hDC, f.state);
    return TRUE;
}

void MenuStyle::PaintOwnShadow(HWND hWnd, HDC hDC, MenuWindowState* state)
{
    if (SystemDropShadow() || !state || !state->snapshot.GetSafeHandle())
        return;
    SIZE s = WindowSize(hWnd);
    int w = s.cx, h = s.cy;
    HDC mem = ::CreateCompatibleDC(hDC);
    HGDIOBJ old = ::SelectObject(mem, state->snapshot.GetSafeHandle());
    auto shade = [&](int x, int y, int factor) {
        COLORREF under = ::GetPixel(mem, x, y);
        ::SetPixel(hDC, x, y, factor >= 255 ? under : Darken(under, factor));
    };
    if (DisplayColorCount() > 256) {
        // Right edge: columns w - 1 (d = 1) to w - 4 (d = 4).
        for (int d = 1; d <= 4; ++d) {
            int x = w - d;
            for (int y = 0; y < h; ++y) {
                int factor;
                if (y < 4)
                    factor = 255;
                else if (y < 8)
                    factor = ShadowFactor(d, y - 3);
                else if (y >= h - 4)
                    factor = ShadowFactor(d, h - y);
                else
                    factor = ShadowFactor(d, 0);
                shade(x, y, factor);
            }
        }
        // Bottom edge: rows h - 1 to h - 4, stopping 4 before the right edge.
        for (int d = 1; d <= 4; ++d) {
            int y = h - d;
            for (int x = 0; x < w - 4; ++x) {
                int factor = x < 4 ? 255 : x < 8 ? ShadowFactor(d, x - 3) : ShadowFactor(d, 0);
                shade(x, y, factor);
            }
        }
    } else {
        for (int x = w - 2; x < w; ++x)
            for (int y = 0; y < h; ++y)
                shade(x, y, 255);
        for (int y = h - 2; y < h; ++y)
            for (int x = 0; x < w; ++x)
                shade(x, y, 255);
        COLORREF band = ::GetSysColor(COLOR_BTNSHADOW);
        for (int x = w - 4; x <= w - 3; ++x)
            for (int y = 0; y < h - 2; ++y)
                y < 4 ? shade(x, y, 255) : (void)::SetPixel(hDC, x, y, band);
        for (int y = h - 4; y <= h - 3; ++y)
            for (int x = 0; x < w - 4; ++x)
                x < 4 ? shade(x, y, 255) : (void)::SetPixel(hDC, x, y, band);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

void MenuStyle::PaintGripper(HWND, HDC hDC, const RECT& rect)
{
    RECT r = rect;
    ::DrawEdge(hDC, &r, BDR_RAISEDINNER, BF_RECT);
}

void MenuStyle::PaintGripperCorners(HWND, HDC, const RECT&)
{
}

COLORREF MenuStyle::GetBarScheme(int nIndex) const
{
    return (nIndex >= 0 && nIndex < 5) ? m_sysColors[nIndex] : ::GetSysColor(COLOR_BTNFACE);
}
