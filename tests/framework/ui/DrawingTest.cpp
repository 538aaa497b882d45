// Drawing through the GDI wrappers into a 32-bpp DIB section, checked pixel
// by pixel; owning and borrowing wrappers; selections that restore the DC.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "UiTestSupport.h"

using namespace ui_test;

namespace {

const int W = 16;
const int H = 16;

// A memory DC over a top-down 32-bpp DIB section.
class Surface
{
public:
    Surface()
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = W;
        bi.bmiHeader.biHeight = -H;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0));
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
        m_dc.FillSolidRect(0, 0, W, H, RGB(255, 255, 255));
    }
    ~Surface() { ::SelectObject(m_dc.m_hDC, m_old); }

    // The pixel as 0xRRGGBB.
    std::uint32_t At(int x, int y)
    {
        ::GdiFlush();
        return static_cast<const std::uint32_t*>(m_bits)[y * W + x] & 0x00FFFFFFu;
    }
    // Rows as characters: each pixel's letter from the legend, '?' otherwise.
    std::vector<std::string> Picture(const std::vector<std::pair<std::uint32_t, char>>& legend)
    {
        std::vector<std::string> rows;
        for (int y = 0; y < H; ++y) {
            std::string row;
            for (int x = 0; x < W; ++x) {
                char c = '?';
                for (const auto& l : legend)
                    if (At(x, y) == l.first)
                        c = l.second;
                row += c;
            }
            rows.push_back(row);
        }
        return rows;
    }

    CDC m_dc;
    CBitmap m_bitmap;
    void* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

const std::uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kBlack = 0;

} // namespace

TEST(Drawing, RectanglesPensBrushesAndRegionsPixelExact)
{
    Surface s;
    CDC& dc = s.m_dc;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    {
        CDCSelect pen(dc, red);
        CDCSelect brush(dc, blue);
        ASSERT_TRUE(dc.Rectangle(1, 1, 7, 6));   // red border, blue inside
    }
    dc.FillSolidRect(CRect(9, 1, 12, 4), RGB(0, 255, 0));
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(9, 9, 15, 15));
    CRgn hole;
    ASSERT_TRUE(hole.CreateRectRgn(11, 11, 13, 13));
    EXPECT_EQ(COMPLEXREGION, region.CombineRgn(&region, &hole, RGN_DIFF));
    CBrush black(RGB(0, 0, 0));
    ASSERT_TRUE(dc.FillRgn(&region, &black));
    dc.MoveTo(0, 15);
    {
        CDCSelect pen(dc, red);
        dc.LineTo(4, 15);
    }

    std::vector<std::string> expected = {
        "WWWWWWWWWWWWWWWW",
        "WRRRRRRWWGGGWWWW",
        "WRBBBBRWWGGGWWWW",
        "WRBBBBRWWGGGWWWW",
        "WRBBBBRWWWWWWWWW",
        "WRRRRRRWWWWWWWWW",
        "WWWWWWWWWWWWWWWW",
        "WWWWWWWWWWWWWWWW",
        "WWWWWWWWWWWWWWWW",
        "WWWWWWWWWKKKKKKW",
        "WWWWWWWWWKKKKKKW",
        "WWWWWWWWWKKWWKKW",
        "WWWWWWWWWKKWWKKW",
        "WWWWWWWWWKKKKKKW",
        "WWWWWWWWWKKKKKKW",
        "RRRRWWWWWWWWWWWW",
    };
    EXPECT_EQ(expected, s.Picture({{kWhite, 'W'}, {kRed, 'R'}, {kBlue, 'B'}, {kGreen, 'G'}, {kBlack, 'K'}}));
}

