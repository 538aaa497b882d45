// Counting, finding, adding and deleting records, the membership tests,
// swapping, re-indexing, the play count and the sort codes with their
// shared state.
#include "library/api/VIZU.h"

#include "library/file/LibraryFileFormat.h"
#include "library/records/RecordAccess.h"
#include "tests/library/file/LibraryFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

class RecordAccess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetLibraryFileFormat(DefaultLibraryFileFormat());
        vizu = std::make_unique<VIZU>();
        // An open, unchanged library to start from.
        path = dir.File("lib.txd");
        VIZU::Create(path.c_str());
        ASSERT_EQ(0, VIZU::Open(path.c_str()));
    }
    void TearDown() override
    {
        VIZU::Close();
        vizu.reset();
        SetLibraryFileFormat(m_previous);
    }

    // Puts records into m_Tracks as a load would: the library stays unchanged.
    void Fill(std::initializer_list<CTrackRecord> records)
    {
        m_Tracks.RemoveAll();
        for (CTrackRecord r : records)
            m_Tracks.Add(r);
    }

    static std::vector<std::string> Paths()
    {
        std::vector<std::string> paths;
        for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
            paths.push_back(m_Tracks[i].m_FileName.GetString());
        return paths;
    }

    tavrix_test::TempDir dir;
    std::string path;
    ScriptedPrompts prompts;
    std::unique_ptr<VIZU> vizu;

private:
    LibraryFileFormat* m_previous = nullptr;
};

using PathList = std::vector<std::string>;

} // namespace

