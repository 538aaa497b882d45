// The bitmap slider in a real window: channel and thumb drawn off-screen,
// the thumb's key colour showing the channel, dragging and keys posting
// their messages to the parent, vertical sliders, and sliders without
// travel or without a thumb.
#include <gtest/gtest.h>

#include <windows.h>

#include "WidgetTestSupport.h"
#include "tests/support/TestSupport.h"
#include "widgets/slider/BitmapSlider.h"

using widget_test::DibSurface;
using widget_test::Received;

namespace {

const COLORREF kThumb = RGB(255, 255, 0);
const COLORREF kKey = RGB(255, 0, 255);
const UINT kId = 3001;

COLORREF ChannelAt(int x, int y)
{
    return RGB(0, (x + y) % 200, 100);
}

class BitmapSliderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(0, 0, 400, 300));
        m_thumbPath = m_dir.File("thumb.bmp");
        // A 20 x 20 thumb whose corners carry the key colour.
        ASSERT_TRUE(widget_test::WriteBmp(m_thumbPath, 20, 20, [](int x, int y) {
            return (x < 3 && y < 3) || (x > 16 && y > 16) ? kKey : kThumb;
        }));
    }

    void Make(bool vertical)
    {
        const int w = vertical ? 20 : 200, h = vertical ? 200 : 20;
        ASSERT_TRUE(m_slider.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 50, 50), &m_parent, kId));
        CBitmap channel;
        channel.Attach(widget_test::MakeBitmap(w, h, ChannelAt));
        m_slider.SetChannelBitmap(&channel);
        EXPECT_EQ(nullptr, channel.GetSafeHandle()) << "the slider took the handle";
        ASSERT_TRUE(m_slider.LoadThumbBitmaps(m_thumbPath.c_str(), 0, TRUE, 0xFF000000, 0, 0));
        m_slider.m_bVertical = vertical;
        m_slider.SetRange(0, 100);
        m_slider.SetPos(50);
        m_slider.EnableFocusRect(FALSE, FALSE);
    }

    std::unique_ptr<DibSurface> Draw()
    {
        CRect client;
        m_slider.GetClientRect(&client);
        auto s = std::make_unique<DibSurface>(client.Width(), client.Height(), RGB(1, 2, 3));
        widget_test::PrintClient(m_slider.GetSafeHwnd(), *s);
        return s;
    }

    // The pointer at a point of the slider; the system's cursor goes there
    // too, so that a mouse move the system makes up during a drag agrees.
    void Mouse(UINT message, int x, int y)
    {
        widget_test::PutCursorAt(m_slider.GetSafeHwnd(), x, y);
        m_slider.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                             MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }

    // The slider's messages that reached the parent so far (posted, so pumped first).
    std::vector<Received> Posted(UINT message)
    {
        widget_test::PumpFor(20);
        return m_parent.Of(message);
    }

    tavrix_test::TempDir m_dir;
    std::string m_thumbPath;
    widget_test::RecordingParent m_parent;
    CBitmapSlider m_slider;
};

} // namespace

TEST_F(BitmapSliderTest, TheWindowTakesTheChannelsSizeAndTheThumbSitsAtThePosition)
{
    Make(false);
    CRect client;
    m_slider.GetClientRect(&client);
    EXPECT_EQ(200, client.Width());
    EXPECT_EQ(20, client.Height());
    auto shot = Draw();
    EXPECT_EQ(ChannelAt(10, 5), shot->At(10, 5));
    EXPECT_EQ(kThumb, shot->At(100, 10)) << "thumb centre at pixel 100 for 50 of 0..100";
    EXPECT_EQ(kThumb, shot->At(90, 10));
    EXPECT_EQ(ChannelAt(89, 10), shot->At(89, 10));
    EXPECT_EQ(ChannelAt(90, 0), shot->At(90, 0)) << "the key-coloured corner shows the channel";
    EXPECT_EQ(ChannelAt(109, 19), shot->At(109, 19));
    m_slider.SetPos(150);
    EXPECT_EQ(100, m_slider.GetPos());
    EXPECT_EQ(kThumb, Draw()->At(189, 10)) << "clamped to the maximum, the thumb at the right end";
}

TEST_F(BitmapSliderTest, AFarClickJumpsAndPostsBeforeAnyMovement)
{
    Make(false);
    Mouse(WM_LBUTTONDOWN, 150, 10);
    EXPECT_TRUE(m_slider.IsDragging());
    EXPECT_EQ(m_slider.GetSafeHwnd(), GetCapture());
    auto dragging = Posted(WM_SLIDER_DRAGGING);
    ASSERT_EQ(1u, dragging.size());
    EXPECT_EQ(kId, dragging[0].wParam);
    EXPECT_EQ(77, dragging[0].lParam) << "pixel 150: trunc(140 / 180 x 100)";
    Mouse(WM_LBUTTONUP, 150, 10);
    EXPECT_EQ(nullptr, GetCapture());
    auto set = Posted(WM_SLIDER_SET);
    ASSERT_EQ(1u, set.size());
    EXPECT_EQ(77, set[0].lParam);
}

