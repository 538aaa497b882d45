// Finding and reordering records by path: tables of moves on a six-record
// array, each checked for its result and the whole order that follows.
#include "foundation/tracks/TrackArrays.h"
#include "tests/foundation/tracks/TrackTestArrays.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kSix = {"t0", "t1", "t2", "t3", "t4", "t5"};

// The titles of the six records in the given order of their first indexes.
std::vector<std::string> Order(const std::vector<int>& indexes)
{
    std::vector<std::string> out;
    for (int i : indexes)
        out.push_back(kSix[static_cast<std::size_t>(i)] + "#" + std::to_string(i));
    return out;
}

const std::vector<int> kUnchanged = {0, 1, 2, 3, 4, 5};

} // namespace

TEST(FindTrackIndex, MatchesPathsWithoutRegardToCase)
{
    TrackArray tracks;
    FillTracks(tracks, {"x.wav", "c:\\music\\a.mp3", "C:\\MUSIC\\A.mp3"});
    EXPECT_EQ(1, FindTrackIndex(tracks, "C:\\Music\\A.MP3"));  // the first of two
    EXPECT_EQ(0, FindTrackIndex(tracks, "X.WAV"));
    EXPECT_EQ(-1, FindTrackIndex(tracks, "c:\\music\\a.mp"));
    EXPECT_EQ(-1, FindTrackIndex(tracks, ""));
    TrackArray empty;
    EXPECT_EQ(-1, FindTrackIndex(empty, "x.wav"));
}

struct TwoPathCase
{
    const char* name;
    const char* first;
    const char* second;
    bool result;
    std::vector<int> order;
};

class SwapTracksTable : public ::testing::TestWithParam<TwoPathCase> {};

TEST_P(SwapTracksTable, ExchangesTheFirstRecordsOfBothPaths)
{
    const TwoPathCase& c = GetParam();
    TrackArray tracks;
    FillTracks(tracks, kSix);
    EXPECT_EQ(c.result, SwapTracks(tracks, c.first, c.second));
    EXPECT_EQ(Order(c.order), Titles(tracks));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwapTracksTable,
    ::testing::Values(TwoPathCase{"Neighbours", "t1", "t2", true, {0, 2, 1, 3, 4, 5}},
                      TwoPathCase{"Ends", "t5", "t0", true, {5, 1, 2, 3, 4, 0}},
                      TwoPathCase{"CaseBlind", "T1", "T4", true, {0, 4, 2, 3, 1, 5}},
                      TwoPathCase{"SamePath", "t3", "T3", true, kUnchanged},
                      TwoPathCase{"FirstMissing", "t9", "t2", false, kUnchanged},
                      TwoPathCase{"SecondMissing", "t2", "t9", false, kUnchanged}),
    [](const ::testing::TestParamInfo<TwoPathCase>& info) { return std::string(info.param.name); });

class MoveTrackBeforeTable : public ::testing::TestWithParam<TwoPathCase> {};

TEST_P(MoveTrackBeforeTable, PutsTheMovedRecordJustBeforeTheTarget)
{
    const TwoPathCase& c = GetParam();
    TrackArray tracks;
    FillTracks(tracks, kSix);
    EXPECT_EQ(c.result, MoveTrackBefore(tracks, c.first, c.second));
    EXPECT_EQ(Order(c.order), Titles(tracks));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveTrackBeforeTable,
    ::testing::Values(TwoPathCase{"Upwards", "t4", "t1", true, {0, 4, 1, 2, 3, 5}},
                      TwoPathCase{"Downwards", "t1", "t4", true, {0, 2, 3, 1, 4, 5}},
                      TwoPathCase{"FirstBeforeLast", "t0", "t5", true, {1, 2, 3, 4, 0, 5}},
                      TwoPathCase{"LastBeforeFirst", "t5", "t0", true, {5, 0, 1, 2, 3, 4}},
                      TwoPathCase{"BeforeItsSuccessor", "t2", "t3", true, kUnchanged},
                      TwoPathCase{"CaseBlind", "T4", "t1", true, {0, 4, 1, 2, 3, 5}},
                      TwoPathCase{"OntoItself", "t2", "t2", true, kUnchanged},
                      TwoPathCase{"OntoItselfOtherCase", "t5", "T5", true, kUnchanged},
                      TwoPathCase{"MovedMissing", "t9", "t1", false, kUnchanged},
                      TwoPathCase{"TargetMissing", "t1", "t9", false, kUnchanged}),
    [](const ::testing::TestParamInfo<TwoPathCase>& info) { return std::string(info.param.name); });

TEST(MoveTrackBefore, OntoItselfWithALaterRecordOfTheSamePathChangesNothing)
{
    // After removing the first "a" a search would find the second one.
    TrackArray tracks;
    FillTracks(tracks, {"a", "b", "a", "c"});
    const std::vector<std::string> before = Titles(tracks);
    EXPECT_TRUE(MoveTrackBefore(tracks, "a", "A"));
    EXPECT_EQ(before, Titles(tracks));
}

struct OnePathCase
{
    const char* name;
    const char* path;
    bool result;
    std::vector<int> toTop;
    std::vector<int> toBottom;
};

class MoveToEndTable : public ::testing::TestWithParam<OnePathCase> {};

TEST_P(MoveToEndTable, KeepsTheOrderOfTheOthers)
{
    const OnePathCase& c = GetParam();
    TrackArray tracks;
    FillTracks(tracks, kSix);
    EXPECT_EQ(c.result, MoveTrackToTop(tracks, c.path));
    EXPECT_EQ(Order(c.toTop), Titles(tracks));
    FillTracks(tracks, kSix);
    EXPECT_EQ(c.result, MoveTrackToBottom(tracks, c.path));
    EXPECT_EQ(Order(c.toBottom), Titles(tracks));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveToEndTable,
    ::testing::Values(OnePathCase{"Middle", "t3", true, {3, 0, 1, 2, 4, 5}, {0, 1, 2, 4, 5, 3}},
                      OnePathCase{"First", "t0", true, kUnchanged, {1, 2, 3, 4, 5, 0}},
                      OnePathCase{"Last", "T5", true, {5, 0, 1, 2, 3, 4}, kUnchanged},
                      OnePathCase{"Missing", "t6", false, kUnchanged, kUnchanged}),
    [](const ::testing::TestParamInfo<OnePathCase>& info) { return std::string(info.param.name); });

TEST(MoveTrack, MovesTheFirstOfRecordsSharingAPath)
{
    TrackArray tracks;
    FillTracks(tracks, {"a", "b", "a", "c"});
    EXPECT_TRUE(MoveTrackToBottom(tracks, "a"));
    EXPECT_EQ((std::vector<std::string>{"b#1", "a#2", "c#3", "a#0"}), Titles(tracks));
    EXPECT_TRUE(MoveTrackToTop(tracks, "c"));
    EXPECT_EQ((std::vector<std::string>{"c#3", "b#1", "a#2", "a#0"}), Titles(tracks));
}

TEST(MoveTrack, EmptyArrayAnswersFalse)
{
    TrackArray tracks;
    EXPECT_FALSE(SwapTracks(tracks, "a", "a"));
    EXPECT_FALSE(MoveTrackToTop(tracks, "a"));
    EXPECT_FALSE(MoveTrackToBottom(tracks, "a"));
    EXPECT_FALSE(MoveTrackBefore(tracks, "a", "a"));
    EXPECT_EQ(0, tracks.GetSize());
}