TEST(Drawing, SelectionGuardsPutTheDcBack)
{
    Surface s;
    HGDIOBJ penBefore = ::GetCurrentObject(s.m_dc.m_hDC, OBJ_PEN);
    HGDIOBJ brushBefore = ::GetCurrentObject(s.m_dc.m_hDC, OBJ_BRUSH);
    CPen pen(PS_SOLID, 3, RGB(1, 2, 3));
    CBrush brush(RGB(4, 5, 6));
    {
        CDCSelect a(s.m_dc, pen);
        CDCSelect b(s.m_dc, brush);
        EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(s.m_dc.m_hDC, OBJ_PEN));
        EXPECT_EQ(brush.m_hObject, ::GetCurrentObject(s.m_dc.m_hDC, OBJ_BRUSH));
        {
            CDCSave saved(s.m_dc.m_hDC);
            s.m_dc.SetTextColor(RGB(9, 9, 9));
            s.m_dc.SelectStockObject(NULL_PEN);
        }
        EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(s.m_dc.m_hDC, OBJ_PEN));
        EXPECT_NE(RGB(9, 9, 9), s.m_dc.GetTextColor());
    }
    EXPECT_EQ(penBefore, ::GetCurrentObject(s.m_dc.m_hDC, OBJ_PEN));
    EXPECT_EQ(brushBefore, ::GetCurrentObject(s.m_dc.m_hDC, OBJ_BRUSH));

    // The MFC-style selection hands back the previous object to restore.
    CPen* old = s.m_dc.SelectObject(&pen);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(penBefore, old->m_hObject);
    s.m_dc.SelectObject(old);
    EXPECT_EQ(penBefore, ::GetCurrentObject(s.m_dc.m_hDC, OBJ_PEN));
}

TEST(Drawing, OwningAndBorrowingWrappers)
{
    HGDIOBJ handle = nullptr;
    {
        CBrush owned(RGB(10, 20, 30));
        handle = owned.m_hObject;
        ASSERT_NE(nullptr, handle);
        CGdiObject* borrowed = CGdiObject::FromHandle(handle);
        EXPECT_EQ(handle, borrowed->m_hObject);
        CGdiObject::DeleteTempMap();   // the borrowed wrapper goes, the brush stays
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(handle));
    }
    EXPECT_EQ(0u, ::GetObjectType(handle));   // the owner deleted it

    CBrush detached(RGB(1, 1, 1));
    HGDIOBJ kept = detached.Detach();
    detached.DeleteObject();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(kept));
    ::DeleteObject(kept);

    CPen stock;
    ASSERT_TRUE(stock.CreateStockObject(BLACK_PEN));
    stock.DeleteObject();   // stock objects are never deleted
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(::GetStockObject(BLACK_PEN)));
}

