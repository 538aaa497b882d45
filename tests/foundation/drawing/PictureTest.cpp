// CPicture: pictures of each type from files and from memory, their sizes,
// and drawing them stretched, with and without the frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/framework/ui/UiTestSupport.h"
#include "DrawingTestSupport.h"
#include "foundation/drawing/Picture.h"
#include "tests/support/TestSupport.h"

using namespace drawing_test;

namespace {

std::vector<std::uint32_t> Uniform(int w, int h, std::uint32_t rgb)
{
    return std::vector<std::uint32_t>(static_cast<size_t>(w) * h, rgb);
}

// An enhanced metafile of a w x h pixel picture (at 96 dpi) filled with one
// colour.
std::string MakeEmfFile(int w, int h, COLORREF fill)
{
    RECT frame = {0, 0, ::MulDiv(w, 2540, 96), ::MulDiv(h, 2540, 96)};
    HDC ref = ::CreateCompatibleDC(nullptr);
    HDC meta = ::CreateEnhMetaFileA(ref, nullptr, &frame, nullptr);
    HBRUSH brush = ::CreateSolidBrush(fill);
    RECT all = {0, 0, w, h};
    ::FillRect(meta, &all, brush);
    ::DeleteObject(brush);
    HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
    ::DeleteDC(ref);
    std::string bytes(::GetEnhMetaFileBits(emf, 0, nullptr), '\0');
    ::GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(&bytes[0]));
    ::DeleteEnhMetaFile(emf);
    return bytes;
}

// A placeable Windows metafile (the Aldus header the picture loader reads)
// of a w x h picture at 96 units per inch.
std::string MakeWmfFile(int w, int h, COLORREF fill)
{
    HDC meta = ::CreateMetaFileA(nullptr);
    ::SetWindowOrgEx(meta, 0, 0, nullptr);
    ::SetWindowExtEx(meta, w, h, nullptr);
    HBRUSH brush = ::CreateSolidBrush(fill);
    HGDIOBJ old = ::SelectObject(meta, brush);
    ::SelectObject(meta, ::GetStockObject(NULL_PEN));
    ::Rectangle(meta, 0, 0, w + 1, h + 1);
    ::SelectObject(meta, old);
    ::DeleteObject(brush);
    HMETAFILE wmf = ::CloseMetaFile(meta);
    std::string body(::GetMetaFileBitsEx(wmf, 0, nullptr), '\0');
    ::GetMetaFileBitsEx(wmf, static_cast<UINT>(body.size()), &body[0]);
    ::DeleteMetaFile(wmf);

    std::uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<std::uint16_t>(w),
                                static_cast<std::uint16_t>(h), 96, 0, 0, 0};
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= header[i];
    header[10] = sum;
    return std::string(reinterpret_cast<const char*>(header), sizeof header) + body;
}

class PictureTest : public ::testing::Test
{
protected:
    tavrix_test::TempDir m_dir;
    ui_test::RecordingAnswerer m_prompts;

    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = m_dir.File(name);
        EXPECT_TRUE(tavrix_test::WriteFileBytes(path, bytes));
        return path;
    }
};

