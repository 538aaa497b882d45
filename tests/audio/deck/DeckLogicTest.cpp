// The decks' rules without windows: state codes, time codes with hours,
// the loop's end, device numbers and names, and the deck texts. Portable:
// runs natively too.
#include <gtest/gtest.h>

#include "audio/deck/DeckLogic.h"

TEST(DeckLogic, EngineStatesMapOntoDeckStates)
{
    const struct { int engine, deck; } cases[] = {
        {0, DECK_STATE_STOPPED}, {1, DECK_STATE_PLAYING}, {2, DECK_STATE_PAUSED},
        {3, DECK_STATE_END_OF_STREAM}, {4, 0}, {-1, 0}, {255, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.deck, DeckStateFromEngine(c.engine)) << "engine state " << c.engine;
}

TEST(DeckLogic, TimeCodesCountHours)
{
    EXPECT_EQ(123, TimecodeSeconds(0, 2, 3));
    EXPECT_EQ(3723, TimecodeSeconds(1, 2, 3));
    EXPECT_EQ(10 * 3600 + 59 * 60 + 59, TimecodeSeconds(10, 59, 59));
    EXPECT_EQ(255 * 3600, TimecodeSeconds(255, 0, 0));
}

TEST(DeckLogic, TheLoopEndsAtOrPastLoopOut)
{
    EXPECT_TRUE(LoopReachedEnd(true, 20, 10, 20));
    EXPECT_TRUE(LoopReachedEnd(true, 3701, 3650, 3700));
    EXPECT_FALSE(LoopReachedEnd(true, 19, 10, 20));
    EXPECT_FALSE(LoopReachedEnd(false, 25, 10, 20));
    EXPECT_FALSE(LoopReachedEnd(true, 25, 20, 20)) << "no loop without loop-in before loop-out";
}

TEST(DeckLogic, DeviceNumbersAndNames)
{
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(i, DeckSetupDevice(i));
    EXPECT_EQ(0, DeckSetupDevice(0));
    EXPECT_EQ(0, DeckSetupDevice(9));
    EXPECT_EQ(0, DeckSetupDevice(-1));
    EXPECT_EQ(0, DeckDeviceForMixers(3, 2));
    EXPECT_EQ(3, DeckDeviceForMixers(3, 3));
    EXPECT_EQ("/dev/dsound/12", DeckDeviceName(12));

    std::string listed;
    EXPECT_TRUE(DeckListedDeviceName("/dev/wave/0", &listed));
    EXPECT_EQ("/dev/dsound/0", listed);
    EXPECT_TRUE(DeckListedDeviceName("/dev/wave/wave", &listed));
    EXPECT_EQ("/dev/dsound/dsound", listed);
    EXPECT_FALSE(DeckListedDeviceName("/DEV/dsound/1", &listed));
    EXPECT_FALSE(DeckListedDeviceName("wave.raw", &listed));
    EXPECT_FALSE(DeckListedDeviceName(nullptr, &listed));
    EXPECT_EQ("2 : Speakers", DeckDeviceRowText(2, "Speakers"));
}

TEST(DeckLogic, DeckTexts)
{
    const char* const reset[4] = {"Deck A - Reset", "Deck B - Reset", "Deck C - Reset", "Deck D - Reset"};
    const char* const load[4] = {"Deck A - Load Track", "Deck B - Load Track", "", ""};
    const char* const vu[4] = {"sample-vua", "sample-vub", "sample-vu", "sample-vu"};
    for (int deck = 0; deck < 4; ++deck) {
        EXPECT_EQ(reset[deck], DeckResetTitle(deck));
        EXPECT_EQ(load[deck], DeckLoadTitle(deck));
        EXPECT_STREQ(vu[deck], DeckVuFeedbackName(deck));
        EXPECT_EQ("Player " + std::to_string(deck + 1), DeckPlayerName(deck));
    }
    EXPECT_STREQ("sample-spectruma", DeckSpectrumFeedbackName(0));
    EXPECT_STREQ("sample-spectrumb", DeckSpectrumFeedbackName(3));
}
