// The free bitmap helpers on real DIB sections and bitmaps, pixel by pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "DrawingTestSupport.h"
#include "foundation/drawing/DrawingHelpers.h"

using namespace drawing_test;

namespace {

// A pattern whose every pixel differs from its neighbours.
std::vector<std::uint32_t> Pattern(int w, int h)
{
    std::vector<std::uint32_t> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<size_t>(y) * w + x] =
                (static_cast<std::uint32_t>(x * 11 % 256) << 16) | (static_cast<std::uint32_t>(y * 23 % 256) << 8) | 0x40u;
    return px;
}

TEST(GradientFillRect, VerticalFromTopColourToBottomColour)
{
    DibSurface s(20, 110, RGB(0, 255, 0));
    ASSERT_TRUE(GradientFillRect(&s.DC(), CRect(5, 5, 15, 105), RGB(200, 0, 0), RGB(0, 0, 200)));
    EXPECT_EQ(s.At(5, 5), 0xC80000u);                // top row: the top colour
    EXPECT_LE(ColourDistance(s.At(10, 104), 0x0000C8u), 3);
    EXPECT_LE(ColourDistance(s.At(10, 55), 0x640064u), 3);
    // Each row is one colour, and red falls as blue rises going down.
    for (int y = 5; y < 105; ++y) {
        EXPECT_EQ(s.At(5, y), s.At(14, y)) << y;
        if (y > 5) {
            EXPECT_LE((s.At(5, y) >> 16) & 0xFF, (s.At(5, y - 1) >> 16) & 0xFF) << y;
            EXPECT_GE(s.At(5, y) & 0xFF, s.At(5, y - 1) & 0xFF) << y;
        }
    }
    // Nothing outside the rectangle.
    EXPECT_EQ(s.Count(0x00FF00u, 0, 0, 20, 110), 20 * 110 - 10 * 100);
}

TEST(GradientFillRect, NoContextFails)
{
    EXPECT_FALSE(GradientFillRect(nullptr, CRect(0, 0, 4, 4), 0, 0));
}

TEST(CaptureDCArea, CopiesTheAreaAndReplacesTheOldBitmap)
{
    const int W = 30, H = 20;
    std::vector<std::uint32_t> px = Pattern(W, H);
    DibSurface s(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            s.Set(x, y, RGB((px[y * W + x] >> 16) & 0xFF, (px[y * W + x] >> 8) & 0xFF, px[y * W + x] & 0xFF));

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 1, nullptr));
    HGDIOBJ old = bitmap.m_hObject;
    CaptureDCArea(&s.DC(), 7, 4, 12, 9, bitmap);
    ASSERT_NE(bitmap.m_hObject, nullptr);
    EXPECT_EQ(::GetObjectType(old), 0u) << "the old bitmap is deleted";
    int w = 0, h = 0;
    std::vector<std::uint32_t> got = BitmapPixels(static_cast<HBITMAP>(bitmap.m_hObject), w, h);
    ASSERT_EQ(w, 12);
    ASSERT_EQ(h, 9);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(got[y * w + x], px[(y + 4) * W + x + 7]) << x << "," << y;
}

TEST(CaptureDCArea, AnAreaThatCannotBeMadeLeavesTheWrapperEmpty)
{
    DibSurface s(8, 8);
    CBitmap bitmap;
    bitmap.CreateBitmap(2, 2, 1, 1, nullptr);
    CaptureDCArea(&s.DC(), 0, 0, 200000, 200000, bitmap);
    EXPECT_EQ(bitmap.m_hObject, nullptr);
    CaptureDCArea(nullptr, 0, 0, 4, 4, bitmap);
    EXPECT_EQ(bitmap.m_hObject, nullptr);
}

struct ResizeCase
{
    int oldW, oldH, newW, newH;
    bool made;
};

TEST(ResizeBitmap, SizesAndRefusals)
{
    const ResizeCase cases[] = {
        {100, 50, 100, 50, true},    // same size: a copy
        {100, 50, 50, 100, false},   // one side grows, the other shrinks
        {100, 50, 200, 50, true},    // enlarge
        {100, 50, 50, 25, true},     // shrink
        {100, 50, 150, 25, false},
        {10, 10, 10, 30, true},      // enlarge one axis only
    };
    for (const ResizeCase& c : cases) {
        HBITMAP src = MakeBitmap(c.oldW, c.oldH, Pattern(c.oldW, c.oldH));
        HBITMAP out = ResizeBitmap(src, c.newW, c.newH);
        EXPECT_EQ(out != nullptr, c.made) << c.oldW << "x" << c.oldH << "->" << c.newW << "x" << c.newH;
        if (out) {
            BITMAP bm = {};
            ::GetObjectA(out, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, c.newW);
            EXPECT_EQ(bm.bmHeight, c.newH);
            EXPECT_NE(out, src);
            ::DeleteObject(out);
        }
        ::DeleteObject(src);
    }
}

TEST(ResizeBitmap, SameSizeIsAnIdenticalCopyAndTheSourceIsUntouched)
{
    std::vector<std::uint32_t> px = Pattern(37, 23);
    HBITMAP src = MakeBitmap(37, 23, px);
    HBITMAP out = ResizeBitmap(src, 37, 23);
    ASSERT_NE(out, nullptr);
    int w = 0, h = 0;
    EXPECT_EQ(BitmapPixels(out, w, h), px);
    EXPECT_EQ(BitmapPixels(src, w, h), px);
    ::DeleteObject(out);
    ::DeleteObject(src);
}

