// Column sorts on a header click: in place through the library's
// comparison (queues), in place by row (the main list without quick sort
// or outside the whole-library view) and through the library's quick sort.
#include "TrackListFixture.h"

#include "library/api/VIZU.h"

namespace {

// A click on the header item of that column, as the mouse makes it.
void ClickHeader(TXVTrackList& list, int column)
{
    HWND header = ListView_GetHeader(list.GetSafeHwnd());
    RECT r = {};
    Header_GetItemRect(header, column, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(header, WM_MOUSEMOVE, 0, at);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> Strings(std::initializer_list<const char*> texts)
{
    return std::vector<std::string>(texts.begin(), texts.end());
}

} // namespace

TEST_F(TrackListTest, AQueueSortsInPlaceByTheClickedColumnNumbersAsNumbers)
{
    m_list->SetListType(1);
    Fill(NumberTracks());
    struct Case
    {
        int column;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {9, Strings({"2", "9", "10", "100"})},
        {10, Strings({"2", "9", "10", "100"})},
        {0, Strings({"alpha", "bravo", "Charlie", "Delta"})},
        {6, Strings({"1987", "1999", "2004", "2010"})},
        {8, Strings({"C:\\m\\a.wav", "C:\\m\\b.mp3", "C:\\m\\c.mp3", "C:\\m\\d.mp3"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        ClickHeader(*m_list, c.column);
        EXPECT_EQ(c.texts, list_test::ColumnTexts(*m_list, c.column));
    }
    // Each click shows the status text and refreshes the status line.
    ASSERT_EQ(5u, m_owner.statusTexts.size());
    EXPECT_EQ("Sorting...", m_owner.statusTexts[0]);
    EXPECT_EQ(5, m_owner.statusLineUpdates);
    // Rows keep their cells together.
    EXPECT_STREQ("Delta", m_list->GetItemText(3, 0).GetString());
    EXPECT_STREQ("9", m_list->GetItemText(3, 10).GetString());
}

TEST_F(TrackListTest, ALongQueueSortsWhole)
{
    // Forty rows whose play counters run backwards, with texts that sort
    // differently from numbers.
    m_list->SetListType(4);
    std::vector<list_test::Track> tracks;
    std::vector<std::string> paths;
    for (int i = 0; i < 40; ++i) {
        paths.push_back("C:\\m\\" + std::to_string(i) + ".mp3");
        tracks.push_back({"t", "a", "b", "g", 1, "2000", "1", paths.back().c_str(), i, 39 - i, "mp3"});
    }
    Fill(tracks);
    ClickHeader(*m_list, 10);
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i)
        expected.push_back(std::to_string(i));
    EXPECT_EQ(expected, list_test::ColumnTexts(*m_list, 10));
    ClickHeader(*m_list, 9);
    EXPECT_EQ(expected, list_test::ColumnTexts(*m_list, 9));
}

TEST_F(TrackListTest, TheOwnerDrawnHeaderPassesItsClicksOn)
{
    m_list->SetListType(2);
    ASSERT_TRUE(m_list->SubclassHeader());
    m_list->SetHeaderColors(RGB(20, 20, 30), RGB(230, 230, 230));
    Fill(NumberTracks());
    ClickHeader(*m_list, 10);
    EXPECT_EQ(Strings({"2", "9", "10", "100"}), list_test::ColumnTexts(*m_list, 10));
}

TEST_F(TrackListTest, WithSortingOffAClickOnlyShowsTheTextAndMovesTheFocus)
{
    m_list->SetListType(1);
    m_list->EnableSorting(false);
    Fill(NumberTracks());
    m_list->SetFocus();
    ClickHeader(*m_list, 9);
    EXPECT_EQ(Strings({"10", "9", "100", "2"}), list_test::ColumnTexts(*m_list, 9));
    ASSERT_EQ(1u, m_owner.statusTexts.size());
    EXPECT_EQ("Sorting...", m_owner.statusTexts[0]);
    EXPECT_EQ(0, m_owner.statusLineUpdates);
    EXPECT_EQ(m_parent.GetSafeHwnd(), GetFocus());
}

TEST_F(TrackListTest, ListTypesThatDoNotSortLeaveTheRows)
{
    m_list->SetListType(14);
    Fill(NumberTracks());
    ClickHeader(*m_list, 9);
    EXPECT_EQ(Strings({"10", "9", "100", "2"}), list_test::ColumnTexts(*m_list, 9));
}

TEST_F(TrackListTest, TheMainListWithoutQuickSortSortsRowsInPlaceAlwaysAscending)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\nListsUseQuickSort=0\r\n"));
    m_list->SetListType(8);
    Fill(NumberTracks());
    for (int click = 0; click < 2; ++click) {
        ClickHeader(*m_list, 10);
        EXPECT_EQ(Strings({"2", "9", "10", "100"}), list_test::ColumnTexts(*m_list, 10)) << click;
    }
    ClickHeader(*m_list, 1);
    EXPECT_EQ(Strings({"Abe", "Lou", "Max", "Zed"}), list_test::ColumnTexts(*m_list, 1));
}

TEST_F(TrackListTest, TheMainListOutsideTheWholeLibrarySortsRowsInPlace)
{
    m_owner.libraryView = 2;   // a playlist
    m_list->SetListType(8);
    Fill(NumberTracks());
    ClickHeader(*m_list, 9);
    EXPECT_EQ(Strings({"2", "9", "10", "100"}), list_test::ColumnTexts(*m_list, 9));
}

TEST_F(TrackListTest, TheWholeLibrarySortsThroughTheLibraryAndClickingAgainReverses)
{
    // The library's track array holds exactly these four while the test runs.
    ASSERT_EQ(0, VIZU::GetRecordCount());
    for (const list_test::Track& t : NumberTracks())
        ASSERT_TRUE(VIZU::AddRecord(list_test::MakeRecord(t)));
    struct Remove
    {
        ~Remove()
        {
            for (const list_test::Track& t : NumberTracks())
                VIZU::DelRecord(t.path);
        }
    } remove;
    VIZU::SortTrackListA(2);   // the last sort was by artist
    m_owner.libraryView = 1;
    m_list->SetListType(8);

    ClickHeader(*m_list, 0);
    EXPECT_EQ(4, m_list->GetItemCount());
    const std::vector<std::string> ascending = list_test::ColumnTexts(*m_list, 0);
    ClickHeader(*m_list, 0);
    std::vector<std::string> descending = list_test::ColumnTexts(*m_list, 0);
    ASSERT_EQ(4u, descending.size());
    std::vector<std::string> reversed(descending.rbegin(), descending.rend());
    EXPECT_EQ(ascending, reversed);
    EXPECT_NE(ascending, descending);
    // The path column refills from the library in its present order.
    Fill({});
    ClickHeader(*m_list, 8);
    EXPECT_EQ(descending, list_test::ColumnTexts(*m_list, 0));
    EXPECT_EQ(3, m_owner.statusLineUpdates);
}
