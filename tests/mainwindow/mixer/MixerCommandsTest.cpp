// The mixer's and AutoMix's command ids run through the one routing the
// main window uses (MixerCommands) on fake decks and a fake clock; the
// timer ticks reach the mixer or AutoMix; the AutoMix queue over the main
// window's array.
#include "FakeMix.h"

#include <gtest/gtest.h>

#include <functional>

#include "mainwindow/mixerarea/AutoMixQueue.h"
#include "mainwindow/mixerarea/MixerCommands.h"

using namespace mixtest;
using namespace mixer;
using namespace mixer_commands;

namespace
{

TEST(MixerCommands, EveryIdOfTheAreasHasItsAction)
{
    struct Case
    {
        unsigned id;
        MixerAction action;
        int deck;
    };
    const Case cases[] = {
        {27105, MixerAction::FadeIn, 0},       {27106, MixerAction::FadeOut, 0},
        {27205, MixerAction::FadeIn, 1},       {27206, MixerAction::FadeOut, 1},
        {28305, MixerAction::FadeIn, 2},       {28306, MixerAction::FadeOut, 2},
        {28405, MixerAction::FadeIn, 3},       {28406, MixerAction::FadeOut, 3},
        {27301, MixerAction::Center, -1},      {27302, MixerAction::GlideLeft, -1},
        {27303, MixerAction::GlideRight, -1},  {27304, MixerAction::MixLeft, -1},
        {27305, MixerAction::MixRight, -1},    {27306, MixerAction::ToggleAutoMix, -1},
        {27307, MixerAction::ToggleAutoMix, -1}, {27308, MixerAction::AutoMixSettings, -1},
        {27312, MixerAction::StepLeft, -1},    {27313, MixerAction::StepRight, -1},
        {27314, MixerAction::Monitor, 0},      {27315, MixerAction::Monitor, 1},
        {27316, MixerAction::AutoMixRandom, -1}, {27317, MixerAction::MixNext, -1},
        {27319, MixerAction::Monitor, 2},      {27320, MixerAction::Monitor, 3},
        {27321, MixerAction::AssignLeft, -1},  {27322, MixerAction::AssignRight, -1},
        {27131, MixerAction::RandomPlay, 0},   {27231, MixerAction::RandomPlay, 1},
        // Not the mixer's: deck play, "mx-automixq", the crossfader's value.
        {27101, MixerAction::None, -1},        {27309, MixerAction::None, -1},
        {27318, MixerAction::None, -1},        {0, MixerAction::None, -1},
    };
    for (const Case& c : cases) {
        const MixerCommand command = MixerCommandOf(c.id);
        EXPECT_EQ(c.action, command.action) << c.id;
        EXPECT_EQ(c.deck, command.deck) << c.id;
    }
}

class MixerCommandsRun : public ::testing::Test
{
protected:
    MixerCommandsRun()
    {
        for (int deck = 0; deck < 4; ++deck) {
            rig.decks[deck].lengths["t"] = 60;
            rig.decks[deck].LoadTrack("t");
        }
        rig.settings.autoMix.mainTimer = 250;
        rig.settings.autoMix.useTimer = true;
    }
    bool Run(unsigned id) { return RunMixerCommand(rig.mixer, &rig.autoMix, id); }
    MixRig rig;
};

TEST_F(MixerCommandsRun, EachCommandReachesTheMixerOrAutoMix)
{
    struct Case
    {
        const char* what;
        std::function<void(MixRig&)> before;
        unsigned id;
        std::function<bool(MixRig&)> happened;
    };
    const Case cases[] = {
        {"fade in C", nullptr, 28305,
         [](MixRig& r) { return r.clock.Running(TimerFadeInC) && r.decks[DeckC].state == MixStatePlaying; }},
        {"fade out B", [](MixRig& r) { r.decks[DeckB].Play(); }, 27206,
         [](MixRig& r) { return r.clock.Running(TimerFadeOutB); }},
        {"centre", [](MixRig& r) { r.mixer.MoveCrossfader(40); }, 27301,
         [](MixRig& r) { return r.mixer.GetCrossfader() == 0; }},
        {"glide left", nullptr, 27302,
         [](MixRig& r) { return r.clock.Running(TimerGlide) && r.mixer.GetGlideDirection() == 0; }},
        {"glide right", nullptr, 27303,
         [](MixRig& r) { return r.clock.Running(TimerGlide) && r.mixer.GetGlideDirection() == 1; }},
        {"mix left", nullptr, 27304,
         [](MixRig& r) { return r.decks[DeckA].state == MixStatePlaying && r.mixer.GetStopFarDeck(); }},
        {"mix right", nullptr, 27305,
         [](MixRig& r) { return r.decks[DeckB].state == MixStatePlaying && r.mixer.GetGlideDirection() == 1; }},
        {"mix next with A playing", [](MixRig& r) { r.decks[DeckA].Play(); }, 27317,
         [](MixRig& r) { return r.decks[DeckB].state == MixStatePlaying; }},
        {"step left", nullptr, 27312, [](MixRig& r) { return r.mixer.GetCrossfader() == -1; }},
        {"step right", nullptr, 27313, [](MixRig& r) { return r.mixer.GetCrossfader() == 1; }},
        {"monitor D", nullptr, 27320, [](MixRig& r) { return r.view.lights["lt-mx-mond"] && !r.mixer.IsOnMains(DeckD); }},
        {"assign left", nullptr, 27321, [](MixRig& r) { return r.view.texts["txt_assignleft"] == "C"; }},
        {"assign right", nullptr, 27322, [](MixRig& r) { return r.view.texts["txt_assignright"] == "D"; }},
        {"AutoMix", [](MixRig& r) { r.queue.paths = {"q1"}; }, 27306,
         [](MixRig& r) { return r.autoMix.IsAutoMixRunning() && r.clock.Running(TimerAutoMix); }},
        {"AutoMix by 27307", [](MixRig& r) { r.queue.paths = {"q1"}; }, 27307,
         [](MixRig& r) { return r.autoMix.IsAutoMixRunning(); }},
        {"AutoMix random", nullptr, 27316,
         [](MixRig& r) { return r.autoMix.IsAutoMixRandomRunning() && r.clock.Running(TimerAutoMixRandom); }},
        {"random play B", nullptr, 27231,
         [](MixRig& r) { return r.autoMix.IsRandomPlayOn(DeckB) && r.view.lights["lt-b-random"]; }},
    };
    for (const Case& c : cases) {
        MixRig& r = rig;
        r.mixer.OnCenterCrossfader();
        if (c.before)
            c.before(r);
        EXPECT_TRUE(Run(c.id)) << c.what;
        EXPECT_TRUE(c.happened(r)) << c.what;
        // Back to rest for the next case: the modes off, the decks stopped,
        // the timers gone.
        if (r.autoMix.IsAutoMixRunning())
            r.autoMix.ToggleAutoMix();
        if (r.autoMix.IsAutoMixRandomRunning())
            r.autoMix.OnAutoMixRandom();
        for (int deck = 0; deck < 2; ++deck)
            if (r.autoMix.IsRandomPlayOn(deck))
                r.autoMix.OnRandomPlay(deck);
        for (FakeDeck& deck : r.decks)
            deck.Stop();
        r.clock.timers.clear();
    }
}

TEST_F(MixerCommandsRun, OtherIdsAndTheSettingsCommandAreLeftToTheCaller)
{
    EXPECT_FALSE(Run(27308));   // the configuration dialog's
    EXPECT_FALSE(Run(27101));
    EXPECT_FALSE(Run(27318));
    EXPECT_TRUE(rig.clock.timers.empty());
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST_F(MixerCommandsRun, WithoutAutoMixItsCommandsDoNothing)
{
    rig.queue.paths = {"q1"};
    for (unsigned id : {27306u, 27307u, 27316u, 27131u, 27231u})
        EXPECT_TRUE(RunMixerCommand(rig.mixer, nullptr, id)) << id;
    EXPECT_TRUE(rig.clock.timers.empty());
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning());
    // The mixer's own commands still run.
    EXPECT_TRUE(RunMixerCommand(rig.mixer, nullptr, 27313));
    EXPECT_EQ(1, rig.mixer.GetCrossfader());
}

TEST_F(MixerCommandsRun, TimerTicksReachTheirOwner)
{
    // Timer 2 moves the crossfader; timer 7 runs AutoMix's tick, which
    // loads and starts deck A.
    rig.settings.glideStep = 10;
    Run(27303);
    EXPECT_TRUE(RunMixerTimer(rig.mixer, &rig.autoMix, TimerGlide));
    EXPECT_EQ(10, rig.mixer.GetCrossfader());

    rig.queue.paths = {"q1", "q2"};
    Run(27306);
    EXPECT_TRUE(RunMixerTimer(rig.mixer, &rig.autoMix, TimerAutoMix));
    EXPECT_EQ("q1", rig.decks[DeckA].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);

    for (unsigned id : {3u, 4u, 5u, 6u, 10u, 11u, 12u, 24u, 25u, 26u, 27u})
        EXPECT_TRUE(RunMixerTimer(rig.mixer, &rig.autoMix, id)) << id;
    for (unsigned id : {1u, 8u, 9u, 13u, 20u, 21u, 34u})
        EXPECT_FALSE(RunMixerTimer(rig.mixer, &rig.autoMix, id)) << id;
    EXPECT_FALSE(RunMixerTimer(rig.mixer, nullptr, TimerAutoMix));
}

CTrackRecord Record(const char* path)
{
    CTrackRecord record;
    record.m_FileName = path;
    return record;
}

TEST(AutoMixQueue, TakesTheFirstRecordAndRefreshesTheList)
{
    CArray<CTrackRecord, CTrackRecord&> tracks;
    for (const char* path : {"C:\\m\\1.mp3", "C:\\m\\2.mp3", "C:\\m\\3.mp3"}) {
        CTrackRecord record = Record(path);
        tracks.Add(record);
    }
    int refreshes = 0;
    std::vector<int> sizesSeen;
    AutoMixQueue queue(tracks, [&] {
        ++refreshes;
        sizesSeen.push_back(static_cast<int>(tracks.GetSize()));
    });
    EXPECT_FALSE(queue.IsEmpty());
    CString path;
    ASSERT_TRUE(queue.TakeFirst(path));
    EXPECT_STREQ("C:\\m\\1.mp3", path.GetString());
    ASSERT_TRUE(queue.TakeFirst(path));
    EXPECT_STREQ("C:\\m\\2.mp3", path.GetString());
    ASSERT_TRUE(queue.TakeFirst(path));
    EXPECT_STREQ("C:\\m\\3.mp3", path.GetString());
    EXPECT_TRUE(queue.IsEmpty());
    path = "unchanged";
    EXPECT_FALSE(queue.TakeFirst(path));
    EXPECT_STREQ("unchanged", path.GetString());
    // The list was refreshed after each removal, and not for the empty take.
    EXPECT_EQ(3, refreshes);
    EXPECT_EQ((std::vector<int>{2, 1, 0}), sizesSeen);
}

TEST(AutoMixQueue, AutoMixDropsAQueuedTrackThatFailsAndLoadsTheNext)
{
    MixRig rig;
    CArray<CTrackRecord, CTrackRecord&> tracks;
    for (const char* path : {"bad", "good", "later"}) {
        CTrackRecord record = Record(path);
        tracks.Add(record);
    }
    AutoMixQueue queue(tracks, nullptr);
    rig.decks[DeckA].failing.insert("bad");
    rig.settings.autoMix.mainTimer = 250;
    AutoMix autoMix(&rig.mixer, &rig.clock, &rig.view, &rig.settings, &queue, &rig.random);
    autoMix.ToggleAutoMix();
    ASSERT_TRUE(autoMix.IsAutoMixRunning());
    ASSERT_TRUE(autoMix.OnTimer(TimerAutoMix));
    EXPECT_EQ("good", rig.decks[DeckA].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    ASSERT_EQ(1, tracks.GetSize());
    EXPECT_STREQ("later", tracks[0].m_FileName.GetString());
}

} // namespace
