// The knob in a real window: its dot at 90, 180 and 270, drags and keys
// with the WM_VSCROLL each change posts, the bitmaps' one owner, and the
// key colour's rules.
#include <gtest/gtest.h>

#include "SkinTestHost.h"
#include "skin/knob/KnobCtrl.h"

using widget_test::DibSurface;

namespace {

const COLORREF kGrey = RGB(90, 90, 90);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kRed = RGB(255, 0, 0);

class KnobTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_knob.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 50), &m_host.window, static_cast<UINT>(-601)));
        // A 60 x 60 grey disc on green, the same bitmap for background and knob.
        m_face = widget_test::MakeBitmap(60, 60, [](int x, int y) {
            const int dx = x - 30, dy = y - 30;
            return dx * dx + dy * dy < 28 * 28 ? kGrey : kGreen;
        });
        // A 6 x 6 red dot with green corners.
        m_dotBitmap = widget_test::MakeBitmap(6, 6, [](int x, int y) {
            return (x == 0 || x == 5) && (y == 0 || y == 5) ? kGreen : kRed;
        });
    }

    void SetUpImages()
    {
        m_knob.SetTransparentColor(kGreen);
        m_knob.SetDrawBackground(false);
        m_knob.SetBitmap(m_face, KnobCtrl::SLOT_BACKGROUND);
        m_knob.SetBitmap(m_face, KnobCtrl::SLOT_KNOB);
        m_knob.SetBitmap(m_dotBitmap, KnobCtrl::SLOT_DOT);
        skin_test::Pump();
        m_host.window.scrolls.clear();
    }

    std::unique_ptr<DibSurface> Draw()
    {
        auto s = std::make_unique<DibSurface>(60, 60, RGB(1, 2, 3));
        widget_test::PrintClient(m_knob.m_hWnd, *s);
        return s;
    }

    // The positions of the WM_VSCROLL messages posted so far.
    std::vector<int> Posted()
    {
        skin_test::Pump();
        std::vector<int> positions;
        for (const MSG& m : m_host.window.scrolls) {
            EXPECT_EQ(SB_THUMBPOSITION, LOWORD(m.wParam));
            EXPECT_EQ(reinterpret_cast<LPARAM>(m_knob.m_hWnd), m.lParam);
            positions.push_back(HIWORD(m.wParam));
        }
        m_host.window.scrolls.clear();
        return positions;
    }

    skin_test::TestHost m_host;
    KnobCtrl m_knob;
    HBITMAP m_face = nullptr;
    HBITMAP m_dotBitmap = nullptr;
};

} // namespace

TEST_F(KnobTest, CreationSetsTheKnobsRangeAndSteps)
{
    EXPECT_EQ(30, m_knob.GetRangeMin());
    EXPECT_EQ(329, m_knob.GetRangeMax());
    EXPECT_EQ(3, static_cast<int>(::SendMessageA(m_knob.m_hWnd, TBM_GETLINESIZE, 0, 0)));
    EXPECT_EQ(30, static_cast<int>(::SendMessageA(m_knob.m_hWnd, TBM_GETPAGESIZE, 0, 0)));
    // The builder's position 0 is stored as the minimum and reported so.
    m_knob.SetPos(0);
    m_knob.StepPos(0);
    EXPECT_EQ(std::vector<int>({30}), Posted());
}

TEST_F(KnobTest, TheBitmapsSizeTheWindowAndPlaceTheDot)
{
    m_knob.SetTransparentColor(kGreen);
    m_knob.SetBitmap(m_face, KnobCtrl::SLOT_BACKGROUND);
    RECT r;
    ::GetClientRect(m_knob.m_hWnd, &r);
    EXPECT_EQ(60, r.right);
    EXPECT_EQ(60, r.bottom);
    EXPECT_EQ(30, m_knob.GetCentre().x);
    m_knob.SetBitmap(m_face, KnobCtrl::SLOT_KNOB);
    EXPECT_EQ(30, m_knob.GetRadius());
    EXPECT_EQ(0, m_knob.GetKnobPos().x);
    skin_test::Pump();
    m_host.window.scrolls.clear();
    // Loading the dot posts the current position once.
    m_knob.SetBitmap(m_dotBitmap, KnobCtrl::SLOT_DOT);
    EXPECT_EQ(24, m_knob.GetRadius());
    EXPECT_EQ(std::vector<int>({m_knob.GetPos()}), Posted());
}

TEST_F(KnobTest, TheDotSitsLeftAboveAndRightAt90_180_270)
{
    SetUpImages();
    const struct
    {
        int position;
        POINT dotCentre;
        POINT elsewhere;
    } cases[] = {{180, {30, 6}, {30, 54}}, {90, {6, 30}, {54, 30}}, {270, {54, 30}, {6, 30}}};
    for (const auto& c : cases) {
        m_knob.SetKnobPos(c.position, true);
        auto s = Draw();
        EXPECT_EQ(kRed, s->At(c.dotCentre.x, c.dotCentre.y)) << c.position;
        EXPECT_EQ(kGrey, s->At(c.elsewhere.x, c.elsewhere.y)) << c.position;
        EXPECT_EQ(32, s->Count(RECT{0, 0, 60, 60}, kRed)) << "one dot, its green corners left out";
        EXPECT_EQ(RGB(1, 2, 3), s->At(1, 1)) << "the knob's green corners leave the target";
    }
    EXPECT_TRUE(Posted().empty()) << "quiet moves post nothing";
}