TEST_F(BitmapSliderTest, ANearClickKeepsTheThumbsOffsetUnderThePointer)
{
    Make(false);
    Mouse(WM_LBUTTONDOWN, 105, 10);
    EXPECT_TRUE(Posted(WM_SLIDER_DRAGGING).empty()) << "within half a thumb nothing moves";
    Mouse(WM_MOUSEMOVE, 123, 10);
    auto dragging = Posted(WM_SLIDER_DRAGGING);
    ASSERT_EQ(1u, dragging.size());
    EXPECT_EQ(60, dragging[0].lParam) << "centre at 118 with the grab offset of 5";
    Mouse(WM_MOUSEMOVE, 123, 15);
    EXPECT_EQ(1u, Posted(WM_SLIDER_DRAGGING).size()) << "the same pixel posts nothing";
    Mouse(WM_MOUSEMOVE, 900, 10);
    EXPECT_EQ(100, m_slider.GetPos());
    Mouse(WM_MOUSEMOVE, -900, 10);
    EXPECT_EQ(0, m_slider.GetPos());
    Mouse(WM_LBUTTONUP, -900, 10);
    EXPECT_EQ(0, Posted(WM_SLIDER_SET).back().lParam);
}

TEST_F(BitmapSliderTest, EveryButtonUpPostsTheSetMessageEvenWithoutAMove)
{
    Make(false);
    Mouse(WM_LBUTTONDOWN, 100, 10);
    Mouse(WM_LBUTTONUP, 100, 10);
    auto set = Posted(WM_SLIDER_SET);
    ASSERT_EQ(1u, set.size());
    EXPECT_EQ(50, set[0].lParam);
    EXPECT_TRUE(Posted(WM_SLIDER_DRAGGING).empty());
    Mouse(WM_MOUSEMOVE, 180, 10);
    EXPECT_EQ(50, m_slider.GetPos()) << "moves without the button do nothing";
}

TEST_F(BitmapSliderTest, KeysStepThePositionAndPostEachTime)
{
    Make(false);
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTALLKEYS), m_slider.SendMessage(WM_GETDLGCODE));
    const struct
    {
        UINT key;
        int position;
    } cases[] = {{VK_PRIOR, 30}, {VK_NEXT, 50}, {VK_LEFT, 49}, {VK_DOWN, 50}, {VK_END, 100},
                 {VK_RIGHT, 100}, {VK_HOME, 0}, {VK_HOME, 0}, {VK_UP, 0}};
    for (const auto& c : cases) {
        m_slider.SendMessage(WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(c.position, m_slider.GetPos()) << c.key;
    }
    auto set = Posted(WM_SLIDER_SET);
    ASSERT_EQ(9u, set.size()) << "also when clamping left the position unchanged";
    EXPECT_EQ(0, set.back().lParam);
    m_slider.SendMessage(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(9u, Posted(WM_SLIDER_SET).size()) << "other keys post nothing";
}

TEST_F(BitmapSliderTest, AVerticalSliderPutsTheMinimumAtTheTop)
{
    Make(true);
    m_slider.SetPosPercent(30);
    EXPECT_EQ(70, m_slider.GetPos());
    auto shot = Draw();
    EXPECT_EQ(kThumb, shot->At(10, 136)) << "30 % of the travel above the bottom";
    EXPECT_EQ(ChannelAt(10, 120), shot->At(10, 120));
    m_slider.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(69, m_slider.GetPos()) << "Up moves toward the minimum";
    Mouse(WM_LBUTTONDOWN, 10, 20);
    EXPECT_EQ(5, m_slider.GetPos());
    Mouse(WM_LBUTTONUP, 10, 20);
}

TEST_F(BitmapSliderTest, ASliderWithoutTravelNeverDivides)
{
    Make(false);
    m_slider.SetRange(5, 5);
    m_slider.SetPos(9);
    EXPECT_EQ(5, m_slider.GetPos());
    Mouse(WM_LBUTTONDOWN, 150, 10);
    Mouse(WM_MOUSEMOVE, 30, 10);
    Mouse(WM_LBUTTONUP, 30, 10);
    EXPECT_EQ(5, m_slider.GetPos());
    EXPECT_EQ(kThumb, Draw()->At(10, 10)) << "the thumb rests at the start";
    EXPECT_EQ(5, Posted(WM_SLIDER_SET).back().lParam);
}

TEST_F(BitmapSliderTest, ThumbsThatCannotBeLoadedLeaveTheChannelAlone)
{
    Make(false);
    EXPECT_FALSE(m_slider.LoadThumbBitmaps(m_dir.File("missing.bmp").c_str(), 0, TRUE));
    EXPECT_EQ(ChannelAt(100, 10), Draw()->At(100, 10));
    ASSERT_TRUE(m_slider.LoadThumbBitmaps(m_thumbPath.c_str(), 0, TRUE));
    EXPECT_FALSE(m_slider.LoadThumbBitmaps(m_thumbPath.c_str(), 59999, TRUE)) << "no such active-thumb resource";
    EXPECT_EQ(ChannelAt(100, 10), Draw()->At(100, 10));
    ASSERT_TRUE(m_slider.LoadThumbBitmaps(m_thumbPath.c_str(), 0, FALSE));
    EXPECT_EQ(kKey, Draw()->At(90, 0)) << "an opaque thumb shows its key colour";
    EXPECT_TRUE(m_slider.LoadThumbBitmaps("", 0, FALSE)) << "an empty path removes the thumb";
    EXPECT_EQ(ChannelAt(100, 10), Draw()->At(100, 10));
}

TEST_F(BitmapSliderTest, TheFocusRectangleFollowsTheFocusWhenEnabled)
{
    Make(false);
    m_slider.EnableFocusRect(TRUE, FALSE);
    m_slider.SetFocus();
    auto changedEdge = [&] {
        auto shot = Draw();
        int changed = 0;
        for (int y = 0; y < 20; ++y)
            changed += shot->At(0, y) != ChannelAt(0, y);
        return changed;
    };
    EXPECT_LT(0, changedEdge()) << "the dotted frame changes the edge";
    m_parent.SetFocus();
    EXPECT_EQ(0, changedEdge());
}
