#include "DrawingTestSupport.h"

#include <cstdlib>
#include <cstring>

namespace drawing_test {

DibSurface::DibSurface(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_hBitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_dc.CreateCompatibleDC(nullptr);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    m_dc.FillSolidRect(0, 0, width, height, fill);
}

DibSurface::~DibSurface()
{
    ::SelectObject(m_dc.m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
}

std::uint32_t DibSurface::At(int x, int y) const
{
    ::GdiFlush();
    return static_cast<const std::uint32_t*>(m_bits)[y * m_width + x] & 0x00FFFFFFu;
}

void DibSurface::Set(int x, int y, COLORREF c)
{
    ::GdiFlush();
    static_cast<std::uint32_t*>(m_bits)[y * m_width + x] = Rgb(c);
}

int DibSurface::Count(std::uint32_t rgb, int x0, int y0, int x1, int y1) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (At(x, y) == rgb)
                ++n;
    return n;
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP hBitmap, int& width, int& height)
{
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    width = bm.bmWidth;
    height = bm.bmHeight;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    for (auto& p : pixels)
        p &= 0x00FFFFFFu;
    return pixels;
}

HBITMAP MakeBitmap(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    ::SetDIBits(hScreen, hBitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

std::string MakeBmpFile(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::string out;
    auto put16 = [&out](std::uint32_t v) { out += static_cast<char>(v & 0xFF); out += static_cast<char>((v >> 8) & 0xFF); };
    auto put32 = [&put16](std::uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    out += "BM";
    put32(14 + 40 + imageSize);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));   // bottom-up
    put16(1);
    put16(24);
    put32(0);
    put32(imageSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            row += static_cast<char>(p & 0xFF);
            row += static_cast<char>((p >> 8) & 0xFF);
            row += static_cast<char>((p >> 16) & 0xFF);
        }
        row.resize(static_cast<size_t>(stride), '\0');
        out += row;
    }
    return out;
}

int ColourDistance(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int diff = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        if (diff > d)
            d = diff;
    }
    return d;
}

} // namespace drawing_test
