// The flat header in a real window: flat painting in its colours, the
// colours after a system colour change, item-style records kept parallel
// to the items, and column reordering by dragging with its drag and
// marker windows and the parent's say.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WidgetTestSupport.h"
#include "widgets/header/FlatHeaderCtrl.h"

using widget_test::DibSurface;

namespace {

const UINT kId = 7001;

class FlatHeaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(0, 0, 500, 200));
        ASSERT_TRUE(m_header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ | HDS_DRAGDROP,
                                    CRect(0, 0, 400, 24), &m_parent, kId));
        m_header.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        const char* names[] = {"One", "Two", "Three", "Four"};
        for (int i = 0; i < 4; ++i) {
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.fmt = HDF_LEFT | HDF_STRING;
            item.cxy = 100;
            item.pszText = const_cast<char*>(names[i]);
            ASSERT_EQ(i, m_header.InsertItem(i, &item));
        }
    }

    std::unique_ptr<DibSurface> Draw()
    {
        auto s = std::make_unique<DibSurface>(400, 24, RGB(1, 2, 3));
        widget_test::PrintClient(m_header.GetSafeHwnd(), *s);
        return s;
    }

    std::vector<int> Order()
    {
        std::vector<int> order(static_cast<size_t>(m_header.GetItemCount()));
        m_header.GetOrderArray(order.data(), static_cast<int>(order.size()));
        return order;
    }

    // The pointer at a point of the header, the system's cursor with it.
    void Mouse(UINT message, int x)
    {
        widget_test::PutCursorAt(m_header.GetSafeHwnd(), x, 12);
        m_header.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 12));
    }

    size_t Notes(UINT code) const
    {
        size_t n = 0;
        for (const auto& r : m_parent.Of(WM_NOTIFY))
            n += r.notifyCode == code;
        return n;
    }

    widget_test::RecordingParent m_parent;
    CFlatHeaderCtrl m_header;
};

} // namespace

TEST_F(FlatHeaderTest, PaintsFlatInItsColours)
{
    const COLORREF face = 0x653C16, text = 0xC0C0C0;
    auto shot = Draw();
    EXPECT_EQ(face, shot->At(90, 12));
    EXPECT_LT(5, shot->Count(RECT{0, 0, 100, 24}, text)) << "the caption";
    EXPECT_EQ(0, shot->Count(RECT{0, 0, 400, 24}, RGB(1, 2, 3))) << "the whole client is painted";
    m_header.SetColours(RGB(0, 0, 80), RGB(255, 255, 0));
    auto coloured = Draw();
    EXPECT_EQ(RGB(0, 0, 80), coloured->At(90, 12));
    EXPECT_LT(5, coloured->Count(RECT{100, 0, 200, 24}, RGB(255, 255, 0)));
    m_header.SendMessage(WM_SYSCOLORCHANGE);
    auto reset = Draw();
    EXPECT_EQ(face, reset->At(90, 12)) << "a system colour change restores the skin's defaults";
    EXPECT_LT(5, reset->Count(RECT{0, 0, 100, 24}, text));
}

TEST_F(FlatHeaderTest, ItemStylesFollowInsertionsAndDeletions)
{
    EXPECT_EQ(4, m_header.GetItemStyleCount());
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 50;
    EXPECT_EQ(4, m_header.InsertItem(99, &item)) << "an index past the end appends";
    EXPECT_EQ(5, m_header.GetItemStyleCount());
    EXPECT_TRUE(m_header.DeleteItem(0));
    EXPECT_EQ(4, m_header.GetItemStyleCount());
    EXPECT_EQ(4, m_header.GetItemCount());
}

