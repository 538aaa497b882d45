// Search and filters over the open library: result arrays, caller's arrays
// and lists, the distinct-value lists.
#include "TrackListFixture.h"

#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "tests/support/TestSupport.h"

#include <functional>
#include <vector>

using namespace tracklist_test;

namespace {

class SearchTest : public TrackListTest
{
protected:
    void SetUp() override
    {
        TrackListTest::SetUp();
        SetLibrary({
            {"Hard rock live", "BLUE", "Stones", "Rock", "1999", "C:\\hidden gem\\a.mp3", "12800", 200, 1},
            {"Lovely", "Blue Moon", "Nights", "Pop", "2001", "C:\\music\\b.wav", "128.99", 180, 2},
            {"GLOVES", "blue", "Hands", "Rock", "1999", "C:\\music\\c.mp3", "12950", 100, 3},
            {"HARD ROCK", "", "", "Metal", "", "C:\\music\\d.mp3", "09500", 90, 4},
            {"Quiet", "Solo", "Stones", "jazz", "2010", "C:\\music\\e.mp3", "95", 60, 5},
        });
    }

    static std::vector<std::string> Titles(CArray<CTrackRecord, CTrackRecord&>& tracks)
    {
        std::vector<std::string> titles;
        for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
            titles.push_back(tracks[i].m_Title.GetString());
        return titles;
    }
    std::vector<std::string> ListColumn(int column) const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < Rows(); ++i)
            texts.push_back(Text(i, column));
        return texts;
    }
    using Names = std::vector<std::string>;
};

} // namespace

TEST_F(SearchTest, DoSearchByCode)
{
    struct Case
    {
        const char* text;
        int code;
        int result;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"", 35, 5, {"Hard rock live", "Lovely", "GLOVES", "HARD ROCK", "Quiet"}},
        {"ROCK", 33, 2, {"Hard rock live", "HARD ROCK"}},
        {"rock", 33, 2, {"Hard rock live", "HARD ROCK"}},
        {"hidden gem", 35, 1, {"Hard rock live"}},
        {"hidden gem", 30, 0, {}},
        {"hidden gem", 31, 0, {}},
        {"hidden gem", 32, 0, {}},
        {"hidden gem", 33, 0, {}},
        {"hidden gem", 34, 0, {}},
        {"blue", 30, 3, {"Hard rock live", "Lovely", "GLOVES"}},
        {"STONES", 31, 2, {"Hard rock live", "Quiet"}},
        {"JAZZ", 32, 1, {"Quiet"}},
        {"99", 34, 2, {"Hard rock live", "GLOVES"}},
        {".WAV", 35, 1, {"Lovely"}},
        {"rock", 36, 0, {}},
        {"rock", 25, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.code));
        EXPECT_EQ(c.result, VIZU::DoSearch(c.text, c.code));
        EXPECT_EQ(c.titles, Titles(m_SearchTracks));
    }
}

TEST_F(SearchTest, DoSearchOnAnEmptyLibraryKeepsThePreviousResults)
{
    EXPECT_EQ(2, VIZU::DoSearch("rock", 33));
    m_Tracks.RemoveAll();
    EXPECT_EQ(-1, VIZU::DoSearch("", 35));
    EXPECT_EQ(2, m_SearchTracks.GetSize());
    // The results are copies.
    m_SearchTracks[0].m_Title = "changed";
    EXPECT_EQ(0, m_Tracks.GetSize());
}

TEST_F(SearchTest, FindTitleAndArtist)
{
    EXPECT_EQ(0, VIZU::FindTitle(""));
    EXPECT_EQ(1, VIZU::FindTitle("LOVE"));
    EXPECT_EQ(-1, VIZU::FindTitle("absent"));
    EXPECT_EQ(4, VIZU::FindArtist("sol"));
    EXPECT_EQ(0, VIZU::FindArtist("blue"));
    m_Tracks.RemoveAll();
    EXPECT_EQ(-1, VIZU::FindTitle(""));
    EXPECT_EQ(-1, VIZU::FindArtist(""));
}

