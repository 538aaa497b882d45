// The gradient progress bar in a real window: the bar's span and colours
// in each orientation, the progress-bar messages, bar brushes, and empty
// ranges.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WidgetTestSupport.h"
#include "widgets/progress/GradientProgressCtrl.h"

using widget_test::DibSurface;

namespace {

const COLORREF kBack = RGB(10, 20, 30);

class GradientProgressTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_parent.Make(0, 0, 400, 300)); }

    void Make(DWORD style, int width, int height)
    {
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, width, height), &m_parent, 4001));
        m_bar.SetColours(2, RGB(0, 0, 0), RGB(200, 0, 0));
        m_bar.SendMessage(PBM_SETBKCOLOR, 0, kBack);
        m_bar.SendMessage(PBM_SETRANGE32, 0, 100);
    }

    std::unique_ptr<DibSurface> Draw()
    {
        CRect client;
        m_bar.GetClientRect(&client);
        auto s = std::make_unique<DibSurface>(client.Width(), client.Height(), RGB(1, 2, 3));
        widget_test::PrintClient(m_bar.GetSafeHwnd(), *s);
        return s;
    }

    widget_test::RecordingParent m_parent;
    CGradientProgressCtrl m_bar;
};

} // namespace

TEST_F(GradientProgressTest, AQuarterBarShowsTheFirstQuarterOfTheGradient)
{
    Make(0, 200, 10);
    EXPECT_EQ(0, m_bar.SendMessage(PBM_SETPOS, 25));
    auto shot = Draw();
    EXPECT_EQ(RGB(0, 0, 0), shot->At(0, 5));
    EXPECT_EQ(RGB(49, 0, 0), shot->At(49, 5)) << "a colour stands for its value over the full track";
    EXPECT_EQ(kBack, shot->At(50, 5));
    EXPECT_EQ(kBack, shot->At(199, 5));
}

TEST_F(GradientProgressTest, OrientationsGrowFromTheirEdges)
{
    const struct
    {
        DWORD style;
        int width, height;
        POINT first, beyond;
    } cases[] = {{0, 200, 10, {0, 5}, {50, 5}},
                 {0x4000, 200, 10, {199, 5}, {149, 5}},
                 {PBS_VERTICAL, 10, 200, {5, 199}, {5, 149}},
                 {PBS_VERTICAL | 0x4000, 10, 200, {5, 0}, {5, 50}}};
    for (const auto& c : cases) {
        Make(c.style, c.width, c.height);
        m_bar.SendMessage(PBM_SETPOS, 25);
        auto shot = Draw();
        EXPECT_EQ(RGB(0, 0, 0), shot->At(c.first.x, c.first.y)) << "first colour at the growing edge " << c.style;
        EXPECT_EQ(kBack, shot->At(c.beyond.x, c.beyond.y)) << c.style;
        m_bar.DestroyWindow();
    }
}

TEST_F(GradientProgressTest, RangeMessagesOrderTheirBoundsAndAnswerThePreviousRange)
{
    Make(0, 200, 10);
    m_bar.SendMessage(PBM_SETPOS, 20);
    const LRESULT previous = m_bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(0, LOWORD(previous));
    EXPECT_EQ(100, HIWORD(previous));
    PBRANGE range = {};
    EXPECT_EQ(5, m_bar.SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
    EXPECT_EQ(10, m_bar.SendMessage(PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(5, range.iLow);
    EXPECT_EQ(10, range.iHigh);
    EXPECT_EQ(10, m_bar.SendMessage(PBM_GETPOS)) << "a position of 20 became 10";
    EXPECT_EQ(10, m_bar.SendMessage(PBM_SETSTEP, 2));
    EXPECT_EQ(10, m_bar.SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(-3)));
    EXPECT_EQ(7, m_bar.SendMessage(PBM_STEPIT));
    EXPECT_EQ(9, m_bar.SendMessage(PBM_GETPOS));
}

TEST_F(GradientProgressTest, BarColourMessagesSetTheGradientAndBrushesReplaceIt)
{
    Make(0, 200, 10);
    m_bar.SendMessage(PBM_SETPOS, 100);
    EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), m_bar.SendMessage(PBM_SETBARCOLOR, 0, RGB(0, 90, 0)));
    auto flat = Draw();
    EXPECT_EQ(RGB(0, 90, 0), flat->At(0, 5));
    EXPECT_EQ(RGB(0, 90, 0), flat->At(199, 5)) << "second colour 0: the first again";
    m_bar.SendMessage(PBM_SETBARCOLOR, RGB(0, 0, 250), RGB(0, 0, 50));
    auto two = Draw();
    EXPECT_EQ(RGB(0, 0, 50), two->At(0, 5));
    EXPECT_GT(GetBValue(two->At(199, 5)), 240);
    CBrush brush(RGB(1, 200, 3));
    m_bar.SetBarBrush(&brush);
    m_bar.SendMessage(PBM_SETPOS, 50);
    auto brushed = Draw();
    EXPECT_EQ(RGB(1, 200, 3), brushed->At(99, 5));
    EXPECT_EQ(kBack, brushed->At(100, 5));
    m_bar.SetBarBrush(nullptr);
}

TEST_F(GradientProgressTest, AnEmptyRangeDrawsNoBar)
{
    Make(0, 200, 10);
    m_bar.SetRangeAndRedraw(40, 40);
    m_bar.SetPos(40);
    auto shot = Draw();
    EXPECT_EQ(200, shot->Count(RECT{0, 5, 200, 6}, kBack));
}

TEST(GradientFill, FewerThanTwoColoursAreRefusedAndChangeNothing)
{
    CGradientFill fill;
    ASSERT_TRUE(fill.SetColours(3, RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3)));
    EXPECT_FALSE(fill.SetColours(1, RGB(9, 9, 9)));
    EXPECT_FALSE(fill.SetColourList({}));
    ASSERT_EQ(3u, fill.GetColours().size());
    EXPECT_DOUBLE_EQ(50.0, fill.GetStopWidths()[1]);
}