TEST_F(RecordAccess, EmptyLibraryAnswers)
{
    Fill({});
    CTrackRecord out = MakeTrack("C:\\untouched.mp3", "A", "T");
    EXPECT_EQ(0, VIZU::GetRecordCount());
    EXPECT_EQ(0, VIZU::GetLastIndexNumber());
    EXPECT_EQ(-1, VIZU::FindIndex(0));
    EXPECT_FALSE(VIZU::GetRecordFromIndex(0, &out));
    EXPECT_FALSE(VIZU::GetRecordAtIndex(0, &out));
    EXPECT_STREQ("C:\\untouched.mp3", out.m_FileName);
    EXPECT_EQ(-1, VIZU::IncrementPlayCount(0));
    EXPECT_EQ(-1, VIZU::ReindexOpenDB());
    EXPECT_FALSE(VIZU::DelRecord("C:\\a.mp3"));
    EXPECT_FALSE(VIZU::SortTrackList(1));
    EXPECT_FALSE(VIZU::SortTrackListA(1));
    EXPECT_FALSE(VIZU::SortTrackListD(11));
    EXPECT_FALSE(VIZU::IsTrackInLib(""));
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(RecordAccess, IndexLookUps)
{
    Fill({MakeTrack("C:\\a.mp3", "A", "T", 4), MakeTrack("C:\\b.mp3", "B", "T", 9),
          MakeTrack("C:\\c.mp3", "C", "T", 4), MakeTrack("C:\\d.mp3", "D", "T", -3)});
    EXPECT_EQ(4, VIZU::GetRecordCount());
    EXPECT_EQ(9, VIZU::GetLastIndexNumber());
    struct Case { int index; int position; const char* path; };
    const Case cases[] = {
        {4, 0, "C:\\a.mp3"},   // the lower of two positions
        {9, 1, "C:\\b.mp3"},
        {-3, 3, "C:\\d.mp3"},
        {5, -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.position, VIZU::FindIndex(c.index));
        CTrackRecord out;
        EXPECT_EQ(c.path != nullptr, VIZU::GetRecordFromIndex(c.index, &out));
        if (c.path) {
            EXPECT_STREQ(c.path, out.m_FileName);
        }
    }

    Fill({MakeTrack("C:\\a.mp3", "A", "T", -7), MakeTrack("C:\\b.mp3", "B", "T", -2)});
    EXPECT_EQ(-1, VIZU::GetLastIndexNumber());
}

// Positions come from network requests: any out of range answers false.
TEST_F(RecordAccess, PositionLookUps)
{
    Fill({MakeTrack("C:\\a.mp3", "A", "T", 1), MakeTrack("C:\\b.mp3", "B", "T", 2)});
    struct Case { int position; const char* path; };
    const Case cases[] = {{0, "C:\\a.mp3"}, {1, "C:\\b.mp3"}, {2, nullptr}, {-1, nullptr},
                          {0x7FFFFFFF, nullptr}, {-0x7FFFFFFF - 1, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        CTrackRecord out;
        EXPECT_EQ(c.path != nullptr, VIZU::GetRecordAtIndex(c.position, &out));
        if (c.path) {
            EXPECT_STREQ(c.path, out.m_FileName);
        }
    }
}

TEST_F(RecordAccess, AddAndDeleteMarkTheLibraryChanged)
{
    Fill({MakeTrack("C:\\a.mp3", "A", "T", 1)});
    EXPECT_TRUE(VIZU::AddRecord(MakeTrack("C:\\b.mp3", "B", "T", 1)));   // no duplicate check
    EXPECT_TRUE(VIZU::AddRecord(MakeTrack("C:\\a.mp3", "A", "T", 1)));
    EXPECT_EQ((PathList{"C:\\a.mp3", "C:\\b.mp3", "C:\\a.mp3"}), Paths());
    EXPECT_TRUE(VIZU::IsDirty());
    ASSERT_EQ(0, VIZU::Save(path.c_str()));

    EXPECT_FALSE(VIZU::DelRecord("c:\\A.MP3"));   // exact comparison
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_TRUE(VIZU::DelRecord("C:\\a.mp3"));    // the first one only
    EXPECT_EQ((PathList{"C:\\b.mp3", "C:\\a.mp3"}), Paths());
    EXPECT_TRUE(VIZU::IsDirty());
}

TEST_F(RecordAccess, EmptyingLeavesTheChangedFlag)
{
    Fill({MakeTrack("C:\\a.mp3", "A", "T")});
    m_FilteredTracks.Add(m_Tracks[0]);
    CString text = "x";
    m_AddTracks.Add(text);
    m_ExceptionArray.Add(text);
    vizu->EmptyTrackList();
    VIZU::EmptyFilteredArray();
    VIZU::EmptyAddTracks();
    VIZU::EmptyExceptionList();
    EXPECT_EQ(0, m_Tracks.GetSize());
    EXPECT_EQ(0, m_FilteredTracks.GetSize());
    EXPECT_EQ(0, m_AddTracks.GetSize());
    EXPECT_EQ(0, m_ExceptionArray.GetSize());
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(RecordAccess, MembershipTests)
{
    Fill({MakeTrack("C:\\Music\\One.mp3", "Artist", "Song"),
          MakeTrack("C:\\Music\\Two.mp3", "Other", "Tune")});
    TrackArray empty;
    struct Case
    {
        const char* path;
        const char* artist;
        const char* title;
        bool exact;      // IsTrackInLib, CheckForDupes
        bool blind;      // IsFilenameInArray
        bool track;      // IsTrackInArray
    };
    const Case cases[] = {
        {"C:\\Music\\One.mp3", "Artist", "Song", true, true, true},
        {"c:\\music\\one.MP3", "ARTIST", "song", false, true, true},
        {"C:\\Music\\Two.mp3", "Artist", "Tune", true, true, false},   // title by another artist
        {"C:\\Music\\Three.mp3", "Other", "Song", false, false, false},
        {"", "", "", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CTrackRecord r = MakeTrack(c.path, c.artist, c.title);
        EXPECT_EQ(c.exact, VIZU::IsTrackInLib(c.path));
        EXPECT_EQ(c.exact, VIZU::CheckForDupes(&m_Tracks, &r));
        EXPECT_EQ(c.blind, VIZU::IsFilenameInArray(&m_Tracks, &r));
        EXPECT_EQ(c.track, VIZU::IsTrackInArray(&m_Tracks, &r));
        EXPECT_FALSE(VIZU::CheckForDupes(&empty, &r));
        EXPECT_FALSE(VIZU::IsFilenameInArray(&empty, &r));
        EXPECT_FALSE(VIZU::IsTrackInArray(&empty, &r));
        EXPECT_FALSE(VIZU::IsFileInLibrary(c.path));
    }
}

TEST_F(RecordAccess, SwapByPath)
{
    struct Case { const char* first; const char* second; bool result; PathList after; };
    const Case cases[] = {
        {"C:\\a.mp3", "C:\\c.mp3", true, {"C:\\c.mp3", "C:\\b.mp3", "C:\\a.mp3"}},
        {"c:\\C.MP3", "C:\\B.mp3", true, {"C:\\a.mp3", "C:\\c.mp3", "C:\\b.mp3"}},
        {"C:\\b.mp3", "C:\\b.mp3", true, {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"}},
        {"C:\\x.mp3", "C:\\a.mp3", false, {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"}},
        {"C:\\a.mp3", "C:\\x.mp3", false, {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " " + c.second);
        Fill({MakeTrack("C:\\a.mp3", "A", "T"), MakeTrack("C:\\b.mp3", "B", "T"),
              MakeTrack("C:\\c.mp3", "C", "T")});
        EXPECT_EQ(c.result, VIZU::SwapArrayItems(&m_Tracks, c.first, c.second));
        EXPECT_EQ(c.after, Paths());
    }
}

TEST_F(RecordAccess, ReindexNumbersInPositionOrder)
{
    Fill({MakeTrack("C:\\a.mp3", "A", "T", 30), MakeTrack("C:\\b.mp3", "B", "T", 10),
          MakeTrack("C:\\c.mp3", "C", "T", 10)});
    EXPECT_EQ(4, VIZU::ReindexOpenDB());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(i + 1, m_Tracks[i].m_Index);
    EXPECT_EQ(3, VIZU::GetLastIndexNumber());
    EXPECT_TRUE(VIZU::IsDirty());
}

// The increment must reach the file: the library is marked changed.
TEST_F(RecordAccess, PlayCountMarksTheLibraryChanged)
{
    Fill({MakeTrack("C:\\a.mp3", "A", "T", 5), MakeTrack("C:\\b.mp3", "B", "T", 5)});
    EXPECT_EQ(0, VIZU::IncrementPlayCount(6));
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_EQ(0, VIZU::IncrementPlayCount(5));
    EXPECT_EQ(0, VIZU::IncrementPlayCount(5));
    EXPECT_EQ(2, m_Tracks[0].m_PlayCount);
    EXPECT_EQ(0, m_Tracks[1].m_PlayCount);
    EXPECT_TRUE(VIZU::IsDirty());
}

namespace {

CTrackRecord SortTrack(const char* name, const char* album, const char* artist, const char* bpm,
                       const char* genre, int index, int length, const char* title,
                       const char* year, int plays, int picture)
{
    CTrackRecord r;
    r.m_FileName = name;
    r.m_Album = album;
    r.m_Artist = artist;
    r.m_BPMText = bpm;
    r.m_Genre = genre;
    r.m_Index = index;
    r.m_Length = length;
    r.m_Title = title;
    r.m_Year = year;
    r.m_PlayCount = plays;
    r.m_HasPicture = picture;
    return r;
}

void FillSortSet()
{
    m_Tracks.RemoveAll();
    CTrackRecord set[] = {
        //         name album    artist   bpm       genre    index len title    year  plays pic
        SortTrack("p", "beta",  "zed",   "95.00",  "rock",  3,    60, "b",    "1999", 2,   1),
        SortTrack("q", "Alpha", "Amy",   "128.50", "Jazz",  -1,   60, "a",    "1980", 0,   0),
        SortTrack("r", "alpha", "amy",   "100",    "House", 7,    -5, "C",    "2001", 5,   1),
        SortTrack("s", "gamma", "Bob",   "x",      "jazz",  0,    30, "B",    "",     0,   0),
    };
    for (CTrackRecord& r : set)
        m_Tracks.Add(r);
}

std::string Order()
{
    std::string order;
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        order += m_Tracks[i].m_FileName.GetString();
    return order;
}

} // namespace

// Each code's key and tie-break, both directions; descending reverses the
// key only.
TEST_F(RecordAccess, SortCodes)
{
    struct Case { int code; const char* ascending; const char* descending; };
    const Case cases[] = {
        {1, "qrps", "spqr"},    // album; tie: title
        {2, "qrsp", "psqr"},    // artist; tie: title (Amy a before amy C)
        {3, "sprq", "qrps"},    // atoi of tempo text: x=0, 95, 100, 128
        {4, "rqsp", "pqsr"},    // genre; tie: title (Jazz a, jazz B)
        {5, "sprq", "qrps"},    // index unsigned: -1 is the largest
        {6, "rsqp", "qpsr"},    // length signed; tie: title (a, b)
        {7, "qspr", "rspq"},    // title; tie (b, B): artist (Bob, zed)
        {8, "sqpr", "rpqs"},    // year text; empty first
        {9, "qspr", "rpqs"},    // play count; tie: title (a, B)
        {10, "qsrp", "rpqs"},   // picture; tie: album (Alpha, gamma | alpha, beta)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FillSortSet();
        EXPECT_TRUE(VIZU::SortTrackListA(c.code));
        EXPECT_EQ(c.ascending, Order());
        EXPECT_EQ(c.code, LastSortCode());
        EXPECT_FALSE(LastSortDescending());
        FillSortSet();
        EXPECT_TRUE(VIZU::SortTrackListD(c.code));
        EXPECT_EQ(c.descending, Order());
        EXPECT_TRUE(LastSortDescending());
    }
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(RecordAccess, SortToggles)
{
    struct Step { int (*call)(int); int code; const char* order; int lastCode; bool descending; };
    auto toggle = [](int code) { return VIZU::SortTrackList(code) ? 1 : 0; };
    auto up = [](int code) { return VIZU::SortTrackListA(code) ? 1 : 0; };
    auto down = [](int code) { return VIZU::SortTrackListD(code) ? 1 : 0; };
    const Step steps[] = {
        {toggle, 7, "qspr", 7, false},
        {toggle, 7, "rspq", 7, true},
        {toggle, 7, "qspr", 7, false},
        {toggle, 2, "qrsp", 2, false},    // another column starts ascending
        {toggle, 11, "qrsp", 2, false},   // no such code: nothing changes
        {toggle, 0, "qrsp", 2, false},
        {up, 5, "sprq", 5, false},
        {toggle, 5, "qrps", 5, true},
        {down, 5, "qrps", 5, true},
        {toggle, 5, "sprq", 5, false},
        {down, 12, "sprq", 5, false},
    };
    FillSortSet();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.code);
        EXPECT_EQ(1, s.call(s.code));
        EXPECT_EQ(s.order, Order());
        EXPECT_EQ(s.lastCode, LastSortCode());
        EXPECT_EQ(s.descending, LastSortDescending());
    }
}

TEST_F(RecordAccess, ArtistDescendingKeepsTitlesAscending)
{
    Fill({MakeTrack("1", "Abba", "b"), MakeTrack("2", "Zappa", "c"), MakeTrack("3", "Abba", "a"),
          MakeTrack("4", "Zappa", "A2")});
    ASSERT_TRUE(VIZU::SortTrackListD(2));
    EXPECT_EQ((PathList{"4", "2", "3", "1"}), Paths());
}
