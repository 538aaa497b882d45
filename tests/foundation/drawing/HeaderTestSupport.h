// A header bar in a top-level window, painted and captured as the screen
// shows it.
#pragma once

#include <memory>

#include "DrawingTestSupport.h"
#include "foundation/drawing/TXVHeader.h"

namespace drawing_test {

class HeaderHost
{
public:
    HeaderHost(int width, int height);
    ~HeaderHost();

    TXVHeader m_header;
    CWnd m_frame;

    // Paints what is invalid now and copies the header's pixels.
    std::unique_ptr<DibSurface> Capture();
    // Invalidates (all or part), paints and copies.
    std::unique_ptr<DibSurface> Repaint(const RECT* part = nullptr);

private:
    int m_width, m_height;
};

// Counts of the banner's colours in an area.
int CountNear(const DibSurface& s, std::uint32_t rgb, int tolerance, int x0, int y0, int x1, int y1);

} // namespace drawing_test
