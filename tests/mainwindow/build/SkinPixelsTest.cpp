// The shipped skins look as their screenshots (taken under Xvfb with
// tools/screenshot.sh, kept in tests/mainwindow/build/shots): the main
// window built in the test's process is drawn off-screen (the skin
// background, then every shown child in z-order) and compared at fixed
// points where a control covers the background, with a tolerance. A
// control that is missing or misplaced leaves the background there.
#include "tests/mainwindow/build/SkinBuildFixture.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>

#include "mainwindow/build/MainBuildArea.h"

namespace tavrix_test {

namespace {

struct ShotPoint
{
    int x, y;
};

struct ShotCase
{
    const char* skin;
    std::vector<ShotPoint> points;
};

// Points inside controls whose colour differs from the skin background's
// under them, picked from the screenshots (flat areas of the lists, trees,
// knobs, sliders, meters and panes). The off-screen drawing does not
// reproduce the owner-drawn buttons' faces, so no point lies on a button.
const ShotCase kCases[] = {
    {"Default", {{22, 235}, {945, 235}, {22, 292}, {945, 292}, {409, 463}, {659, 463}, {249, 523}, {260, 523},
                 {388, 523}, {516, 523}}},
    {"Jukebox", {{341, 562}, {388, 562}, {516, 562}, {341, 580}, {388, 580}, {516, 580}, {19, 718}, {341, 676},
                 {388, 676}, {516, 676}}},
    {"Thumbnails", {{22, 235}, {945, 235}, {22, 292}, {945, 292}, {249, 562}, {260, 562}, {388, 562}, {516, 562},
                    {644, 562}}},
};

const int kTolerance = 40;   // per channel

std::string ShotPath(const std::string& skin)
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    dir = dir.substr(0, dir.find_last_of("\\/"));
    return dir + "\\mainwindow-shots\\" + skin + ".png";
}

// The screenshot's pixels (0x00RRGGBB), width x height.
bool LoadShot(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height)
{
    std::wstring wide(path.begin(), path.end());
    Gdiplus::Bitmap bitmap(wide.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    width = static_cast<int>(bitmap.GetWidth());
    height = static_cast<int>(bitmap.GetHeight());
    pixels.assign(static_cast<size_t>(width) * height, 0);
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data = {};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok)
        return false;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = row[x] & 0xFFFFFF;
    }
    bitmap.UnlockBits(&data);
    return true;
}

// The main window drawn off-screen: the skin background, then each shown
// child from the bottom of the z-order up, each printing itself.
std::vector<uint32_t> DrawWindow(HWND main, CDC* skin, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, dib);
    if (skin)
        ::BitBlt(dc, 0, 0, width, height, skin->m_hDC, 0, 0, SRCCOPY);
    for (HWND child = ::GetWindow(::GetWindow(main, GW_CHILD), GW_HWNDLAST); child;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        if (!::IsWindowVisible(child))
            continue;
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        const int saved = ::SaveDC(dc);
        HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(child, clip) != ERROR) {
            ::OffsetRgn(clip, r.left, r.top);
            ::SelectClipRgn(dc, clip);
        } else {
            ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
        ::DeleteObject(clip);
        ::SetViewportOrgEx(dc, r.left, r.top, nullptr);
        ::SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                       PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        ::RestoreDC(dc, saved);
    }
    ::GdiFlush();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const uint32_t* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = src[i] & 0xFFFFFF;
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    return pixels;
}

std::string Hex(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(colour));
    return text;
}

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > kTolerance)
            return false;
    }
    return true;
}

class SkinPixelsTest : public SkinBuildTest, public ::testing::WithParamInterface<ShotCase>
{
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr));
    }
    void TearDown() override
    {
        SkinBuildTest::TearDown();
        Gdiplus::GdiplusShutdown(m_gdiplus);
    }
    ULONG_PTR m_gdiplus = 0;
};

} // namespace

TEST_P(SkinPixelsTest, LooksAsItsScreenshot)
{
    const ShotCase& shot = GetParam();
    std::vector<uint32_t> expected;
    int width = 0, height = 0;
    ASSERT_TRUE(LoadShot(ShotPath(shot.skin), expected, width, height)) << ShotPath(shot.skin);
    ASSERT_EQ(1024, width);
    ASSERT_EQ(768, height);
    ASSERT_NO_FATAL_FAILURE(UseShippedSkin(shot.skin));
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    const std::vector<uint32_t> drawn = DrawWindow(Main(), m_dialog->GetSkinDC(), width, height);
    int differing = 0;
    for (const ShotPoint& p : shot.points) {
        const size_t at = static_cast<size_t>(p.y) * width + p.x;
        if (!Near(expected[at], drawn[at])) {
            ++differing;
            ADD_FAILURE() << shot.skin << " at (" << p.x << "," << p.y << "): screenshot " << Hex(expected[at])
                          << ", drawn " << Hex(drawn[at]);
        }
    }
    EXPECT_EQ(0, differing);
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinPixelsTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ShotCase>& info) { return std::string(info.param.skin); });

} // namespace tavrix_test