TEST_F(KnobTest, AFivePixelDragUpTurnsFiveSteps)
{
    SetUpImages();
    m_knob.SetKnobPos(100, true);
    ::SendMessageA(m_knob.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    EXPECT_TRUE(m_knob.IsDragging());
    ::SendMessageA(m_knob.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 38));
    ::SendMessageA(m_knob.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 35));
    ::SendMessageA(m_knob.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 35));
    EXPECT_FALSE(m_knob.IsDragging());
    EXPECT_EQ(105, m_knob.GetPos());
    // One message per moving mouse message, and the button-up's step of 0.
    EXPECT_EQ(std::vector<int>({102, 105, 105}), Posted());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(KnobTest, KeysTurnTheKnobAndPostTheirPosition)
{
    SetUpImages();
    const struct
    {
        UINT key;
        int start;
        int posted;
    } cases[] = {{VK_END, 100, 330},  {VK_HOME, 100, 30}, {VK_SPACE, 100, 180}, {VK_LEFT, 100, 90},
                 {VK_RIGHT, 100, 270}, {VK_UP, 100, 101},  {VK_DOWN, 100, 99}};
    for (const auto& c : cases) {
        m_knob.SetKnobPos(c.start, true);
        ::SendMessageA(m_knob.m_hWnd, WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(std::vector<int>({c.posted}), Posted()) << "key " << c.key;
        EXPECT_EQ(std::min(c.posted, 329), m_knob.GetPos()) << "key " << c.key;
    }
    // End: the dot at 30 degrees right of straight down (330).
    m_knob.SetKnobPos(330, true);
    auto s = Draw();
    EXPECT_EQ(kRed, s->At(30 + 12, 30 + 20));
}

TEST_F(KnobTest, AKnobWithoutADotStillTurns)
{
    m_knob.SetBitmap(m_face, KnobCtrl::SLOT_BACKGROUND);
    m_knob.SetBitmap(m_face, KnobCtrl::SLOT_KNOB);
    ::DeleteObject(m_dotBitmap);
    m_knob.SetKnobPos(180, false);
    // Placed as a 2 x 2 dot on the knob's radius 30.
    EXPECT_EQ(29, m_knob.GetDotPos().x);
    EXPECT_EQ(-1, m_knob.GetDotPos().y);
    EXPECT_EQ(std::vector<int>({180}), Posted());
}

TEST_F(KnobTest, ABitmapInTwoSlotsHasOneOwner)
{
    HBITMAP other = widget_test::MakeBitmap(60, 60, [](int, int) { return kGrey; });
    {
        KnobCtrl knob;
        ASSERT_TRUE(knob.Create(WS_CHILD, CRect(0, 0, 60, 60), &m_host.window, 0xFFFF));
        EXPECT_EQ(nullptr, knob.SetBitmap(m_face, KnobCtrl::SLOT_BACKGROUND));
        EXPECT_EQ(nullptr, knob.SetBitmap(m_face, KnobCtrl::SLOT_KNOB));
        // Slot 0 still holds the face: replacing slot 1 hands nothing back.
        EXPECT_EQ(nullptr, knob.SetBitmap(other, KnobCtrl::SLOT_KNOB));
        EXPECT_EQ(m_face, knob.GetSlotBitmap(KnobCtrl::SLOT_BACKGROUND));
        knob.SetBitmap(m_face, KnobCtrl::SLOT_KNOB);
        // The one given only to slot 1 comes back to the caller, alive.
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(::GetObjectType(other)));
        knob.DestroyWindow();
    }
    EXPECT_EQ(0u, ::GetObjectType(m_face)) << "deleted with the knob";
    ::DeleteObject(other);
    ::DeleteObject(m_dotBitmap);
}

TEST_F(KnobTest, AnotherKeyColourLeavesOutEachImagesTopLeftColour)
{
    // Blue where the face had green.
    HBITMAP blue = widget_test::MakeBitmap(60, 60, [](int x, int y) {
        const int dx = x - 30, dy = y - 30;
        return dx * dx + dy * dy < 28 * 28 ? kGrey : RGB(0, 0, 255);
    });
    m_knob.SetTransparentColor(RGB(1, 1, 1));
    m_knob.SetDrawBackground(false);
    m_knob.SetBitmap(blue, KnobCtrl::SLOT_BACKGROUND);
    m_knob.SetBitmap(blue, KnobCtrl::SLOT_KNOB);
    auto s = Draw();
    EXPECT_EQ(RGB(1, 2, 3), s->At(1, 1));
    EXPECT_EQ(kGrey, s->At(30, 30));
    ::DeleteObject(m_face);
    ::DeleteObject(m_dotBitmap);
}
