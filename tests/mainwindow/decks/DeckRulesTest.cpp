// The deck command ids and the deck texts.
#include <gtest/gtest.h>

#include "mainwindow/decks/DeckRules.h"

using namespace deck_rules;

namespace
{

struct IdRow
{
    unsigned id;
    int deck;
    DeckAction action;
};

// Every deck command id of the main window, written out.
const IdRow kIds[] = {
    {27101, 0, DeckAction::Play}, {27201, 1, DeckAction::Play}, {28301, 2, DeckAction::Play}, {28401, 3, DeckAction::Play},
    {27102, 0, DeckAction::Stop}, {27202, 1, DeckAction::Stop}, {28302, 2, DeckAction::Stop}, {28402, 3, DeckAction::Stop},
    {27103, 0, DeckAction::Pause}, {27203, 1, DeckAction::Pause}, {28303, 2, DeckAction::Pause}, {28403, 3, DeckAction::Pause},
    {27104, 0, DeckAction::Restart}, {27204, 1, DeckAction::Restart}, {28304, 2, DeckAction::Restart}, {28404, 3, DeckAction::Restart},
    {27107, 0, DeckAction::Eject}, {27207, 1, DeckAction::Eject}, {28307, 2, DeckAction::Eject}, {28407, 3, DeckAction::Eject},
    {27110, 0, DeckAction::Preset1}, {27111, 0, DeckAction::Preset2}, {27112, 0, DeckAction::Preset3}, {27113, 0, DeckAction::Preset4},
    {27210, 1, DeckAction::Preset1}, {27211, 1, DeckAction::Preset2}, {27212, 1, DeckAction::Preset3}, {27213, 1, DeckAction::Preset4},
    {27114, 0, DeckAction::Cue1}, {27115, 0, DeckAction::Cue2}, {27214, 1, DeckAction::Cue1}, {27215, 1, DeckAction::Cue2},
    {27116, 0, DeckAction::LoopIn}, {27117, 0, DeckAction::LoopOut}, {27118, 0, DeckAction::LoopStart},
    {27216, 1, DeckAction::LoopIn}, {27217, 1, DeckAction::LoopOut}, {27218, 1, DeckAction::LoopStart},
    {27119, 0, DeckAction::EqOnOff}, {27219, 1, DeckAction::EqOnOff}, {28319, 2, DeckAction::EqOnOff}, {28419, 3, DeckAction::EqOnOff},
    {27120, 0, DeckAction::Mute}, {27220, 1, DeckAction::Mute}, {28320, 2, DeckAction::Mute}, {28420, 3, DeckAction::Mute},
    {27121, 0, DeckAction::FastForward}, {27221, 1, DeckAction::FastForward}, {28321, 2, DeckAction::FastForward}, {28421, 3, DeckAction::FastForward},
    {27122, 0, DeckAction::Rewind}, {27222, 1, DeckAction::Rewind}, {28322, 2, DeckAction::Rewind}, {28422, 3, DeckAction::Rewind},
    {27124, 0, DeckAction::PitchZero}, {27224, 1, DeckAction::PitchZero}, {28324, 2, DeckAction::PitchZero}, {28424, 3, DeckAction::PitchZero},
    {27125, 0, DeckAction::GainUp}, {27225, 1, DeckAction::GainUp}, {27126, 0, DeckAction::GainDown}, {27226, 1, DeckAction::GainDown},
    {27128, 0, DeckAction::EqFlat}, {27228, 1, DeckAction::EqFlat}, {28328, 2, DeckAction::EqFlat}, {28428, 3, DeckAction::EqFlat},
    {27129, 0, DeckAction::PitchUp}, {27229, 1, DeckAction::PitchUp}, {28329, 2, DeckAction::PitchUp}, {28429, 3, DeckAction::PitchUp},
    {27130, 0, DeckAction::PitchDown}, {27230, 1, DeckAction::PitchDown}, {28330, 2, DeckAction::PitchDown}, {28430, 3, DeckAction::PitchDown},
    {27132, 0, DeckAction::Props}, {27232, 1, DeckAction::Props},
    {27135, 0, DeckAction::KillLow}, {27136, 0, DeckAction::KillMid}, {27137, 0, DeckAction::KillHigh},
    {27235, 1, DeckAction::KillLow}, {27236, 1, DeckAction::KillMid}, {27237, 1, DeckAction::KillHigh},
    {27139, 0, DeckAction::PlayPause}, {27239, 1, DeckAction::PlayPause}, {28339, 2, DeckAction::PlayPause}, {28439, 3, DeckAction::PlayPause},
    {27140, 0, DeckAction::PitchMoveUp}, {27141, 0, DeckAction::PitchMoveDown},
    {27240, 1, DeckAction::PitchMoveUp}, {27241, 1, DeckAction::PitchMoveDown},
    {27146, 0, DeckAction::KeyLock},
    {28122, 0, DeckAction::FxRotate}, {28123, 0, DeckAction::FxEcho}, {28124, 0, DeckAction::FxFlange},
    {28126, 1, DeckAction::FxRotate}, {28127, 1, DeckAction::FxEcho}, {28128, 1, DeckAction::FxFlange},
    {28030, 0, DeckAction::GainPitch}, {28031, 1, DeckAction::GainPitch},
    {28509, 0, DeckAction::Unload}, {28510, 1, DeckAction::Unload},
};

} // namespace

