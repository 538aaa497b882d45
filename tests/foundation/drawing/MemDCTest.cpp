// MemDC on real DIB sections: it draws off-screen and reaches the target in
// one copy of its rectangle when it goes.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "DrawingTestSupport.h"
#include "foundation/drawing/MemDC.h"

using namespace drawing_test;

namespace {

TEST(MemDC, DrawsOffScreenAndCopiesOnlyItsRectangleWhenItGoes)
{
    DibSurface s(40, 30, RGB(255, 255, 255));
    {
        CRect area(10, 5, 30, 25);
        MemDC dc(&s.DC(), &area);
        EXPECT_TRUE(dc.IsMemDC());
        EXPECT_NE(dc.m_hDC, s.DC().m_hDC);
        // Drawing uses the target's coordinates, and spills are cut off.
        dc.FillSolidRect(0, 0, 40, 30, RGB(0, 0, 255));
        dc.FillSolidRect(12, 7, 3, 2, RGB(255, 0, 0));
        EXPECT_EQ(s.Count(0xFFFFFFu, 0, 0, 40, 30), 40 * 30) << "nothing reaches the target before the copy";
    }
    EXPECT_EQ(s.At(12, 7), 0xFF0000u);
    EXPECT_EQ(s.At(14, 8), 0xFF0000u);
    EXPECT_EQ(s.Count(0x0000FFu, 10, 5, 30, 25), 20 * 20 - 6);
    EXPECT_EQ(s.Count(0xFFFFFFu, 0, 0, 40, 30), 40 * 30 - 20 * 20);
}

TEST(MemDC, WithoutARectangleCoversTheClipBox)
{
    DibSurface s(40, 30, RGB(255, 255, 255));
    s.DC().IntersectClipRect(4, 6, 24, 16);
    {
        MemDC dc(&s.DC());
        EXPECT_EQ(dc.GetRect(), CRect(4, 6, 24, 16));
        dc.FillSolidRect(0, 0, 40, 30, RGB(0, 128, 0));
    }
    s.DC().SelectClipRgn(nullptr);
    EXPECT_EQ(s.Count(0x008000u, 0, 0, 40, 30), 20 * 10);
    EXPECT_EQ(s.Count(0x008000u, 4, 6, 24, 16), 20 * 10);
}

TEST(MemDC, BackgroundCopyKeepsTheTargetsPixels)
{
    for (bool copy : {true, false}) {
        DibSurface s(16, 16, RGB(10, 20, 30));
        s.Set(5, 5, RGB(200, 100, 0));
        {
            CRect area(2, 2, 12, 12);
            MemDC dc(&s.DC(), &area, copy);
            dc.SetPixel(3, 3, RGB(0, 0, 0xFE));
        }
        EXPECT_EQ(s.At(3, 3), 0x0000FEu);
        if (copy) {
            EXPECT_EQ(s.At(5, 5), 0xC86400u);
            EXPECT_EQ(s.Count(0x0A141Eu, 2, 2, 12, 12), 100 - 2);
        } else {
            // The fresh off-screen bitmap covers what was there.
            EXPECT_EQ(s.Count(0x0A141Eu, 2, 2, 12, 12), 0);
        }
        EXPECT_EQ(s.Count(0x0A141Eu, 0, 0, 16, 2), 32);
    }
}

TEST(MemDC, PaletteFlagStillCopies)
{
    DibSurface s(8, 8, RGB(255, 255, 255));
    {
        CRect area(0, 0, 8, 8);
        MemDC dc(&s.DC(), &area, false, true);
        dc.FillSolidRect(0, 0, 8, 8, RGB(1, 2, 3));
    }
    EXPECT_EQ(s.Count(0x010203u, 0, 0, 8, 8), 64);
}

TEST(MemDC, ASurfaceThatCannotBeMadeDrawsStraightThrough)
{
    DibSurface s(16, 16, RGB(255, 255, 255));
    HDC target = s.DC().m_hDC;
    {
        CRect huge(0, 0, 200000, 200000);
        MemDC dc(&s.DC(), &huge);
        EXPECT_FALSE(dc.IsMemDC());
        EXPECT_EQ(dc.m_hDC, target);
        dc.SetPixel(4, 4, RGB(0, 255, 0));
        EXPECT_EQ(s.At(4, 4), 0x00FF00u);
    }
    // The borrowed context is still the target's.
    EXPECT_EQ(::GetObjectType(target), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(s.At(4, 4), 0x00FF00u);
    EXPECT_EQ(s.Count(0xFFFFFFu, 0, 0, 16, 16), 255);
}

TEST(MemDC, NoTargetDoesNothing)
{
    MemDC dc(nullptr);
    EXPECT_FALSE(dc.IsMemDC());
    EXPECT_EQ(dc.m_hDC, nullptr);
}

TEST(MemDC, PrintingTargetIsDrawnStraightThroughAndNotDeleted)
{
    char name[256] = {};
    DWORD size = sizeof name;
    if (!::GetDefaultPrinterA(name, &size))
        GTEST_SKIP() << "no printer here";
    HDC printer = ::CreateDCA("WINSPOOL", name, nullptr, nullptr);
    if (!printer)
        GTEST_SKIP() << "the printer gives no context";
    CDC* target = CDC::FromHandle(printer);
    ASSERT_TRUE(MemDC::IsPrintingTarget(target));
    {
        MemDC dc(target);
        EXPECT_FALSE(dc.IsMemDC());
        EXPECT_EQ(dc.m_hDC, printer);
    }
    EXPECT_EQ(::GetObjectType(printer), static_cast<DWORD>(OBJ_DC));
    CDC::ForgetTemporary(target);
    ::DeleteDC(printer);
}

TEST(MemDC, DisplayContextsAreNotPrinting)
{
    DibSurface s(4, 4);
    EXPECT_FALSE(MemDC::IsPrintingTarget(&s.DC()));
    EXPECT_FALSE(MemDC::IsPrintingTarget(nullptr));
}

TEST(MemDCPalette, NoPaletteFromAContextWithoutPaletteCapability)
{
    // A true-colour display has no palettes: nothing is made even over an
    // 8-bit DIB section with a colour table.
    struct { BITMAPINFOHEADER h; RGBQUAD colours[256]; } bi = {};
    bi.h.biSize = sizeof bi.h;
    bi.h.biWidth = 4;
    bi.h.biHeight = 4;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 8;
    bi.h.biClrUsed = 256;
    for (int i = 0; i < 256; ++i)
        bi.colours[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory.m_hDC, dib);
    ASSERT_EQ(::GetDeviceCaps(memory.m_hDC, RASTERCAPS) & RC_PALETTE, 0) << "this test needs a true-colour display";

    DibSurface target(4, 4);
    CRect area(0, 0, 4, 4);
    MemDC dc(&target.DC(), &area);
    CPalette pal;
    EXPECT_FALSE(dc.CreatePaletteFromDIB(pal, &memory));
    EXPECT_EQ(pal.m_hObject, nullptr);
    EXPECT_FALSE(dc.CreatePaletteFromDIB(pal));
    ::SelectObject(memory.m_hDC, old);
    ::DeleteObject(dib);
}

} // namespace
