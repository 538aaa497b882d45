// The decks' level meters in the real main window: the program's own parts
// build the Default skin (its "VU" image meters for decks A to D), a deck
// plays a generated tone into the sound server's null sink, and the
// players' level feedback reaches the meters on the window thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "../../decoder/dkplayer/DsoundTestSupport.h"
#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/parts/ProgramParts.h"
#include "skin/create/SkinMeterSet.h"
#include "tests/mainwindow/support/ProgramWindowFixture.h"
#include "tests/support/TestSupport.h"

using namespace tavrix_test;

namespace
{

class DeckMeters : public ProgramWindowFixture
{
protected:
    void SetUp() override
    {
        if (!HasDirectSound())
            GTEST_SKIP() << "no DirectSound device (no sound server)";
        ASSERT_NO_FATAL_FAILURE(OpenWindow("[MAIN]\r\n" + MainKeys() + FullGainDecks(), 2));
    }

    TXVVUMeter& Meter(int deck, int side) { return m_dialog->GetSkinMeters().imageMeters[deck * 2 + side]; }
    int Level(int deck, int side) { return Meter(deck, side).GetLevel(); }
};

} // namespace

TEST_F(DeckMeters, TheMetersOfAPlayingDeckRiseAndFallBackAfterItsStop)
{
    SkinMeterSet& meters = m_dialog->GetSkinMeters();
    for (int deck = 0; deck < 2; ++deck) {
        ASSERT_TRUE(meters.deckUsesImageMeters[deck]) << "deck " << deck;
        for (int side = 0; side < 2; ++side)
            ASSERT_NE(nullptr, Meter(deck, side).GetSafeHwnd()) << "deck " << deck << " side " << side;
    }
    ASSERT_NO_FATAL_FAILURE(Load(0, "decks_a330.mp3"));
    Pump(300);
    EXPECT_EQ(0, Level(0, 0));
    EXPECT_EQ(0, Level(0, 1));

    Command(27101);   // "a-play"
    ASSERT_TRUE(PumpUntil([&] { return Level(0, 0) > 0 && Level(0, 1) > 0; }, 10000))
        << "deck A's meters stayed at " << Level(0, 0) << "/" << Level(0, 1) << " while it played (state "
        << Decks().Get(0)->GetState() << ")";
    // The tone is at -6 dB: the 8-bit feedback peaks near 64 of 127, on
    // both channels; the level AutoMix reads is their mean.
    int highest = 0;
    PumpUntil([&] {
        highest = std::max(highest, Level(0, 0));
        return false;
    }, 1000);
    EXPECT_GE(highest, 40);
    EXPECT_LE(highest, 80);
    EXPECT_GT(Decks().GetLevel(0), 0);
    // Deck B plays nothing: its meters stay down.
    EXPECT_EQ(0, Level(1, 0));
    EXPECT_EQ(0, Level(1, 1));

    Command(27102);   // "a-stop"
    EXPECT_TRUE(PumpUntil([&] { return Level(0, 0) == 0 && Level(0, 1) == 0; }, 5000))
        << "deck A's meters still show " << Level(0, 0) << "/" << Level(0, 1) << " after its stop";
    Pump(500);
    EXPECT_EQ(0, Level(0, 0)) << "a level arrived after the stop";
    EXPECT_EQ(0, Level(0, 1));
}