TEST_F(SearchTest, ContainsFilters)
{
    EXPECT_EQ(2, VIZU::FilterTrackList(23, "love"));
    EXPECT_EQ((Names{"Lovely", "GLOVES"}), Titles(m_FilteredTracks));
    EXPECT_EQ(3, VIZU::FilterTrackList(20, "BLUE"));
    EXPECT_EQ(3, m_FilteredTracks.GetSize());
    EXPECT_EQ(0, VIZU::FilterTrackList(26, "128"));   // tempo: equality filters only
    EXPECT_EQ(0, VIZU::FilterTrackList(25, ""));
    EXPECT_EQ(0, m_FilteredTracks.GetSize());
    EXPECT_EQ(2, VIZU::SearchLibrary(22, "rock", false));
    EXPECT_EQ(5, VIZU::SearchLibrary(21, "", true));
    EXPECT_EQ(0, VIZU::SearchLibrary(30, "blue", true));

    CArray<CTrackRecord, CTrackRecord&> target;
    EXPECT_EQ(2, VIZU::FilterTracksToArray(&target, 24, "1999", false));
    EXPECT_EQ(2, VIZU::FilterTracksToArray(&target, 24, "1999", true));
    EXPECT_EQ((Names{"Hard rock live", "GLOVES", "Hard rock live", "GLOVES"}), Titles(target));

    CArray<CTrackRecord, CTrackRecord&> narrowed;
    CTrackRecord left = MakeRecord({"left over"});
    narrowed.Add(left);
    EXPECT_EQ(2, VIZU::FilterArrayToArray(&target, &narrowed, 23, "live"));
    EXPECT_EQ((Names{"Hard rock live", "Hard rock live"}), Titles(narrowed));
    EXPECT_EQ(2, VIZU::FilterArrayToArray(&narrowed, &narrowed, 23, "LIVE"));
    EXPECT_EQ(2, narrowed.GetSize());
    CArray<CTrackRecord, CTrackRecord&> empty;
    EXPECT_EQ(-1, VIZU::FilterArrayToArray(&empty, &narrowed, 23, ""));
    EXPECT_EQ(0, narrowed.GetSize());

    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::FilterTrackList(23, ""));
    EXPECT_EQ(-1, VIZU::FilterTracksToArray(&target, 23, "", false));
    EXPECT_EQ(-1, VIZU::SearchLibrary(23, "", false));
    EXPECT_EQ(0, VIZU::LoadFilteredTracksToArray(&target, 23, ""));
}

TEST_F(SearchTest, EqualityFilters)
{
    struct Case
    {
        int code;
        const char* value;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {26, "128", {"Hard rock live", "Lovely"}},
        {26, "95", {}},
        {26, "095", {"HARD ROCK"}},
        {26, "000", {"Quiet"}},   // 95 reads as 000.95
        {20, "blue", {"Hard rock live", "GLOVES"}},
        {20, "", {"HARD ROCK"}},
        {22, "JAZZ", {"Quiet"}},
        {21, "stones", {"Hard rock live", "Quiet"}},
        {23, "hard rock", {"HARD ROCK"}},
        {24, "1999", {"Hard rock live", "GLOVES"}},
        {25, "", {}},
        {27, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " " + c.value);
        CArray<CTrackRecord, CTrackRecord&> target;
        EXPECT_EQ(static_cast<int>(c.titles.size()), VIZU::LoadFilteredTracksToArray(&target, c.code, c.value));
        EXPECT_EQ(c.titles, Titles(target));
        EXPECT_EQ(static_cast<int>(c.titles.size()),
                  VIZU::DisplayFilteredTracksNoFind(m_list.get(), c.code, c.value, false, false));
        EXPECT_EQ(c.titles, ListColumn(0));
    }
    // The library keeps its tempo texts.
    EXPECT_STREQ("95", m_Tracks[4].m_BPMText);
}

