// The lists' decks over the mixer model and its fake decks: "next" and
// play next as the mixer sees them.
#include "FakeMix.h"
#include "mainwindow/queues/MixerQueueDecks.h"
#include "mainwindow/queues/QueueRules.h"

#include <gtest/gtest.h>

using namespace queue_rules;
using mixtest::MixRig;

namespace {

void Append(TrackArray& tracks, const char* path)
{
    CTrackRecord record;
    record.m_FileName = path;
    tracks.Add(record);
}

} // namespace

TEST(MixerQueueDecks, NextLoadsDeckAAndKeepsAFailedTrackQueued)
{
    MixRig rig;
    MixerQueueDecks decks(&rig.mixer);
    rig.decks[0].lengths["good.mp3"] = 60;
    rig.decks[0].failing.insert("bad.mp3");
    TrackArray queue;
    Append(queue, "bad.mp3");
    Append(queue, "good.mp3");
    auto load = [&](const CString& path) { return decks.LoadTrack(0, path); };

    EXPECT_EQ(NextResult::Failed, LoadNextQueued(queue, load));
    EXPECT_EQ(2, queue.GetSize());
    queue.RemoveAt(0);
    EXPECT_EQ(NextResult::Loaded, LoadNextQueued(queue, load));
    EXPECT_EQ(0, queue.GetSize());
    EXPECT_EQ("good.mp3", rig.decks[0].path);
    EXPECT_TRUE(rig.decks[1].calls.empty());
    EXPECT_FALSE(decks.LoadTrack(2, "good.mp3"));
}

TEST(MixerQueueDecks, PlayNextWithNeitherDeckPlayingLoadsAAndMixesLeft)
{
    MixRig rig;
    MixerQueueDecks decks(&rig.mixer);
    rig.decks[0].lengths["next.mp3"] = 60;
    const int deck = IdleDeck(DecksPlaying(decks.IsPlaying(0), decks.IsPlaying(1)));
    ASSERT_EQ(0, deck);
    ASSERT_TRUE(decks.LoadTrack(deck, "next.mp3"));
    ASSERT_EQ(MixAfter::Left, MixAfterPlayNext(DecksPlaying(decks.IsPlaying(0), decks.IsPlaying(1))));
    decks.MixLeft();
    EXPECT_TRUE(decks.IsPlaying(0));
    EXPECT_FALSE(decks.IsPlaying(1));
    EXPECT_EQ((std::vector<std::string>{"next.mp3"}), rig.decks[0].started);
}

// A reset replaces a deck's object and tells the mixer: the lists load
// into the new object, never into the one that was freed.
TEST(MixerQueueDecks, AfterADeckIsReplacedTheListsLoadIntoTheNewDeck)
{
    MixRig rig;
    MixerQueueDecks decks(&rig.mixer);
    mixtest::FakeDeck fresh;
    fresh.lengths["after.mp3"] = 60;
    rig.decks[0].lengths["after.mp3"] = 60;
    rig.mixer.SetDeck(0, nullptr);
    EXPECT_FALSE(decks.LoadTrack(0, "after.mp3")) << "no deck A while it is replaced";
    EXPECT_FALSE(decks.IsPlaying(0));
    rig.mixer.SetDeck(0, &fresh);
    ASSERT_TRUE(decks.LoadTrack(0, "after.mp3"));
    EXPECT_EQ("after.mp3", fresh.path);
    EXPECT_TRUE(rig.decks[0].calls.empty()) << "the replaced deck was used";
    decks.MixLeft();
    EXPECT_TRUE(decks.IsPlaying(0));
}
