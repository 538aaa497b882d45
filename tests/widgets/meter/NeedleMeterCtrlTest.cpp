// The needle meter in a real window: its picture, the needle drawn over
// it within the ring, pinned ends, a kept background across setters, a
// picture that cannot be loaded, and the analog meter's lifetime.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "WidgetTestSupport.h"
#include "tests/support/TestSupport.h"
#include "widgets/meter/AnalogMeter.h"
#include "widgets/meter/NeedleMeterCtrl.h"

using widget_test::DibSurface;

namespace {

const COLORREF kFace = RGB(30, 60, 90);
const COLORREF kRed = RGB(255, 0, 0);

class NeedleMeterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(0, 0, 300, 200));
        ASSERT_TRUE(m_meter.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 90), &m_parent, 2001));
        m_background = m_dir.File("face.bmp");
        ASSERT_TRUE(widget_test::WriteBmp(m_background, 160, 80, [](int, int) { return kFace; }));
        ASSERT_TRUE(m_meter.LoadBackgroundBitmap(m_background.c_str()));
        m_meter.SetRange(0, 100);
        m_meter.SetDecimals(0);
        m_meter.SetNeedleColor(kRed);
    }

    // The meter drawn into a fresh surface.
    std::unique_ptr<DibSurface> Draw()
    {
        auto surface = std::make_unique<DibSurface>(160, 80, RGB(1, 2, 3));
        widget_test::PrintClient(m_meter.GetSafeHwnd(), *surface);
        return surface;
    }

    // The needle's pixel at a radius along an angle in degrees.
    static POINT Along(double degrees, double radius)
    {
        const double a = degrees * 3.14159265358979 / 180.0;
        return POINT{static_cast<LONG>(80 + radius * std::cos(a) + 0.5), static_cast<LONG>(75 - radius * std::sin(a) + 0.5)};
    }

    tavrix_test::TempDir m_dir;
    std::string m_background;
    widget_test::RecordingParent m_parent;
    CNeedleMeterCtrl m_meter;
};

} // namespace

TEST_F(NeedleMeterTest, TheNeedleShowsTheValueOnlyWithinTheRing)
{
    const struct
    {
        double value;
        double degrees;
    } cases[] = {{50, 90}, {0, 120}, {100, 60}, {-10, 120}, {150, 60}, {25, 105}};
    for (const auto& c : cases) {
        m_meter.SetValue(c.value);
        auto shot = Draw();
        for (double r : {33.0, 45.0, 55.0}) {
            const POINT p = Along(c.degrees, r);
            EXPECT_LE(1, shot->Count(RECT{p.x - 1, p.y - 1, p.x + 2, p.y + 2}, kRed))
                << "value " << c.value << " radius " << r;
        }
        const POINT inside = Along(c.degrees, 20);
        EXPECT_EQ(kFace, shot->At(inside.x, inside.y)) << "inside the inner radius " << c.value;
        const POINT other = Along(180 - c.degrees + (c.degrees == 90 ? 20 : 0), 45);
        EXPECT_EQ(kFace, shot->At(other.x, other.y)) << "elsewhere on the arc " << c.value;
    }
}

TEST_F(NeedleMeterTest, StraightUpTheNeedleFillsItsColumnBetweenTheArcs)
{
    m_meter.SetValue(50);
    auto shot = Draw();
    for (int y = 18; y <= 42; ++y)
        EXPECT_EQ(kRed, shot->At(80, y)) << y;
    for (int y = 50; y <= 74; ++y)
        EXPECT_EQ(kFace, shot->At(80, y)) << "within the inner radius " << y;
    EXPECT_EQ(kFace, shot->At(80, 10)) << "beyond the outer radius";
    EXPECT_EQ(kFace, shot->At(83, 30)) << "the needle is three pixels wide at most";
}

TEST_F(NeedleMeterTest, TheFaceIsBuiltOnceAndRebuiltAfterASetterOrResize)
{
    m_meter.SetValue(50);
    Draw();
    EXPECT_TRUE(m_meter.HasFace());
    m_meter.SetValue(60);
    EXPECT_TRUE(m_meter.HasFace()) << "a value keeps the face";
    m_meter.SetNeedleColor(RGB(0, 255, 0));
    EXPECT_FALSE(m_meter.HasFace()) << "a colour discards it";
    auto shot = Draw();
    EXPECT_TRUE(m_meter.HasFace());
    EXPECT_EQ(kFace, shot->At(5, 5)) << "the picture stays";
    const POINT p = Along(84, 45); // 60 of 0..100
    EXPECT_LE(1, shot->Count(RECT{p.x - 1, p.y - 1, p.x + 2, p.y + 2}, RGB(0, 255, 0)));
    m_meter.MoveWindow(10, 10, 200, 100);
    EXPECT_FALSE(m_meter.HasFace());
    EXPECT_EQ(80, m_meter.GetFace().centreX) << "the old geometry until the next paint";
    Draw();
    EXPECT_EQ(100, m_meter.GetFace().centreX);
    EXPECT_EQ(94, m_meter.GetFace().centreY);
}

TEST_F(NeedleMeterTest, APictureThatCannotBeLoadedKeepsThePreviousOne)
{
    EXPECT_FALSE(m_meter.LoadBackgroundBitmap(m_dir.File("missing.bmp").c_str()));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File("broken.bmp"), "BM not a picture"));
    EXPECT_FALSE(m_meter.LoadBackgroundBitmap(m_dir.File("broken.bmp").c_str()));
    EXPECT_EQ(kFace, Draw()->At(5, 5));
}

TEST_F(NeedleMeterTest, AnEmptyRangeRestsTheNeedleAtTheLeftEnd)
{
    m_meter.SetRange(40, 40);
    m_meter.SetValue(40);
    auto shot = Draw();
    const POINT p = Along(120, 45);
    EXPECT_LE(1, shot->Count(RECT{p.x - 1, p.y - 1, p.x + 2, p.y + 2}, kRed));
}

TEST_F(NeedleMeterTest, OnePaintCopiesTheComposedPictureToTheWindow)
{
    m_meter.SetValue(50);
    const widget_test::WindowShot shot(m_meter.GetSafeHwnd());
    EXPECT_EQ(kFace, shot.At(5, 5));
    EXPECT_EQ(kRed, shot.At(80, 30));
}

TEST(AnalogMeter, IsConstructedAndDestroyedWithoutMakingAnything)
{
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i) {
        CAnalogMeter meter;
        EXPECT_STREQ("Volts", meter.GetUnits());
        EXPECT_TRUE(meter.IsIdle());
    }
    EXPECT_EQ(before, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}
