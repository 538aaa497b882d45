#include "foundation/drawing/DrawingHelpers.h"

#include <cstdint>
#include <vector>

#include "foundation/drawing/BitmapResample.h"

BOOL GradientFillRect(CDC* pDC, const RECT& rect, COLORREF clrTop, COLORREF clrBottom)
{
    if (!pDC || !pDC->m_hDC)
        return FALSE;
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect.left;
    vertices[0].y = rect.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(clrTop) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(clrTop) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(clrTop) << 8);
    vertices[0].Alpha = 0;
    vertices[1].x = rect.right;
    vertices[1].y = rect.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(clrBottom) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(clrBottom) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(clrBottom) << 8);
    vertices[1].Alpha = 0;
    GRADIENT_RECT mesh = {0, 1};
    return pDC->GradientFill(vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
}

void CaptureDCArea(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap)
{
    bitmap.DeleteObject();
    if (!pDC || !pDC->m_hDC)
        return;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    if (!bitmap.CreateCompatibleBitmap(pDC, width, height))
        return;
    CDCSelect select(memDC, bitmap);
    memDC.BitBlt(0, 0, width, height, pDC, x, y, SRCCOPY);
}

namespace {

// The 24-bit bottom-up description: a 40-byte header and one colour entry
// that stays zero; width and height are taken as unsigned 16-bit values.
struct Rgb24Info
{
    BITMAPINFOHEADER header;
    RGBQUAD colour;
};

Rgb24Info MakeRgb24Info(std::uint16_t width, std::uint16_t height)
{
    Rgb24Info info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 24;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = static_cast<DWORD>(Rgb24Stride(width) * height);
    return info;
}

// The screen's context, released when it goes.
class ScreenDC
{
public:
    ScreenDC() : m_hDC(::GetDC(nullptr)) {}
    ~ScreenDC() { if (m_hDC) ::ReleaseDC(nullptr, m_hDC); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC m_hDC;
};

} // namespace

HBITMAP ResizeBitmap(HBITMAP hBitmap, int newWidth, int newHeight)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return nullptr;
    const std::uint16_t oldW = static_cast<std::uint16_t>(bm.bmWidth);
    const std::uint16_t oldH = static_cast<std::uint16_t>(bm.bmHeight);
    const std::uint16_t newW = static_cast<std::uint16_t>(newWidth);
    const std::uint16_t newH = static_cast<std::uint16_t>(newHeight);
    if ((newW < oldW && newH > oldH) || (newW > oldW && newH < oldH))
        return nullptr;
    if (oldW == 0 || oldH == 0 || newW == 0 || newH == 0)
        return nullptr;

    ScreenDC screen;
    if (!screen.m_hDC)
        return nullptr;
    Rgb24Info oldInfo = MakeRgb24Info(oldW, oldH);
    std::vector<std::uint8_t> src, dst;
    try {
        src.resize(oldInfo.header.biSizeImage);
        dst.resize(Rgb24Stride(newW) * newH);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (::GetDIBits(screen.m_hDC, hBitmap, 0, oldH, src.data(),
                    reinterpret_cast<BITMAPINFO*>(&oldInfo), DIB_RGB_COLORS) == 0)
        return nullptr;
    if (!ResampleRgb24(src.data(), oldW, oldH, dst.data(), newW, newH))
        return nullptr;

    Rgb24Info newInfo = MakeRgb24Info(newW, newH);
    HBITMAP result = ::CreateCompatibleBitmap(screen.m_hDC, newW, newH);
    if (!result)
        return nullptr;
    if (::SetDIBits(screen.m_hDC, result, 0, newH, dst.data(),
                    reinterpret_cast<BITMAPINFO*>(&newInfo), DIB_RGB_COLORS) == 0) {
        ::DeleteObject(result);
        return nullptr;
    }
    return result;
}

HBITMAP CopyBitmapStrip(HBITMAP hBitmap, int x, int y, int copyWidth, int bitmapWidth)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return nullptr;
    CDC srcDC, dstDC;
    if (!srcDC.CreateCompatibleDC(nullptr) || !dstDC.CreateCompatibleDC(nullptr))
        return nullptr;
    CBitmap strip;
    if (!strip.CreateBitmap(bitmapWidth, bm.bmHeight,
                            static_cast<UINT>(dstDC.GetDeviceCaps(PLANES)),
                            static_cast<UINT>(dstDC.GetDeviceCaps(BITSPIXEL)), nullptr))
        return nullptr;
    {
        CDCSelect selectSrc(srcDC.m_hDC, hBitmap);
        CDCSelect selectDst(dstDC, strip);
        // A new bitmap's contents are undefined: the part not copied is black.
        dstDC.PatBlt(0, 0, bitmapWidth, bm.bmHeight, BLACKNESS);
        dstDC.BitBlt(0, 0, copyWidth, bm.bmHeight, &srcDC, x, y, SRCCOPY);
    }
    return static_cast<HBITMAP>(strip.Detach());
}

void DrawTransparentBitmap(CDC* pDC, HBITMAP hBitmap, short x, short y, COLORREF clrTransparent)
{
    BITMAP bm = {};
    if (!pDC || !pDC->m_hDC || !hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm))
        return;

    CDC temp, back, object, mem, save;
    if (!temp.CreateCompatibleDC(pDC) || !back.CreateCompatibleDC(pDC) ||
        !object.CreateCompatibleDC(pDC) || !mem.CreateCompatibleDC(pDC) ||
        !save.CreateCompatibleDC(pDC))
        return;
    CDCSelect selectSource(temp.m_hDC, hBitmap);

    POINT size = {bm.bmWidth, bm.bmHeight};
    temp.DPtoLP(&size, 1);

    CBitmap backMask, objectMask, work, saved;
    if (!backMask.CreateBitmap(size.x, size.y, 1, 1, nullptr) ||
        !objectMask.CreateBitmap(size.x, size.y, 1, 1, nullptr) ||
        !work.CreateCompatibleBitmap(pDC, size.x, size.y) ||
        !saved.CreateCompatibleBitmap(pDC, size.x, size.y))
        return;

    CDCSelect selectBack(back, backMask);
    CDCSelect selectObject(object, objectMask);
    CDCSelect selectMem(mem, work);
    CDCSelect selectSave(save, saved);

    temp.SetMapMode(::GetMapMode(pDC->m_hDC));

    // Keep the bitmap as it was: the masks are worked into it below.
    save.BitBlt(0, 0, size.x, size.y, &temp, 0, 0, SRCCOPY);

    // Object mask: 1 where the bitmap has the transparent colour.
    COLORREF oldBk = temp.SetBkColor(clrTransparent);
    object.BitBlt(0, 0, size.x, size.y, &temp, 0, 0, SRCCOPY);
    temp.SetBkColor(oldBk);
    back.BitBlt(0, 0, size.x, size.y, &object, 0, 0, NOTSRCCOPY);

    mem.BitBlt(0, 0, size.x, size.y, pDC, x, y, SRCCOPY);
    mem.BitBlt(0, 0, size.x, size.y, &object, 0, 0, SRCAND);
    temp.BitBlt(0, 0, size.x, size.y, &back, 0, 0, SRCAND);
    mem.BitBlt(0, 0, size.x, size.y, &temp, 0, 0, SRCPAINT);
    pDC->BitBlt(x, y, size.x, size.y, &mem, 0, 0, SRCCOPY);

    temp.BitBlt(0, 0, size.x, size.y, &save, 0, 0, SRCCOPY);
}