TEST_F(SearchTest, FilteredListsHaveRowNumbersAsItemData)
{
    EXPECT_EQ(2, VIZU::DisplayFilteredTracks(m_list.get(), 22, "ROCK", false));
    EXPECT_EQ((Names{"Hard rock live", "GLOVES"}), ListColumn(0));
    EXPECT_EQ(0, Data(0));
    EXPECT_EQ(1, Data(1));
    EXPECT_EQ("003:20", Text(0, 5));
    EXPECT_EQ("129.50", Text(1, 7));
    EXPECT_EQ("3", Text(1, 9));
    EXPECT_EQ(5, Image(1, 0));

    EXPECT_EQ(2, VIZU::DisplayFilteredTracksNoFind(m_list.get(), 22, "rock", true, true));
    EXPECT_EQ(0, Image(0, 0));
    EXPECT_EQ(15, Image(0, 2));
}

TEST_F(SearchTest, EasyTracksHaveThreeColumnsAndTheTrackIcons)
{
    EXPECT_EQ(1, VIZU::DisplayFilteredEZTracks(m_list.get(), 21, "nights", false));
    EXPECT_EQ(LibraryTrackIcons()->GetSafeHandle(), ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL));
    EXPECT_EQ("Lovely", Text(0, 0));
    EXPECT_EQ("Blue Moon", Text(0, 1));
    EXPECT_EQ("C:\\music\\b.wav", Text(0, 2));
    EXPECT_EQ("", Text(0, 3));
    EXPECT_EQ(13, Image(0, 0));
    EXPECT_EQ(1, VIZU::DisplayFilteredEZTracks(m_list.get(), 21, "nights", true));
    EXPECT_EQ(11, Image(0, 0));
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::DisplayFilteredEZTracks(m_list.get(), 21, "", false));
    EXPECT_EQ(0, Rows());
}

TEST_F(SearchTest, CurrentSearchResultsInAList)
{
    EXPECT_EQ(2, VIZU::DoSearch("stones", 31));
    m_list->InsertItem(0, "left over");
    EXPECT_EQ(2, VIZU::DisplayCurrentSearchResults(m_list.get()));
    EXPECT_EQ((Names{"Hard rock live", "Quiet"}), ListColumn(0));
    EXPECT_EQ(1, Data(1));
    EXPECT_EQ("5", Text(1, 9));

    EXPECT_EQ(0, VIZU::DoSearch("nothing like it", 35));
    EXPECT_EQ(-1, VIZU::DisplayCurrentSearchResults(m_list.get()));
    EXPECT_EQ(0, Rows());
}

TEST_F(SearchTest, SearchResultsReadTheFilesTags)
{
    tavrix_test::TempDir dir;
    std::string mp3 = dir.File("tagged.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"), mp3));
    SetLibrary({{"Library title", "X", "", "", "", mp3.c_str()}, {"Other", "Y", "", "", "", "C:\\o.ogg"}});
    EXPECT_EQ(2, VIZU::DisplaySearchResults(m_list.get(), "", 35, LibraryTrackIcons()));
    ASSERT_EQ(2, Rows());
    // The row comes from the file's tags, not from the record.
    EXPECT_EQ("Import Title", Text(0, 0));
    EXPECT_EQ(mp3, Text(0, 8));
    EXPECT_EQ("000:01", Text(0, 5));
    EXPECT_EQ(5, Image(0, 0));
    EXPECT_EQ(0, Image(1, 0));
    EXPECT_EQ(1, Data(1));
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::DisplaySearchResults(m_list.get(), "", 35, nullptr));
    EXPECT_EQ(0, Rows());
}

