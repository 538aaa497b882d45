#include "HeaderTestSupport.h"

#include "tests/framework/ui/UiTestSupport.h"

namespace drawing_test {

HeaderHost::HeaderHost(int width, int height) : m_width(width), m_height(height)
{
    m_frame.CreateEx(0, nullptr, "Header host", WS_POPUP | WS_VISIBLE, 0, 0, width + 40, height + 40,
                     nullptr, nullptr);
    m_header.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + width, 10 + height), &m_frame, 1001);
    ui_test::PumpPending();
}

HeaderHost::~HeaderHost()
{
    m_header.DestroyWindow();
    m_frame.DestroyWindow();
}

std::unique_ptr<DibSurface> HeaderHost::Capture()
{
    m_header.UpdateWindow();
    auto s = std::make_unique<DibSurface>(m_width, m_height, RGB(0xAB, 0xCD, 0xEF));
    HDC hDC = ::GetDC(m_header.m_hWnd);
    ::BitBlt(s->DC().m_hDC, 0, 0, m_width, m_height, hDC, 0, 0, SRCCOPY);
    ::ReleaseDC(m_header.m_hWnd, hDC);
    return s;
}

std::unique_ptr<DibSurface> HeaderHost::Repaint(const RECT* part)
{
    m_header.InvalidateRect(part, FALSE);
    return Capture();
}

int CountNear(const DibSurface& s, std::uint32_t rgb, int tolerance, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (ColourDistance(s.At(x, y), rgb) <= tolerance)
                ++n;
    return n;
}

} // namespace drawing_test
