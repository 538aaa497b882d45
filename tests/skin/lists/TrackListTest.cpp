// The track list filled from arrays and read back, its selection and drag
// notices, MoveItem, the icon view, the fonts and the hidden scroll bars.
#include "TrackListFixture.h"

#include "library/api/VIZU.h"

#include <fstream>

using list_test::Track;

TEST_F(TrackListTest, RowsFilledFromAnArrayReadBackColumnByColumn)
{
    m_owner.showPlayedIcon = true;
    m_owner.history.insert("C:\\m\\c.mp3");
    Fill(NumberTracks());
    ASSERT_EQ(4, m_list->GetItemCount());
    const char* const expected[4][11] = {
        {"Delta", "Zed", "", "A4", "Pop", "", "2004", "128", "C:\\m\\d.mp3", "10", "9"},
        {"alpha", "Abe", "", "A2", "Rock", "", "1999", "90", "C:\\m\\a.wav", "9", "100"},
        {"Charlie", "Max", "", "A1", "Jazz", "", "2010", "100", "C:\\m\\c.mp3", "100", "2"},
        {"bravo", "Lou", "", "A3", "Funk", "", "1987", "75", "C:\\m\\b.mp3", "2", "10"},
    };
    const int lengths[4] = {200, 95, 61, 3600};
    const int icons[4] = {5, 13, 6, 5};   // c.mp3 is in the history
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        for (int column = 0; column < 11; ++column) {
            if (column == 5)
                EXPECT_EQ(VIZU::SecondsToString(lengths[row]), m_list->GetItemText(row, 5));
            else
                EXPECT_STREQ(expected[row][column], m_list->GetItemText(row, column).GetString()) << column;
        }
        EXPECT_EQ(static_cast<DWORD_PTR>(row), m_list->GetItemData(row));
        EXPECT_EQ(icons[row], m_list->GetItemImage(row, 0));
    }
    EXPECT_STREQ("003:20", m_list->GetItemText(0, 5).GetString());
    EXPECT_EQ(0u, m_list->GetSelectedCount());

    // A refill replaces the rows.
    Fill({NumberTracks()[3]});
    ASSERT_EQ(1, m_list->GetItemCount());
    EXPECT_STREQ("bravo", m_list->GetItemText(0, 0).GetString());
}

TEST_F(TrackListTest, PlayedIconsOnlyWhileTheOptionIsOn)
{
    m_owner.history.insert("C:\\m\\c.mp3");
    m_owner.showPlayedIcon = false;
    Fill(NumberTracks());
    EXPECT_EQ(5, m_list->GetItemImage(2, 0));
    EXPECT_EQ(13, m_list->GetItemImage(1, 0));
}

TEST_F(TrackListTest, SelectedPathsComeTopToBottomFromThePathColumn)
{
    Fill(NumberTracks());
    m_list->SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    m_list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    CStringArray paths;
    paths.Add("kept");
    EXPECT_EQ(2, m_list->GetSelectedPaths(paths));
    ASSERT_EQ(3, paths.GetSize());
    EXPECT_STREQ("kept", paths[0].GetString());
    EXPECT_STREQ("C:\\m\\a.wav", paths[1].GetString());
    EXPECT_STREQ("C:\\m\\b.mp3", paths[2].GetString());
    CStringArray list;
    EXPECT_EQ(2, m_list->GetSelectedPathList(list));
}

TEST_F(TrackListTest, SelectTopItemSelectsAndFocusesRowZeroOnlyWhenThereIsOne)
{
    m_list->SetSTI(true);
    Fill(NumberTracks());
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    EXPECT_EQ(both, m_list->GetItemState(0, both));
    EXPECT_EQ(0u, m_list->GetItemState(1, both));
    Fill({});
    EXPECT_EQ(0, m_list->GetItemCount());
    EXPECT_EQ(0u, m_list->GetSelectedCount());
}

