// Helpers of the drawing tests: a memory DC over a top-down 32-bpp DIB
// section read pixel by pixel, BMP files made in memory, and a window's
// pixels captured the way the screen shows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ui/AfxWin.h"

namespace drawing_test {

// 0xRRGGBB of a COLORREF.
inline std::uint32_t Rgb(COLORREF c)
{
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class DibSurface
{
public:
    DibSurface(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    CDC& DC() { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel as 0xRRGGBB.
    std::uint32_t At(int x, int y) const;
    void Set(int x, int y, COLORREF c);
    // Count of pixels of the colour inside [x0,x1) x [y0,y1).
    int Count(std::uint32_t rgb, int x0, int y0, int x1, int y1) const;

private:
    int m_width;
    int m_height;
    void* m_bits = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    CDC m_dc;
};

// The pixels of a device-dependent bitmap as 0xRRGGBB rows, top row first.
std::vector<std::uint32_t> BitmapPixels(HBITMAP hBitmap, int& width, int& height);

// A bitmap compatible with the screen holding the given pixels (0xRRGGBB,
// top row first).
HBITMAP MakeBitmap(int width, int height, const std::vector<std::uint32_t>& pixels);

// A 24-bit BMP file of the given pixels (0xRRGGBB, top row first).
std::string MakeBmpFile(int width, int height, const std::vector<std::uint32_t>& pixels);

// Channel-wise distance of two colours.
int ColourDistance(std::uint32_t a, std::uint32_t b);

} // namespace drawing_test
