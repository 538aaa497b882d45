// The window-free rules of the working lists of tracks: list codes and
// their arrays, the idle-deck table, "next" taking a record only after a
// successful load, the knob scroll targets, the add targets.
#include "mainwindow/queues/QueueRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace queue_rules;

namespace {

void Append(TrackArray& tracks, const char* path, int index = 0)
{
    CTrackRecord record;
    record.m_FileName = path;
    record.m_Index = index;
    tracks.Add(record);
}

std::vector<std::string> Paths(const TrackArray& tracks)
{
    std::vector<std::string> paths;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        paths.push_back(tracks[i].m_FileName.GetString());
    return paths;
}

} // namespace

TEST(QueueRules, ListTypesCodesNamesAndArraysAgree)
{
    QueueArrays arrays;
    struct Row
    {
        int type, code;
        const char* name;
        TrackArray* array;
    };
    const Row rows[] = {
        {4005, 1, "a-queue", &arrays.deckA},        {4006, 2, "b-queue", &arrays.deckB},
        {4007, 7, "searchlist", &arrays.search},    {4008, 6, "historylist", &arrays.history},
        {4009, 5, "requestlist", &arrays.request},  {4010, 3, nullptr, &arrays.jukebox},
        {4011, 4, "mx-queue", &arrays.autoMix},     {4013, 8, "tracklist", nullptr},
        {4014, 0, "mycomputer", nullptr},           {4015, 0, "mylibrary", nullptr},
        {4016, 0, nullptr, nullptr},                {4012, 0, nullptr, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(row.code, ListCodeOfType(row.type));
        if (row.code != 0) {
            EXPECT_EQ(row.type, TypeOfListCode(row.code));
        }
        if (row.name)
            EXPECT_STREQ(row.name, SkinNameOfType(row.type));
        else
            EXPECT_EQ(nullptr, SkinNameOfType(row.type));
        EXPECT_EQ(row.array, ArrayOfType(arrays, row.type));
        if (row.code != 0) {
            EXPECT_EQ(row.array, ArrayOfCode(arrays, row.code));
        }
    }
    EXPECT_EQ(&arrays.dArederoQueue, ArrayOfCode(arrays, 14));
    EXPECT_EQ(0, TypeOfListCode(14));
    EXPECT_EQ(nullptr, ArrayOfCode(arrays, 9));
}

TEST(QueueRules, GetListTypeComparesInItsOrder)
{
    const std::vector<int> order(kListTypeOrder, kListTypeOrder + kListTypeOrderCount);
    EXPECT_EQ((std::vector<int>{4007, 4008, 4009, 4005, 4006, 4011, 4013, 4015, 4014}), order);
}

TEST(QueueRules, WhichTypesChangeTheirArrays)
{
    struct Row
    {
        int type;
        bool swaps, toEnd, removes, shuffles;
        int caption;
    };
    const Row rows[] = {
        {4005, true, true, true, true, 1},      {4006, true, true, true, true, 2},
        {4007, false, false, false, false, 0},  {4008, false, false, false, false, 0},
        {4009, true, true, true, true, 5},      {4010, true, true, true, true, 0},
        {4011, true, true, true, true, 4},      {4013, false, false, false, false, 0},
        {4016, false, false, false, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(row.swaps, SwapsRecordsOnMove(row.type));
        EXPECT_EQ(row.toEnd, MovesRecordToEnd(row.type));
        EXPECT_EQ(row.removes, RemovesRecords(row.type));
        EXPECT_EQ(row.shuffles, ShufflesRecords(row.type));
        EXPECT_EQ(row.caption, CaptionCodeOfType(row.type));
    }
}

TEST(QueueRules, AddTargets)
{
    QueueArrays arrays;
    struct Row
    {
        int target;
        AddTarget kind;
        TrackArray* array;
    };
    const Row rows[] = {
        {1, AddTarget::MainList, &arrays.deckA},         {2, AddTarget::MainList, &arrays.deckB},
        {4, AddTarget::MainList, &arrays.autoMix},       {5, AddTarget::RequestList, &arrays.request},
        {14, AddTarget::DArederoQueue, &arrays.dArederoQueue},
        {3, AddTarget::JukeboxWindow, &arrays.jukebox},  {4005, AddTarget::PopupOnly, &arrays.deckA},
        {4006, AddTarget::PopupOnly, &arrays.deckB},     {4009, AddTarget::PopupOnly, &arrays.request},
        {4010, AddTarget::PopupOnly, &arrays.jukebox},   {4011, AddTarget::PopupOnly, &arrays.autoMix},
        {4007, AddTarget::Nothing, nullptr},             {4008, AddTarget::Nothing, nullptr},
        {6, AddTarget::Nothing, nullptr},                {7, AddTarget::Nothing, nullptr},
        {8, AddTarget::Nothing, nullptr},                {13, AddTarget::Nothing, nullptr},
        {0, AddTarget::Nothing, nullptr},                {-1, AddTarget::Nothing, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        EXPECT_EQ(row.kind, AddTargetOf(row.target));
        EXPECT_EQ(row.array, ArrayOfTarget(arrays, row.target));
    }
}

TEST(QueueRules, IdleDeckTable)
{
    struct Row
    {
        bool aPlays, bPlays;
        int answer, deck;
        MixAfter mix;
    };
    const Row rows[] = {
        {false, false, 1, 0, MixAfter::Left},
        {true, true, 2, -1, MixAfter::None},
        {true, false, 3, 1, MixAfter::Right},
        {false, true, 4, 0, MixAfter::Left},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        EXPECT_EQ(row.answer, DecksPlaying(row.aPlays, row.bPlays));
        EXPECT_EQ(row.deck, IdleDeck(row.answer));
        EXPECT_EQ(row.mix, MixAfterPlayNext(row.answer));
    }
    EXPECT_EQ(-1, IdleDeck(0));
    EXPECT_EQ(MixAfter::None, MixAfterPlayNext(5));
}

TEST(QueueRules, NextTakesTheFirstRecordOnlyWhenItLoaded)
{
    TrackArray queue;
    Append(queue, "C:\\m\\bad.mp3");
    Append(queue, "C:\\m\\good.mp3");
    std::vector<std::string> asked;
    auto load = [&](const CString& path) {
        asked.push_back(path.GetString());
        return path != "C:\\m\\bad.mp3";
    };

    EXPECT_EQ(NextResult::Failed, LoadNextQueued(queue, load));
    EXPECT_EQ((std::vector<std::string>{"C:\\m\\bad.mp3", "C:\\m\\good.mp3"}), Paths(queue));

    queue.RemoveAt(0);
    EXPECT_EQ(NextResult::Loaded, LoadNextQueued(queue, load));
    EXPECT_TRUE(Paths(queue).empty());
    EXPECT_EQ(NextResult::Empty, LoadNextQueued(queue, load));
    EXPECT_EQ((std::vector<std::string>{"C:\\m\\bad.mp3", "C:\\m\\good.mp3"}), asked);
}

TEST(QueueRules, NextRemovesTheLoadedRecordWhenTheLoadChangedTheQueue)
{
    TrackArray queue;
    Append(queue, "C:\\m\\1.mp3");
    Append(queue, "C:\\m\\2.mp3");
    // A handler run during the load put another record first.
    auto load = [&](const CString&) {
        CTrackRecord record;
        record.m_FileName = "C:\\m\\0.mp3";
        queue.InsertAt(0, record);
        return true;
    };
    EXPECT_EQ(NextResult::Loaded, LoadNextQueued(queue, load));
    EXPECT_EQ((std::vector<std::string>{"C:\\m\\0.mp3", "C:\\m\\2.mp3"}), Paths(queue));
}

TEST(QueueRules, ExactPathRemovalCountsLetterCaseAndTakesTheFirst)
{
    TrackArray tracks;
    Append(tracks, "C:\\m\\A.mp3", 1);
    Append(tracks, "C:\\m\\a.mp3", 2);
    Append(tracks, "C:\\m\\a.mp3", 3);
    EXPECT_EQ(1, FindExactPath(tracks, "C:\\m\\a.mp3"));
    EXPECT_FALSE(RemoveFirstExactPath(tracks, "c:\\m\\a.mp3"));
    EXPECT_TRUE(RemoveFirstExactPath(tracks, "C:\\m\\a.mp3"));
    ASSERT_EQ(2, tracks.GetSize());
    EXPECT_EQ(1, tracks[0].m_Index);
    EXPECT_EQ(3, tracks[1].m_Index);
}

TEST(QueueRules, TheRecordOfARowIsTheOneAtItsIndexWhenInStep)
{
    TrackArray tracks;
    Append(tracks, "C:\\m\\a.mp3", 1);
    Append(tracks, "C:\\m\\b.mp3", 2);
    Append(tracks, "C:\\m\\a.mp3", 3);
    EXPECT_TRUE(RowInStep(tracks, 2, "C:\\m\\a.mp3"));
    EXPECT_FALSE(RowInStep(tracks, 1, "C:\\m\\a.mp3"));
    EXPECT_FALSE(RowInStep(tracks, 3, "C:\\m\\a.mp3"));
    EXPECT_FALSE(RowInStep(tracks, -1, "C:\\m\\a.mp3"));

    // The second copy of a: the record of row 2 goes, the first stays.
    EXPECT_TRUE(RemoveRecordOfRow(tracks, 2, "C:\\m\\a.mp3"));
    ASSERT_EQ(2, tracks.GetSize());
    EXPECT_EQ(1, tracks[0].m_Index);
    // Out of step: the first record with the path.
    EXPECT_TRUE(RemoveRecordOfRow(tracks, 0, "C:\\m\\b.mp3"));
    ASSERT_EQ(1, tracks.GetSize());
    EXPECT_EQ(1, tracks[0].m_Index);
    EXPECT_FALSE(RemoveRecordOfRow(tracks, 0, "C:\\m\\z.mp3"));
    EXPECT_EQ(1, tracks.GetSize());
}

TEST(QueueRules, ScrollTargetsAdvanceAndQueueModesFlip)
{
    const int expected[][2] = {{1, 2}, {2, 3}, {5, 6}, {6, 1}, {0, 0}, {7, 7}, {-3, -3}};
    for (const auto& row : expected)
        EXPECT_EQ(row[1], AdvanceScrollTarget(row[0])) << row[0];

    const int types[] = {0, 4005, 4006, 4011, 4013, 4007, 4009, 0};
    for (int target = 0; target <= 7; ++target)
        EXPECT_EQ(types[target], ListTypeOfScrollTarget(target)) << target;

    KnobScroll knobs;
    EXPECT_EQ(1, knobs.target[0]);
    EXPECT_EQ(2, knobs.target[1]);
    EXPECT_TRUE(knobs.queueMode[0]);
    knobs.Toggle(0);
    EXPECT_EQ(2, knobs.target[0]);
    EXPECT_FALSE(knobs.queueMode[0]);
    EXPECT_EQ(2, knobs.target[1]);
    EXPECT_TRUE(knobs.queueMode[1]);
    knobs.Toggle(0);
    EXPECT_EQ(3, knobs.target[0]);
    EXPECT_TRUE(knobs.queueMode[0]);
    knobs.Toggle(5);
    EXPECT_EQ(3, knobs.target[0]);
    EXPECT_EQ(2, knobs.target[1]);
}

TEST(QueueRules, QuestionAnswers)
{
    EXPECT_TRUE(EmptyFirst(kAnswerNone));
    EXPECT_TRUE(EmptyFirst(kAnswerNo));
    EXPECT_FALSE(EmptyFirst(kAnswerYes));
    EXPECT_TRUE(QueueScrollGoesUp(5, 0));
    EXPECT_FALSE(QueueScrollGoesUp(3, 3));
}
