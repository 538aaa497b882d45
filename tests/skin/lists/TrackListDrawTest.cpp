// What the track list paints: the selected cell in each jukebox style, the
// default drawing with the explorer theme, and the empty-list text.
#include "TrackListFixture.h"

namespace {

bool Near(COLORREF a, COLORREF b, int tolerance = 3)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c)
{
    char text[16];
    snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

const COLORREF kBack = RGB(12, 14, 20);
const COLORREF kText = RGB(235, 235, 235);

} // namespace

class TrackListDrawTest : public TrackListTest
{
protected:
    void Prepare(int ij)
    {
        m_list->SetColors(kBack, kText);
        m_list->SetFont("Arial", 90);
        m_list->ApplyIJ(ij);
        Fill(NumberTracks());
        m_list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    }

    CRect Cell(int row, int column)
    {
        CRect cell;
        m_list->GetSubItemRect(row, column, LVIR_LABEL, cell);
        return cell;
    }
};

TEST_F(TrackListDrawTest, SelectedCellsAreFramedAndFilledInEachStyle)
{
    struct Case
    {
        int ij;
        COLORREF frame;
        COLORREF top;      // just inside the frame
        COLORREF bottom;   // just above the frame's bottom edge
    };
    const Case cases[] = {
        {1, RGB(128, 128, 255), RGB(128, 134, 148), RGB(25, 25, 37)},
        {2, RGB(128, 128, 255), RGB(210, 240, 250), RGB(163, 165, 255)},
        {3, RGB(137, 197, 140), kBack, kBack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ij);
        Create(LVS_REPORT | LVS_SHOWSELALWAYS);
        Prepare(c.ij);
        widget_test::WindowShot shot(m_list->GetSafeHwnd());
        const CRect cell = Cell(1, 3);   // the album column: no text at its right end
        const int x = cell.right - 8;
        EXPECT_TRUE(Near(c.frame, shot.At(cell.left, cell.top + 3), 0)) << Hex(shot.At(cell.left, cell.top + 3));
        EXPECT_TRUE(Near(c.frame, shot.At(x, cell.top), 0)) << Hex(shot.At(x, cell.top));
        EXPECT_TRUE(Near(c.top, shot.At(x, cell.top + 1))) << Hex(shot.At(x, cell.top + 1));
        EXPECT_TRUE(Near(c.bottom, shot.At(x, cell.bottom - 2), 8)) << Hex(shot.At(x, cell.bottom - 2));
        // The 2 pixels right of the frame show the background, not the frame.
        EXPECT_FALSE(Near(c.frame, shot.At(cell.right - 2, cell.top + 3), 0));
        // An unselected row is drawn by the list itself.
        const CRect other = Cell(2, 3);
        EXPECT_FALSE(Near(c.frame, shot.At(other.left, other.top + 3), 0));
    }
}

TEST_F(TrackListDrawTest, FullWidthModeDrawsOnlyTheFirstColumnItself)
{
    Prepare(1);
    m_list->SetFullWidthColumn(true);
    CRect client;
    m_list->GetClientRect(&client);
    EXPECT_EQ(client.Width() - 18, m_list->GetColumnWidth(0));
    widget_test::WindowShot shot(m_list->GetSafeHwnd());
    const CRect first = Cell(1, 0);
    EXPECT_TRUE(Near(RGB(128, 128, 255), shot.At(first.left, first.top + 3), 0)) << Hex(shot.At(first.left, first.top + 3));
}

TEST_F(TrackListDrawTest, TheExplorerThemeAndThePlainStyleLeaveTheDrawingToTheList)
{
    for (int ij : {0, 4}) {
        SCOPED_TRACE(ij);
        Create(LVS_REPORT | LVS_SHOWSELALWAYS);
        Prepare(ij);
        widget_test::WindowShot shot(m_list->GetSafeHwnd());
        const CRect cell = Cell(1, 3);
        EXPECT_FALSE(Near(RGB(128, 128, 255), shot.At(cell.left, cell.top + 3), 0));
        EXPECT_FALSE(Near(RGB(128, 134, 148), shot.At(cell.right - 8, cell.top + 1)));
    }
}

TEST_F(TrackListDrawTest, AnEmptyListShowsTheSkinsTextBelowTheHeader)
{
    const COLORREF red = RGB(250, 40, 40);
    m_list->SetColors(kBack, red);
    m_list->SetFont("Arial", 120);
    m_list->SetSkinValue(true, "Drop tracks here");
    widget_test::WindowShot shot(m_list->GetSafeHwnd());
    RECT header = {};
    GetWindowRect(ListView_GetHeader(m_list->GetSafeHwnd()), &header);
    const int headerHeight = header.bottom - header.top;
    ASSERT_GT(headerHeight, 0);
    const RECT below = {0, headerHeight, shot.Width(), headerHeight + 40};
    EXPECT_GT(shot.Count(below, red), 20);
    // Centred: as much of it left of the middle as right.
    const RECT left = {0, headerHeight, shot.Width() / 2, headerHeight + 40};
    const int leftCount = shot.Count(left, red);
    const int rightCount = shot.Count(below, red) - leftCount;
    EXPECT_GT(leftCount, 0);
    EXPECT_GT(rightCount, 0);
    EXPECT_EQ(kBack, shot.At(2, shot.Height() - 3));

    // Without the flag, nothing of it.
    m_list->SetSkinValue(false, "Drop tracks here");
    widget_test::WindowShot plain(m_list->GetSafeHwnd());
    EXPECT_EQ(0, plain.Count(below, red));
}