TEST_F(SearchTest, DistinctValuesOfOneField)
{
    EXPECT_EQ(0, VIZU::DisplayFilteredEZItemList(m_list.get(), 33, "", nullptr));
    EXPECT_EQ(0, Rows());
    EXPECT_STREQ("Hard rock live", m_Tracks[0].m_Title);   // order unchanged
    EXPECT_STREQ("Quiet", m_Tracks[4].m_Title);

    // BLUE and blue sort together (case-blind, then by title) and differ
    // exactly, so each gets a row; the empty artist makes none.
    EXPECT_EQ(4, VIZU::DisplayFilteredEZItemList(m_list.get(), 30, "", nullptr));
    EXPECT_EQ((Names{"blue", "BLUE", "Blue Moon", "Solo"}), ListColumn(0));
    // The library is left sorted by artist, and that counts as the last sort.
    EXPECT_STREQ("", m_Tracks[0].m_Artist);
    EXPECT_TRUE(VIZU::SortTrackList(2));
    EXPECT_STREQ("Solo", m_Tracks[0].m_Artist);

    EXPECT_EQ(3, VIZU::DisplayFilteredEZItemList(m_list.get(), 34, "", nullptr));
    EXPECT_EQ((Names{"1999", "2001", "2010"}), ListColumn(0));
    EXPECT_EQ(4, VIZU::DisplayFilteredEZItemList(m_list.get(), 32, "", nullptr));
    EXPECT_EQ((Names{"jazz", "Metal", "Pop", "Rock"}), ListColumn(0));
}

// The long loops over a large library let the window run at the loop
// pump's rate (at the first record, then at most every 20 ms), not after
// every record: a message waiting when they start is handled, and the pump
// runs no more often than the time taken allows.
TEST_F(SearchTest, LongLoopsPumpAtMostEvery20Ms)
{
    const int count = 30000;
    m_Tracks.RemoveAll();
    for (int i = 0; i < count; ++i) {
        const std::string title = "Title " + std::to_string(i);
        const std::string path = "C:\\music\\" + std::to_string(i) + ".mp3";
        CTrackRecord r = MakeRecord({title.c_str(), "Artist", "Album", "Rock", "1999", path.c_str(), "12000", 60, i + 1});
        m_Tracks.Add(r);
    }
    CArray<CTrackRecord, CTrackRecord&> target, source;
    source.Copy(m_Tracks);
    struct Case { const char* name; std::function<int()> run; int result; };
    const Case cases[] = {
        {"DoSearch, all", [] { return VIZU::DoSearch("", 35); }, count},
        {"DoSearch, none", [] { return VIZU::DoSearch("no such text", 35); }, 0},
        {"FilterTracksToArray", [&] { return VIZU::FilterTracksToArray(&target, 23, "title", false); }, count},
        {"FilterArrayToArray", [&] { return VIZU::FilterArrayToArray(&source, &target, 20, "art"); }, count},
        {"LoadFilteredTracksToArray", [&] { return VIZU::LoadFilteredTracksToArray(&target, 20, "artist"); }, count},
        {"SearchLibrary", [] { return VIZU::SearchLibrary(22, "rock", false); }, count},
        {"DisplayFilteredTracks", [&] { return VIZU::DisplayFilteredTracks(m_list.get(), 23, "", false); }, count},
        {"DisplayFilteredTracksNoFind",
         [&] { return VIZU::DisplayFilteredTracksNoFind(m_list.get(), 21, "album", false, false); }, count},
        {"DoSearch, then DisplayCurrentSearchResults",
         [&] { VIZU::DoSearch("", 35); return VIZU::DisplayCurrentSearchResults(m_list.get()); }, count},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        target.RemoveAll();
        PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
        const long runs = PumpRuns();
        const DWORD start = GetTickCount();
        EXPECT_EQ(c.result, c.run());
        const DWORD elapsed = GetTickCount() - start;
        const long pumped = PumpRuns() - runs;
        EXPECT_GE(pumped, 1);
        EXPECT_LE(pumped, static_cast<long>(elapsed / LoopPump::kIntervalMs) + 2)
            << "in " << elapsed << " ms";
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE))
            << "the message waiting at the start was not handled";
    }
}