TEST_F(TrackListTest, MoveItemCases)
{
    struct Case
    {
        int from, to;
        bool result;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {3, 3, false, {"Delta", "alpha", "Charlie", "bravo"}},
        {-1, 2, false, {"Delta", "alpha", "Charlie", "bravo"}},
        {1, -1, false, {"Delta", "alpha", "Charlie", "bravo"}},
        {7, 0, false, {"Delta", "alpha", "Charlie", "bravo"}},
        // The copy goes in at 2, above the former row 2: row 0 ends at 1.
        {0, 2, true, {"alpha", "Delta", "Charlie", "bravo"}},
        {3, 0, true, {"bravo", "Delta", "alpha", "Charlie"}},
        {1, 4, true, {"Delta", "Charlie", "bravo", "alpha"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        Fill(NumberTracks());
        EXPECT_EQ(c.result, m_list->MoveItem(c.from, c.to));
        EXPECT_EQ(c.titles, list_test::ColumnTexts(*m_list, 0));
    }
    // Every column, the icon and the item data go with the row.
    Fill(NumberTracks());
    ASSERT_TRUE(m_list->MoveItem(1, 3));
    EXPECT_STREQ("alpha", m_list->GetItemText(2, 0).GetString());
    EXPECT_STREQ("C:\\m\\a.wav", m_list->GetItemText(2, 8).GetString());
    EXPECT_STREQ("100", m_list->GetItemText(2, 10).GetString());
    EXPECT_EQ(13, m_list->GetItemImage(2, 0));
    EXPECT_EQ(1u, m_list->GetItemData(2));
}

TEST_F(TrackListTest, SelectionTellsTheOwnerOnlyForTheMainTrackList)
{
    Fill(NumberTracks());
    m_list->SetListType(1);
    m_list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(0, m_owner.selectionNotices);
    m_list->SetListType(8);
    m_list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(1, m_owner.selectionNotices);
    // Deselecting, or a row already selected, tells nothing.
    m_list->SetItemState(1, 0, LVIS_SELECTED);
    m_list->SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(1, m_owner.selectionNotices);
}

TEST_F(TrackListTest, ADragStartGoesToTheOwner)
{
    Fill(NumberTracks());
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = m_list->GetSafeHwnd();
    nm.hdr.idFrom = 1001;
    nm.hdr.code = LVN_BEGINDRAG;
    nm.iItem = 1;
    m_parent.SendMessage(WM_NOTIFY, 1001, reinterpret_cast<LPARAM>(&nm));
    ASSERT_EQ(1u, m_owner.listDrags.size());
    EXPECT_EQ(m_list.get(), m_owner.listDrags[0]);
}

TEST_F(TrackListTest, FontsAreMadeAtTheSizeAndTwoPointsSmaller)
{
    m_list->SetFont("Arial", 120);
    EXPECT_EQ(120, m_list->GetFontSize());
    EXPECT_STREQ("Arial", m_list->GetFontFace().GetString());
    HFONT font = m_list->GetFont();
    ASSERT_NE(nullptr, font);
    LOGFONTA lf = {};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_STREQ("Arial", lf.lfFaceName);
    const LONG big = lf.lfHeight;
    m_list->SetFontSize(80);
    GetObjectA(m_list->GetFont(), sizeof lf, &lf);
    EXPECT_LT(std::abs(lf.lfHeight), std::abs(big));
    m_list->SetFontFace("Courier New");
    GetObjectA(m_list->GetFont(), sizeof lf, &lf);
    EXPECT_STREQ("Courier New", lf.lfFaceName);
    EXPECT_EQ(80, m_list->GetFontSize());
}

TEST_F(TrackListTest, CompactRowsAndTheJukeboxStyleUseTheTinyImages)
{
    m_list->SetListType(8);   // as the builder does: the list gets its small images
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL), &cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(17, cy);
    EXPECT_GE(m_list->GetSmallImages().GetImageCount(), 14);   // row icons 5, 6 and 13 exist
    m_list->ApplyIJ(2);
    EXPECT_TRUE(m_list->IsJukeStyle());
    EXPECT_TRUE(m_list->IsCompactRows());
    ASSERT_TRUE(ImageList_GetIconSize(ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL), &cx, &cy));
    EXPECT_EQ(1, cx);
    EXPECT_EQ(2, cy);
    m_list->SetCompactRows(false);
    ASSERT_TRUE(ImageList_GetIconSize(ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL), &cx, &cy));
    EXPECT_EQ(16, cx);
}

TEST_F(TrackListTest, TheIconViewReadsItsPictureFromTheProgramFolder)
{
    // The picture lies in the program folder only; the current folder is
    // elsewhere.
    const std::string picture = tavrix_test::ImageDir() + "\\IconView.bmp";
    ASSERT_TRUE(tavrix_test::CopyFileTo(picture, m_dir.File("IconView.bmp")));
    Fill(NumberTracks());
    m_list->ToggleIconView();
    EXPECT_TRUE(m_list->IsIconView());
    EXPECT_EQ(static_cast<DWORD>(LVS_ICON), m_list->GetStyle() & LVS_TYPEMASK);
    HIMAGELIST normal = ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_NORMAL);
    ASSERT_NE(nullptr, normal);
    EXPECT_EQ(1, ImageList_GetImageCount(normal));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(normal, &cx, &cy);
    EXPECT_EQ(100, cx);
    EXPECT_EQ(100, cy);

    m_list->ToggleIconView();
    EXPECT_FALSE(m_list->IsIconView());
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), m_list->GetStyle() & LVS_TYPEMASK);
    ASSERT_TRUE(ImageList_GetIconSize(ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL), &cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(4, m_list->GetItemCount());
}

TEST_F(TrackListTest, TheIconViewWithoutItsPictureShowsNoneAndGoesBack)
{
    Fill(NumberTracks());
    m_list->ApplyIJ(1);
    m_list->ToggleIconView();
    EXPECT_TRUE(m_list->IsIconView());
    HIMAGELIST normal = ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_NORMAL);
    EXPECT_EQ(0, normal ? ImageList_GetImageCount(normal) : 0);
    widget_test::WindowShot shot(m_list->GetSafeHwnd());   // painting without a picture is harmless
    m_list->ToggleIconView();
    EXPECT_FALSE(m_list->IsIconView());
}

TEST_F(TrackListTest, HidingBothScrollBarsGrowsTheWindowAndClipsItBack)
{
    CRect client, before;
    m_list->GetClientRect(&client);
    m_list->GetWindowRect(&before);
    m_list->HideScrollBars(1, 3);
    CRect after;
    m_list->GetWindowRect(&after);
    EXPECT_EQ(before.Width() + GetSystemMetrics(SM_CXVSCROLL), after.Width());
    EXPECT_EQ(before.Height() + GetSystemMetrics(SM_CYVSCROLL), after.Height());
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(m_list->GetSafeHwnd(), region));
    RECT box;
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(client.Width() - 2, box.right - box.left);
    EXPECT_EQ(client.Height() - 2, box.bottom - box.top);
}

TEST_F(TrackListTest, PendingScrollBarRemovalTakesTheStyleAtTheNextSizeCalculation)
{
    m_list->ModifyStyle(0, WS_VSCROLL | WS_HSCROLL, SWP_FRAMECHANGED);
    m_list->HideScrollBars(2, 1);
    m_list->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(0u, m_list->GetStyle() & WS_VSCROLL);
}