TEST_F(PictureTest, BitmapFileLoadsWithItsSizeAndDrawsItsPixels)
{
    std::vector<std::uint32_t> px(100 * 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            px[y * 100 + x] = x < 50 ? (y < 25 ? 0xFF0000u : 0x00FF00u) : (y < 25 ? 0x0000FFu : 0xFFFF00u);
    std::string bytes = MakeBmpFile(100, 50, px);
    std::string path = Write("pic.bmp", bytes);

    CPicture picture;
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    EXPECT_NE(picture.m_pPicture, nullptr);
    EXPECT_EQ(picture.m_nWidth, 100);
    EXPECT_EQ(picture.m_nHeight, 50);
    EXPECT_EQ(picture.m_nSize, static_cast<LONG>(bytes.size()));

    DibSurface s(100, 50, RGB(0, 0, 0));
    ASSERT_TRUE(picture.Render(&s.DC(), CRect(0, 0, 100, 50)));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(s.At(x, y), px[y * 100 + x]) << x << "," << y;
    EXPECT_TRUE(m_prompts.m_calls.empty());
}

TEST_F(PictureTest, RenderStretchesIntoTheRectangle)
{
    std::vector<std::uint32_t> px = {0xFF0000u, 0x0000FFu};
    std::string path = Write("two.bmp", MakeBmpFile(2, 1, px));
    CPicture picture;
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    DibSurface s(30, 20, RGB(0, 0, 0));
    ASSERT_TRUE(picture.Render(&s.DC(), CRect(5, 5, 25, 15)));
    EXPECT_EQ(s.Count(0xFF0000u, 5, 5, 15, 15), 100);
    EXPECT_EQ(s.Count(0x0000FFu, 15, 5, 25, 15), 100);
    EXPECT_EQ(s.Count(0x000000u, 0, 0, 30, 20), 600 - 200);
}

TEST_F(PictureTest, EachTypeLoadsAndRenders)
{
    const std::string emf = Write("fill.emf", MakeEmfFile(48, 24, RGB(0, 160, 0)));
    const std::string wmf = Write("fill.wmf", MakeWmfFile(48, 24, RGB(160, 0, 160)));
    const struct { std::string path; int w, h; POINT left; std::uint32_t leftColour; POINT right; std::uint32_t rightColour; } cases[] = {
        {tavrix_test::MediaPath("pic_red_blue_64x32.jpg"), 64, 32, {16, 16}, 0xFF0000u, {48, 16}, 0x0000FFu},
        {tavrix_test::MediaPath("pic_red_blue_40x20.gif"), 40, 20, {10, 10}, 0xFF0000u, {30, 10}, 0x0000FFu},
        {tavrix_test::MediaPath("pic_green_32.ico"), 32, 32, {8, 16}, 0x00A000u, {24, 16}, 0x00A000u},
        {emf, 48, 24, {12, 12}, 0x00A000u, {36, 12}, 0x00A000u},
        {wmf, 48, 24, {12, 12}, 0xA000A0u, {36, 12}, 0xA000A0u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CPicture picture;
        ASSERT_TRUE(picture.Load(CString(c.path.c_str())));
        EXPECT_EQ(picture.m_nWidth, c.w);
        EXPECT_EQ(picture.m_nHeight, c.h);
        std::string bytes;
        ASSERT_TRUE(tavrix_test::ReadFileBytes(c.path, bytes));
        EXPECT_EQ(picture.m_nSize, static_cast<LONG>(bytes.size()));

        DibSurface s(c.w, c.h, RGB(255, 255, 255));
        ASSERT_TRUE(picture.Render(&s.DC(), CRect(0, 0, c.w, c.h)));
        EXPECT_LE(ColourDistance(s.At(c.left.x, c.left.y), c.leftColour), 12);
        EXPECT_LE(ColourDistance(s.At(c.right.x, c.right.y), c.rightColour), 12);
    }
}

TEST_F(PictureTest, LoadsFromBytesInMemory)
{
    std::string bytes = MakeBmpFile(4, 4, Uniform(4, 4, 0x123456u));
    CPicture picture;
    ASSERT_TRUE(picture.LoadFromBuffer(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<int>(bytes.size())));
    ASSERT_NE(picture.m_pPicture, nullptr);
    DibSurface s(8, 8, RGB(0, 0, 0));
    ASSERT_TRUE(picture.Render(&s.DC(), CRect(0, 0, 8, 8)));
    EXPECT_EQ(s.Count(0x123456u, 0, 0, 8, 8), 64);
}

TEST_F(PictureTest, FilesThatHoldNoPictureFailQuietly)
{
    const struct { const char* name; std::string bytes; bool exists; } cases[] = {
        {"empty.bmp", "", true},
        {"text.jpg", "this is not a picture at all", true},
        {"cut.bmp", MakeBmpFile(10, 10, Uniform(10, 10, 0)).substr(0, 10), true},
        {"missing.bmp", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = c.exists ? Write(c.name, c.bytes) : m_dir.File(c.name);
        CPicture picture;
        EXPECT_FALSE(picture.Load(CString(path.c_str())));
        EXPECT_EQ(picture.m_pPicture, nullptr);
        EXPECT_EQ(picture.m_nWidth, 0);
        EXPECT_EQ(picture.m_nHeight, 0);
        EXPECT_EQ(picture.m_nSize, static_cast<LONG>(c.bytes.size()));
    }
    EXPECT_TRUE(m_prompts.m_calls.empty());
}

TEST_F(PictureTest, EachLoadReplacesThePictureHeld)
{
    std::string big = Write("big.bmp", MakeBmpFile(30, 20, Uniform(30, 20, 0xFF0000u)));
    std::string small = Write("small.bmp", MakeBmpFile(6, 3, Uniform(6, 3, 0x00FF00u)));
    std::string bad = Write("bad.bmp", "nope");
    CPicture picture;
    ASSERT_TRUE(picture.Load(CString(big.c_str())));
    ASSERT_TRUE(picture.Load(CString(small.c_str())));
    EXPECT_EQ(picture.m_nWidth, 6);
    EXPECT_EQ(picture.m_nHeight, 3);
    EXPECT_FALSE(picture.Load(CString(bad.c_str())));
    EXPECT_EQ(picture.m_pPicture, nullptr);
    EXPECT_EQ(picture.m_nWidth, 0);
}

TEST_F(PictureTest, FrameOnTheOuterPixelsAndThePictureInside)
{
    std::string path = Write("green.bmp", MakeBmpFile(8, 8, Uniform(8, 8, 0x00FF00u)));
    CPicture picture;
    picture.SetFrame(true);
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    DibSurface s(12, 12, RGB(255, 255, 255));
    ASSERT_TRUE(picture.Render(&s.DC(), CRect(1, 1, 11, 11)));
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(s.At(i, 1), 0x000000u) << "top " << i;
        EXPECT_EQ(s.At(1, i), 0x000000u) << "left " << i;
    }
    for (int i = 2; i < 11; ++i) {
        EXPECT_EQ(s.At(i, 10), 0x808080u) << "bottom " << i;
        EXPECT_EQ(s.At(10, i), 0x808080u) << "right " << i;
    }
    EXPECT_EQ(s.Count(0x00FF00u, 2, 2, 10, 10), 64);
    EXPECT_EQ(s.Count(0xFFFFFFu, 0, 0, 12, 12), 144 - 100);

    // The frame flag survives freeing and loading again.
    picture.FreePicture();
    EXPECT_EQ(picture.m_bFrame, 1);
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    EXPECT_EQ(picture.m_bFrame, 1);
}

TEST_F(PictureTest, EmptyPictureOrNoContextDrawsNothing)
{
    CPicture picture;
    DibSurface s(10, 10, RGB(1, 1, 1));
    EXPECT_FALSE(picture.Render(&s.DC(), CRect(0, 0, 10, 10)));
    EXPECT_EQ(s.Count(0x010101u, 0, 0, 10, 10), 100);
    std::string path = Write("p.bmp", MakeBmpFile(2, 2, Uniform(2, 2, 0xFF0000u)));
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    EXPECT_FALSE(picture.Render(nullptr, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(m_prompts.m_calls.empty());
}

TEST_F(PictureTest, AFailedRenderIsReportedOnlyByItsResult)
{
    std::string path = Write("p.bmp", MakeBmpFile(2, 2, Uniform(2, 2, 0xFF0000u)));
    CPicture picture;
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    DibSurface s(10, 10, RGB(1, 1, 1));
    EXPECT_FALSE(picture.Render(&s.DC(), CRect(3, 3, 3, 3)));
    EXPECT_TRUE(m_prompts.m_calls.empty());
}

} // namespace