TEST_F(FlatHeaderTest, DraggingAColumnMovesItToTheDropPosition)
{
    const struct
    {
        int pressX, dropX;
        std::vector<int> order;
    } cases[] = {{50, 280, {1, 2, 0, 3}}, {350, 20, {3, 1, 2, 0}}};
    for (const auto& c : cases) {
        m_parent.Clear();
        Mouse(WM_LBUTTONDOWN, c.pressX);
        Mouse(WM_MOUSEMOVE, c.dropX);
        EXPECT_EQ(1u, Notes(HDN_BEGINDRAG));
        ASSERT_NE(nullptr, m_header.GetDragWindow());
        ASSERT_NE(nullptr, m_header.GetMarkerWindow());
        EXPECT_TRUE(m_header.GetMarkerWindow()->IsWindowVisible());
        Mouse(WM_LBUTTONUP, c.dropX);
        EXPECT_EQ(1u, Notes(HDN_ENDDRAG));
        EXPECT_EQ(c.order, Order());
        EXPECT_EQ(nullptr, m_header.GetDragWindow());
        EXPECT_EQ(nullptr, m_header.GetMarkerWindow());
        EXPECT_EQ(nullptr, GetCapture());
    }
}

TEST_F(FlatHeaderTest, ThePointerPlacesTheMarkerAtTheDivider)
{
    Mouse(WM_LBUTTONDOWN, 50);
    Mouse(WM_MOUSEMOVE, 280);
    EXPECT_EQ(3, m_header.GetHotDivider());
    CRect marker;
    m_header.GetMarkerWindow()->GetWindowRect(&marker);
    EXPECT_EQ(300 - 1 - 6, marker.left) << "centred on the left edge of the item at order 3";
    EXPECT_EQ(24 + 20, marker.Height());
    Mouse(WM_MOUSEMOVE, 90);
    EXPECT_EQ(-1, m_header.GetHotDivider()) << "just right of its own place: no move";
    EXPECT_EQ(nullptr, m_header.GetMarkerWindow());
    Mouse(WM_LBUTTONUP, 90);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Order());
}

TEST_F(FlatHeaderTest, AParentThatRefusesTheDragPreventsIt)
{
    m_parent.AnswerNotify(HDN_BEGINDRAG, 1);
    Mouse(WM_LBUTTONDOWN, 50);
    Mouse(WM_MOUSEMOVE, 280);
    EXPECT_EQ(nullptr, m_header.GetDragWindow());
    Mouse(WM_MOUSEMOVE, 380);
    Mouse(WM_LBUTTONUP, 380);
    EXPECT_EQ(0u, Notes(HDN_ENDDRAG));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Order());
}

TEST_F(FlatHeaderTest, AParentThatRefusesTheDropKeepsTheOrder)
{
    m_parent.AnswerNotify(HDN_ENDDRAG, 1);
    Mouse(WM_LBUTTONDOWN, 50);
    Mouse(WM_MOUSEMOVE, 280);
    Mouse(WM_LBUTTONUP, 280);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Order());
    EXPECT_EQ(nullptr, m_header.GetMarkerWindow());
}

TEST_F(FlatHeaderTest, AClickWithoutADragIsReportedAsAnItemClick)
{
    Mouse(WM_LBUTTONDOWN, 150);
    Mouse(WM_MOUSEMOVE, 151);
    Mouse(WM_LBUTTONUP, 151);
    EXPECT_EQ(1u, Notes(HDN_ITEMCLICKA) + Notes(HDN_ITEMCLICKW));
    EXPECT_EQ(0u, Notes(HDN_BEGINDRAG));
}

TEST_F(FlatHeaderTest, TheHotDividerMessageShowsAndHidesTheMarker)
{
    EXPECT_EQ(2, m_header.SendMessage(HDM_SETHOTDIVIDER, FALSE, 2));
    ASSERT_NE(nullptr, m_header.GetMarkerWindow());
    EXPECT_EQ(5, m_header.SendMessage(HDM_SETHOTDIVIDER, FALSE, 5)) << "count + 1 is still shown";
    EXPECT_NE(nullptr, m_header.GetMarkerWindow());
    m_header.SendMessage(HDM_SETHOTDIVIDER, FALSE, 6);
    EXPECT_EQ(nullptr, m_header.GetMarkerWindow());
    POINT screen = {260, 12};
    ClientToScreen(m_header.GetSafeHwnd(), &screen);
    EXPECT_EQ(3, m_header.SendMessage(HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(screen.x, screen.y)));
    m_header.SendMessage(HDM_SETHOTDIVIDER, FALSE, -1);
    EXPECT_EQ(nullptr, m_header.GetMarkerWindow());
}
