#include "WidgetTestSupport.h"

#include <cstdio>
#include <memory>

#include "tests/support/TestSupport.h"

namespace widget_test {

DibSurface::DibSurface(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO bi = TopDown32(width, height);
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_old = SelectObject(m_dc, m_bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

DibSurface::~DibSurface()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF DibSurface::At(int x, int y) const
{
    GdiFlush();
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || !m_bits)
        return CLR_INVALID;
    const uint32_t p = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int DibSurface::Count(const RECT& r, COLORREF colour) const
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) == colour)
                ++n;
    return n;
}

void PrintClient(HWND window, DibSurface& surface)
{
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
}

WindowShot::WindowShot(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(window, &r);
    m_surface = std::make_unique<DibSurface>(r.right, r.bottom);
    HDC screen = GetDC(window);
    BitBlt(m_surface->Dc(), 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
}

bool RecordingParent::Make(int x, int y, int width, int height)
{
    // Top-most: test programs share one desktop, and the window under a
    // point must be this one's.
    return CreateEx(WS_EX_TOPMOST, GetDefaultClassName(), "widget test parent",
                    WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, nullptr, nullptr) != FALSE;
}

LRESULT RecordingParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool record = message >= WM_USER || message == WM_COMMAND || message == WM_NOTIFY ||
                        message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
    if (record) {
        UINT code = 0;
        if (message == WM_NOTIFY)
            code = reinterpret_cast<const NMHDR*>(lParam)->code;
        else if (message == WM_COMMAND)
            code = HIWORD(wParam);
        received.push_back(Received{message, wParam, lParam, code, GetTickCount()});
        if (message == WM_NOTIFY && code == m_notifyCode)
            return m_notifyAnswer;
        if (message >= WM_USER)
            return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<Received> RecordingParent::Of(UINT message) const
{
    std::vector<Received> out;
    for (const Received& r : received)
        if (r.message == message)
            out.push_back(r);
    return out;
}

void PumpFor(unsigned long milliseconds)
{
    const DWORD start = GetTickCount();
    tavrix_test::PumpUntil([&] { return GetTickCount() - start >= milliseconds; }, milliseconds + 50);
}

void PutCursorAt(HWND window, int x, int y)
{
    POINT screen = {x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PumpFor(5);
}

} // namespace widget_test
