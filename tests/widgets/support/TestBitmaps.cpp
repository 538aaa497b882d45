#include "TestBitmaps.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace widget_test {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

HBITMAP MakeBitmap(int width, int height, const PixelFn& fn)
{
    BITMAPINFO bi = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    uint32_t* p = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = fn(x, y);
            p[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return bitmap;
}

bool WriteBmp(const std::string& path, int width, int height, const PixelFn& fn)
{
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<unsigned char> pixels(stride * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = fn(x, y);
            unsigned char* at = &pixels[static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3];
            at[0] = GetBValue(c);
            at[1] = GetGValue(c);
            at[2] = GetRValue(c);
        }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = fwrite(&file, sizeof(file), 1, f) == 1 && fwrite(&info, sizeof(info), 1, f) == 1 &&
                         fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return fclose(f) == 0 && written;
}

bool SaveBmp(const std::string& path, HBITMAP bitmap)
{
    BITMAP info = {};
    if (!GetObjectA(bitmap, sizeof(info), &info))
        return false;
    BITMAPINFO header = TopDown32(info.bmWidth, info.bmHeight);
    std::vector<uint32_t> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight)
        return false;
    const int width = info.bmWidth;
    return WriteBmp(path, info.bmWidth, info.bmHeight, [&](int x, int y) {
        const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    });
}

} // namespace widget_test