TEST(Drawing, BitBltStretchAndTransparentBltBetweenMemoryDcs)
{
    Surface src, dst;
    src.m_dc.FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
    src.m_dc.FillSolidRect(1, 1, 2, 2, RGB(0, 255, 0));
    ASSERT_TRUE(dst.m_dc.BitBlt(0, 0, 4, 4, &src.m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(kRed, dst.At(0, 0));
    EXPECT_EQ(kGreen, dst.At(1, 1));
    ASSERT_TRUE(dst.m_dc.StretchBlt(8, 8, 8, 8, &src.m_dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(kRed, dst.At(8, 8));
    EXPECT_EQ(kGreen, dst.At(10, 10));
    EXPECT_EQ(kGreen, dst.At(13, 13));
    EXPECT_EQ(kRed, dst.At(15, 15));
    // Green is transparent: what was there stays.
    dst.m_dc.FillSolidRect(0, 8, 4, 4, RGB(0, 0, 255));
    ASSERT_TRUE(dst.m_dc.TransparentBlt(0, 8, 4, 4, &src.m_dc, 0, 0, 4, 4, RGB(0, 255, 0)));
    EXPECT_EQ(kRed, dst.At(0, 8));
    EXPECT_EQ(kBlue, dst.At(1, 9));
}

TEST(Drawing, Draw3dRectAndCompatibleBitmap)
{
    Surface s;
    s.m_dc.Draw3dRect(2, 2, 5, 4, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(kRed, s.At(2, 2));
    EXPECT_EQ(kRed, s.At(5, 2));
    EXPECT_EQ(kRed, s.At(2, 4));
    EXPECT_EQ(kBlue, s.At(6, 2));
    EXPECT_EQ(kBlue, s.At(6, 5));
    EXPECT_EQ(kBlue, s.At(2, 5));
    EXPECT_EQ(kWhite, s.At(4, 4));

    CBitmap compatible;
    ASSERT_TRUE(compatible.CreateCompatibleBitmap(&s.m_dc, 8, 3));
    BITMAP bm = {};
    ASSERT_TRUE(compatible.GetBitmap(&bm));
    EXPECT_EQ(8, bm.bmWidth);
    EXPECT_EQ(3, bm.bmHeight);
}

TEST(Drawing, PointFontsConvertTenthsOfAPointAtTheScreensResolution)
{
    struct Case
    {
        int tenths;
        LONG height;   // at 96 dpi
    };
    const Case cases[] = {{80, -10}, {90, -12}, {140, -18}, {200, -26}};
    for (const Case& c : cases) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(c.tenths, "Arial"));
        LOGFONTA lf = {};
        ASSERT_TRUE(font.GetLogFont(&lf));
        EXPECT_EQ(c.height, lf.lfHeight) << c.tenths;
        EXPECT_STREQ("Arial", lf.lfFaceName);
    }
    CFont bold;
    ASSERT_TRUE(bold.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    LOGFONTA lf = {};
    bold.GetLogFont(&lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
}

TEST(Drawing, TextAndPaletteWrappers)
{
    Surface s;
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma", &s.m_dc));
    CDCSelect select(s.m_dc, font);
    CSize one = s.m_dc.GetTextExtent("W", 1);
    CSize three = s.m_dc.GetTextExtent(CString("WWW"));
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(3 * one.cx, three.cx);
    s.m_dc.SetBkMode(TRANSPARENT);
    s.m_dc.SetTextColor(RGB(0, 0, 0));
    CRect rc(0, 0, W, H);
    s.m_dc.DrawText(CString("W"), &rc, DT_LEFT | DT_TOP | DT_SINGLELINE);
    int dark = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            dark += s.At(x, y) != kWhite;
    EXPECT_GT(dark, 0);

    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[1];
    } pal = {};
    pal.header.palVersion = 0x300;
    pal.header.palNumEntries = 2;
    pal.header.palPalEntry[0] = {1, 2, 3, 0};
    pal.more[0] = {4, 5, 6, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&pal.header));
    EXPECT_EQ(2, palette.GetEntryCount());
    PALETTEENTRY entries[2] = {};
    EXPECT_EQ(2u, palette.GetPaletteEntries(0, 2, entries));
    EXPECT_EQ(4, entries[1].peRed);
}

namespace {

class PaintedWnd : public CWnd
{
    DECLARE_MESSAGE_MAP()
public:
    int m_paints = 0;
    RECT m_paintRect = {};
    void OnPaint()
    {
        CPaintDC dc(this);
        ++m_paints;
        m_paintRect = dc.m_ps.rcPaint;
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(0, 0, 255));
    }
};

BEGIN_MESSAGE_MAP(PaintedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

} // namespace

TEST(Drawing, PaintDcInAPaintHandlerValidatesTheWindow)
{
    PaintedWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, "Paint"));
    wnd.UpdateWindow();
    int before = wnd.m_paints;
    wnd.InvalidateRect(CRect(0, 0, 10, 10), FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(before + 1, wnd.m_paints);
    EXPECT_EQ(0, wnd.m_paintRect.left);
    EXPECT_GE(wnd.m_paintRect.right, 10);
    // Nothing left to paint: no further WM_PAINT.
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));
    CClientDC client(&wnd);
    EXPECT_NE(nullptr, client.m_hDC);
    wnd.DestroyWindow();
}