TEST(DeckRules, EveryDeckCommandIdAndNoOther)
{
    size_t found = 0;
    for (unsigned id = 27001; id <= 28510; ++id) {
        const DeckCommand command = DeckCommandOf(id);
        const IdRow* row = nullptr;
        for (const IdRow& r : kIds)
            if (r.id == id)
                row = &r;
        if (!row) {
            EXPECT_EQ(DeckAction::None, command.action) << id;
            continue;
        }
        ++found;
        EXPECT_EQ(row->deck, command.deck) << id;
        EXPECT_EQ(row->action, command.action) << id;
        EXPECT_EQ(id, CommandIdOf(row->deck, row->action)) << id;
    }
    EXPECT_EQ(sizeof kIds / sizeof kIds[0], found);
    EXPECT_EQ(101u, found);
}

TEST(DeckRules, DecksCAndDHaveNoCueLoopGainKillOrKeyLockCommands)
{
    for (DeckAction a : {DeckAction::Cue1, DeckAction::LoopIn, DeckAction::GainUp, DeckAction::KillLow,
                         DeckAction::PitchMoveUp, DeckAction::Preset1, DeckAction::FxEcho, DeckAction::Unload})
        for (int deck : {2, 3})
            EXPECT_EQ(0u, CommandIdOf(deck, a)) << ActionName(a);
    EXPECT_EQ(0u, CommandIdOf(1, DeckAction::KeyLock));
    EXPECT_EQ(0u, CommandIdOf(4, DeckAction::Play));
}

TEST(DeckRules, TextsAndSteps)
{
    EXPECT_STREQ("Finished", StatusText(4004));
    EXPECT_STREQ("", StatusText(0));
    EXPECT_EQ(30, JogKnobPosition(0, 200));
    EXPECT_EQ(330, JogKnobPosition(200, 200));
    EXPECT_EQ(127, JogKnobPosition(65, 200));
    EXPECT_EQ(-1, JogKnobPosition(10, 0));
    EXPECT_STREQ("064", BitrateText(64).GetString());
    EXPECT_STREQ("320", BitrateText(320).GetString());
    EXPECT_STREQ("08000", FrequencyText(8000).GetString());
    EXPECT_STREQ("44100", FrequencyText(44100).GetString());
    EXPECT_STREQ("2", ChannelsText(2).GetString());
    EXPECT_EQ(0, ToggledFxMode(2, 2));
    EXPECT_EQ(2, ToggledFxMode(1, 2));
    EXPECT_EQ(50, ClampStoredEq(90));
    EXPECT_EQ(-50, ClampStoredEq(-51));
    EXPECT_EQ(7, ClampStoredEq(7));
    EXPECT_EQ(100, ClampGainPosition(250));
    EXPECT_EQ(0, ClampGainPosition(-3));
    EXPECT_STREQ("lt-c-live", DeckLightName(2, "live").GetString());
    EXPECT_STREQ("d-sldgain", DeckControlName(3, "sldgain").GetString());
}