TEST(ResizeBitmap, HalvingAveragesBlocks)
{
    // 2x2 blocks of one colour each halve into one pixel of that colour; a
    // block of black and white pixels becomes mid grey.
    const int W = 8, H = 4;
    std::vector<std::uint32_t> px(W * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            px[y * W + x] = (x / 2 == 3) ? ((x + y) % 2 ? 0xFFFFFFu : 0) : 0x102030u * static_cast<std::uint32_t>(x / 2 + 1);
    HBITMAP src = MakeBitmap(W, H, px);
    HBITMAP out = ResizeBitmap(src, W / 2, H / 2);
    ASSERT_NE(out, nullptr);
    int w = 0, h = 0;
    std::vector<std::uint32_t> got = BitmapPixels(out, w, h);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_LE(ColourDistance(got[y * w + x], 0x102030u * static_cast<std::uint32_t>(x + 1)), 1) << x << "," << y;
        EXPECT_LE(ColourDistance(got[y * w + 3], 0x7F7F7Fu), 1);
    }
    ::DeleteObject(out);
    ::DeleteObject(src);
}

TEST(ResizeBitmap, EnlargingBlendsNeighbours)
{
    // 2 -> 3 wide: the middle pixel takes half of each neighbour.
    std::vector<std::uint32_t> px = {0x000000u, 0xC8C8C8u};
    HBITMAP src = MakeBitmap(2, 1, px);
    HBITMAP out = ResizeBitmap(src, 3, 1);
    ASSERT_NE(out, nullptr);
    int w = 0, h = 0;
    std::vector<std::uint32_t> got = BitmapPixels(out, w, h);
    ASSERT_EQ(w, 3);
    EXPECT_EQ(got[0], 0x000000u);
    EXPECT_LE(ColourDistance(got[1], 0x646464u), 1);
    EXPECT_EQ(got[2], 0xC8C8C8u);
    ::DeleteObject(out);
    ::DeleteObject(src);
}

TEST(ResizeBitmap, NoBitmapOrAnImpossibleSizeGivesNull)
{
    EXPECT_EQ(ResizeBitmap(nullptr, 10, 10), nullptr);
    HBITMAP src = MakeBitmap(4, 4, Pattern(4, 4));
    EXPECT_EQ(ResizeBitmap(src, 0, 0), nullptr);
    ::DeleteObject(src);
}

TEST(CopyBitmapStrip, CopiesTheWindowAndBlacksTheRest)
{
    const int W = 20, H = 10;
    std::vector<std::uint32_t> px = Pattern(W, H);
    HBITMAP src = MakeBitmap(W, H, px);
    HBITMAP strip = CopyBitmapStrip(src, 5, 0, 8, 16);
    ASSERT_NE(strip, nullptr);
    BITMAP bm = {};
    ::GetObjectA(strip, sizeof bm, &bm);
    HDC screen = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(bm.bmBitsPixel, ::GetDeviceCaps(screen, BITSPIXEL));
    ::DeleteDC(screen);
    int w = 0, h = 0;
    std::vector<std::uint32_t> got = BitmapPixels(strip, w, h);
    ASSERT_EQ(w, 16);
    ASSERT_EQ(h, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(got[y * w + x], px[y * W + x + 5]) << x << "," << y;
        for (int x = 8; x < 16; ++x)
            ASSERT_EQ(got[y * w + x], 0u) << "uninitialised at " << x << "," << y;
    }
    ::DeleteObject(strip);
    int sw = 0, sh = 0;
    EXPECT_EQ(BitmapPixels(src, sw, sh), px);
    ::DeleteObject(src);
}

TEST(CopyBitmapStrip, FailsCleanly)
{
    EXPECT_EQ(CopyBitmapStrip(nullptr, 0, 0, 4, 4), nullptr);
    HBITMAP src = MakeBitmap(4, 4, Pattern(4, 4));
    EXPECT_EQ(CopyBitmapStrip(src, 0, 0, 4, 1 << 30), nullptr);
    ::DeleteObject(src);
}

TEST(DrawTransparentBitmap, LeavesTheTargetWhereTheBitmapHasTheTransparentColour)
{
    const std::uint32_t magenta = 0xFF00FFu, red = 0xFF0000u;
    std::vector<std::uint32_t> px(8 * 6, magenta);
    for (int y = 1; y < 5; ++y)
        for (int x = 2; x < 6; ++x)
            px[y * 8 + x] = red;
    HBITMAP bmp = MakeBitmap(8, 6, px);

    struct Spot { short x, y; };
    for (Spot at : {Spot{3, 2}, Spot{-2, -1}}) {
        DibSurface s(20, 12, RGB(0, 0, 255));
        DrawTransparentBitmap(&s.DC(), bmp, at.x, at.y, RGB(255, 0, 255));
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x) {
                int bx = x - at.x, by = y - at.y;
                bool inside = bx >= 0 && bx < 8 && by >= 0 && by < 6;
                std::uint32_t want = inside && px[by * 8 + bx] == red ? red : 0x0000FFu;
                ASSERT_EQ(s.At(x, y), want) << "at " << at.x << "," << at.y << " pixel " << x << "," << y;
            }
    }
    int w = 0, h = 0;
    EXPECT_EQ(BitmapPixels(bmp, w, h), px) << "the bitmap is put back as it was";
    ::DeleteObject(bmp);
}

TEST(DrawTransparentBitmap, NothingToDrawDrawsNothing)
{
    DibSurface s(6, 6, RGB(1, 2, 3));
    DrawTransparentBitmap(&s.DC(), nullptr, 0, 0, 0);
    DrawTransparentBitmap(nullptr, nullptr, 0, 0, 0);
    EXPECT_EQ(s.Count(0x010203u, 0, 0, 6, 6), 36);
}

} // namespace
