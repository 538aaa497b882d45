// Record access over the library state as VIZU's entries hand it over: while
// a walk has the records in use nothing adds, removes or moves them, and
// each change marks the library changed. No Windows: built natively too.
#include "library/records/RandomPick.h"
#include "library/records/RecordAccess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CTrackRecord Track(const char* path, int index)
{
    CTrackRecord r;
    r.m_FileName = path;
    r.m_Artist = path;
    r.m_Index = index;
    return r;
}

std::string Paths(const TrackArray& tracks)
{
    std::string paths;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        paths += std::string(tracks[i].m_FileName.GetString()) + ";";
    return paths;
}

class RecordState : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.tracks.RemoveAll();
        for (CTrackRecord r : {Track("c", 7), Track("a", 3), Track("b", 5)})
            state.tracks.Add(r);
    }
    void TearDown() override { state.tracks.RemoveAll(); }

    LibraryState state;
};

TEST_F(RecordState, RecordsInUseAreNeitherAddedRemovedNorMoved)
{
    state.tracksInUse = 1;
    CTrackRecord added = Track("d", 9);
    EXPECT_FALSE(records::AddRecord(state, added));
    EXPECT_FALSE(records::DelRecord(state, "a"));
    records::EmptyTrackList(state);
    EXPECT_FALSE(records::SwapArrayItems(state, state.tracks, "a", "b"));
    EXPECT_EQ(-1, records::ReindexOpenDB(state));
    EXPECT_FALSE(records::SortLibraryTracks(state, 2, false));
    EXPECT_FALSE(records::SortTrackList(state, 2));
    EXPECT_FALSE(records::SortTrackListA(state, 2));
    EXPECT_FALSE(records::SortTrackListD(state, 2));
    EXPECT_EQ("c;a;b;", Paths(state.tracks));
    EXPECT_EQ(7, state.tracks[0].m_Index);
    EXPECT_EQ(0, state.lastSortCode);
    EXPECT_FALSE(state.changed);

    // Another array is the caller's own: it may be swapped meanwhile.
    TrackArray other;
    other.Append(state.tracks);
    EXPECT_TRUE(records::SwapArrayItems(state, other, "a", "b"));
    EXPECT_EQ("c;b;a;", Paths(other));
    // Reading goes on.
    EXPECT_EQ(7, records::GetLastIndexNumber(state.tracks));
    EXPECT_EQ(0, records::IncrementPlayCount(state, 3));
    EXPECT_EQ(1, state.tracks[1].m_PlayCount);
}

TEST_F(RecordState, EachChangeMarksTheLibraryChanged)
{
    struct Case
    {
        const char* name;
        bool (*change)(LibraryState&);
        const char* paths;
    };
    const Case cases[] = {
        {"add", [](LibraryState& s) { CTrackRecord r = Track("d", 9); return records::AddRecord(s, r); },
         "c;a;b;d;"},
        {"delete", [](LibraryState& s) { return records::DelRecord(s, "a"); }, "c;b;"},
        {"reindex", [](LibraryState& s) { return records::ReindexOpenDB(s) == 4; }, "c;a;b;"},
        {"play count", [](LibraryState& s) { return records::IncrementPlayCount(s, 5) == 0; },
         "c;a;b;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        state.changed = false;
        EXPECT_TRUE(c.change(state));
        EXPECT_TRUE(state.changed);
        EXPECT_EQ(c.paths, Paths(state.tracks));
    }
    // A path that is not there changes nothing.
    state.changed = false;
    EXPECT_FALSE(records::DelRecord(state, "zzz"));
    EXPECT_FALSE(state.changed);
}

TEST_F(RecordState, TheSameColumnAgainAlternatesTheDirection)
{
    EXPECT_TRUE(records::SortTrackList(state, 2));
    EXPECT_EQ("a;b;c;", Paths(state.tracks));
    EXPECT_TRUE(records::SortTrackList(state, 2));
    EXPECT_EQ("c;b;a;", Paths(state.tracks));
    EXPECT_TRUE(state.lastSortDescending);
    EXPECT_TRUE(records::SortTrackList(state, 9));   // another column starts ascending
    EXPECT_EQ(9, state.lastSortCode);
    EXPECT_FALSE(state.lastSortDescending);
    EXPECT_TRUE(records::SortTrackList(state, 99));  // no sort code: nothing sorted
    EXPECT_EQ(9, state.lastSortCode);
}

class FixedDraws : public RandomDrawSource
{
public:
    uint32_t Draw15() override { return 0; }
};

TEST_F(RecordState, RandomPickDrawsFromTheGivenSource)
{
    FixedDraws zeros;
    tagRandomInfo info;
    info.Mode = 40;
    EXPECT_STREQ("c", records::GetRandomTrack(state.tracks, &info, &zeros).GetString());
    info.Mode = 41;
    info.Value = "B";
    EXPECT_STREQ("b", records::GetRandomTrack(state.tracks, &info, &zeros).GetString());
    info.Value = "none";
    EXPECT_STREQ("NONE", records::GetRandomTrack(state.tracks, &info, &zeros).GetString());
    EXPECT_STREQ("NONE", records::GetRandomTrack(state.tracks, nullptr, &zeros).GetString());
}

} // namespace
