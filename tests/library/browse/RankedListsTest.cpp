// Most played and recently added: the order, the rows, the library left
// sorted, and rows whose item data follow their records when the library is
// sorted again.
#include "tests/library/tracklist/TrackListFixture.h"

#include "library/records/RecordAccess.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace tracklist_test;

class RankedLists : public TrackListTest
{
protected:
    // Every row's item data names the library record whose path it shows;
    // a row of a track no longer in the library names none (-1).
    void ExpectRowsPointAtTheirRecords(HWND list, const char* gone = "")
    {
        const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
            const LPARAM at = Data(list, row);
            if (Text(list, row, 8) == gone) {
                EXPECT_EQ(-1, at);
                continue;
            }
            ASSERT_GE(at, 0) << "row " << row;
            ASSERT_LT(at, m_Tracks.GetSize()) << "row " << row;
            EXPECT_EQ(Text(list, row, 8), m_Tracks[at].m_FileName.GetString()) << "row " << row;
        }
    }
    void ExpectRowsPointAtTheirRecords() { ExpectRowsPointAtTheirRecords(m_list->GetSafeHwnd()); }
};

void SetCountedLibrary(int count)
{
    m_Tracks.RemoveAll();
    for (int i = 0; i < count; ++i) {
        CTrackRecord r;
        r.m_Title.Format("Track %02d", i);
        r.m_FileName.Format("C:\\m\\%02d.%s", i, i % 2 ? "wav" : "mp3");
        r.m_PlayCount = (i * 7) % 11;
        r.m_Index = 100 + (i * 13) % count;
        m_Tracks.Add(r);
    }
}

TEST_F(RankedLists, MostPlayedComeFirstTiesByTitle)
{
    SetLibrary({
        {"Beta", "", "", "", "", "C:\\m\\b.mp3", "", 0, 1, 7},
        {"gamma", "", "", "", "", "C:\\m\\g.mp3", "", 0, 2, 9},
        {"alpha", "", "", "", "", "C:\\m\\a.mp3", "", 0, 3, 7},
        {"zero", "", "", "", "", "C:\\m\\z.mp3", "", 0, 4, 0},
    });
    EXPECT_EQ(4, VIZU::DisplayMostPlayedList(m_list.get(), 50, false, false));
    ASSERT_EQ(4, Rows());
    EXPECT_EQ("gamma", Text(0, 0));
    EXPECT_EQ("alpha", Text(1, 0));
    EXPECT_EQ("Beta", Text(2, 0));
    EXPECT_EQ("zero", Text(3, 0));
    EXPECT_EQ("7", Text(1, 10));
    EXPECT_EQ(9, LastSortCode());
    EXPECT_TRUE(LastSortDescending());
    ExpectRowsPointAtTheirRecords();
}

TEST_F(RankedLists, AtMostMaxRowsOfTheLibrary)
{
    SetCountedLibrary(20);
    EXPECT_EQ(20, VIZU::DisplayMostPlayedList(m_list.get(), 50, false, false));
    EXPECT_EQ(20, Rows());
    for (int row = 1; row < Rows(); ++row)
        EXPECT_GE(std::stoi(Text(row - 1, 10)), std::stoi(Text(row, 10)));
    EXPECT_EQ(5, VIZU::DisplayRecentlyAddedList(m_list.get(), 5, false, false));
    EXPECT_EQ(5, Rows());
    EXPECT_EQ(0, VIZU::DisplayRecentlyAddedList(m_list.get(), 0, false, false));
    EXPECT_EQ(0, Rows());
    for (INT_PTR i = 1; i < m_Tracks.GetSize(); ++i)
        EXPECT_GT(m_Tracks[i - 1].m_Index, m_Tracks[i].m_Index) << "still sorted";
}

TEST_F(RankedLists, RecentlyAddedLeavesTheLibraryInDescendingIndexOrder)
{
    SetLibrary({
        {"old", "", "", "", "", "C:\\m\\1.mp3", "", 0, 3},
        {"new", "", "", "", "", "C:\\m\\2.wav", "", 0, 9},
        {"mid", "", "", "", "", "C:\\m\\3.mp3", "", 0, 5},
    });
    EXPECT_EQ(3, VIZU::DisplayRecentlyAddedList(m_list.get(), 10, false, false));
    EXPECT_EQ("new", Text(0, 0));
    EXPECT_EQ("mid", Text(1, 0));
    EXPECT_EQ("old", Text(2, 0));
    EXPECT_EQ(13, Image(0, 0)) << "WAV";
    EXPECT_EQ(5, Image(1, 0)) << "MP3";
    EXPECT_EQ(5, LastSortCode());
    EXPECT_TRUE(LastSortDescending());
    EXPECT_STREQ("new", m_Tracks[0].m_Title);
    // The column sort on the same code now goes the other way.
    ASSERT_TRUE(VIZU::SortTrackList(5));
    EXPECT_STREQ("old", m_Tracks[0].m_Title);
    EXPECT_FALSE(LastSortDescending());

    EXPECT_EQ(3, VIZU::DisplayRecentlyAddedList(m_list.get(), 10, true, true));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(0, Image(row, 0)) << "plain icons";
}

TEST_F(RankedLists, RowsFollowTheirRecordsWhenTheLibraryIsSortedAgain)
{
    SetCountedLibrary(30);
    auto recent = MakeList();
    ASSERT_TRUE(recent);
    ASSERT_EQ(10, VIZU::DisplayMostPlayedList(m_list.get(), 10, false, false));
    ASSERT_EQ(8, VIZU::DisplayRecentlyAddedList(recent.get(), 8, false, false));
    auto view = MakeList();
    ASSERT_TRUE(view);
    struct Step
    {
        const char* what;
        std::function<bool()> run;
        const char* gone;
    };
    const Step steps[] = {
        {"title sort", [] { return VIZU::SortTrackList(7); }, ""},
        {"year list view", [&] { return VIZU::DisplayFilteredList(view.get(), 34, "") == 0; }, ""},
        {"length sort descending", [] { return VIZU::SortTrackListD(6); }, ""},
        {"a record removed", [] { return VIZU::DelRecord("C:\\m\\03.wav"); }, "C:\\m\\03.wav"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_TRUE(step.run());
        ExpectRowsPointAtTheirRecords(m_list->GetSafeHwnd(), step.gone);
        ExpectRowsPointAtTheirRecords(recent->GetSafeHwnd(), step.gone);
    }
    EXPECT_EQ("C:\\m\\03.wav", Text(0, 8)) << "the removed track was the most played";
    recent->DestroyWindow();
    view->DestroyWindow();
}

TEST_F(RankedLists, AListRefilledByAnotherViewIsLeftAlone)
{
    SetLibrary({
        {"One", "A", "Best", "", "", "C:\\m\\1.mp3", "", 0, 1, 5},
        {"Two", "A", "Best", "", "", "C:\\m\\2.mp3", "", 0, 2, 9},
        {"Three", "A", "Other", "", "", "C:\\m\\3.mp3", "", 0, 3, 7},
    });
    ASSERT_EQ(3, VIZU::DisplayMostPlayedList(m_list.get(), 10, false, false));
    // The same paths in other rows, with item data of another meaning.
    ASSERT_EQ(2, VIZU::DisplayAlbumTracks(m_list.get(), 21, "best", false, false));
    std::vector<LPARAM> data;
    for (int row = 0; row < Rows(); ++row)
        data.push_back(Data(row));
    ASSERT_TRUE(VIZU::SortTrackList(7));
    for (int row = 0; row < Rows(); ++row)
        EXPECT_EQ(data[row], Data(row));
}

} // namespace
