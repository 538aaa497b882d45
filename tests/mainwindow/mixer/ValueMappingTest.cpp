// The value mapping as tables: which slider or controller command drives
// what, and the controller, knob and wheel arithmetic.
#include "mainwindow/mapping/ValueMapping.h"

#include <gtest/gtest.h>

#include <climits>

using namespace mapping;

namespace
{

TEST(ValueMapping, SlidersByControlId)
{
    struct Row
    {
        int id;
        SliderKind kind;
        int deck;
        int band;
    };
    const Row rows[] = {
        {-101, SliderKind::Crossfader, -1, -1}, {-102, SliderKind::Gain, 0, -1},
        {-105, SliderKind::Gain, 1, -1},        {-116, SliderKind::Gain, 2, -1},
        {-122, SliderKind::Gain, 3, -1},        {-103, SliderKind::Pitch, 0, -1},
        {-106, SliderKind::Pitch, 1, -1},       {-117, SliderKind::Pitch, 2, -1},
        {-123, SliderKind::Pitch, 3, -1},       {-104, SliderKind::Tempo, 0, -1},
        {-107, SliderKind::Tempo, 1, -1},       {-108, SliderKind::Eq, 0, 0},
        {-110, SliderKind::Eq, 0, 2},           {-111, SliderKind::Eq, 1, 0},
        {-113, SliderKind::Eq, 1, 2},           {-118, SliderKind::Eq, 2, 0},
        {-120, SliderKind::Eq, 2, 2},           {-124, SliderKind::Eq, 3, 0},
        {-126, SliderKind::Eq, 3, 2},           {-114, SliderKind::Seek, 0, -1},
        {-115, SliderKind::Seek, 1, -1},        {-121, SliderKind::Seek, 2, -1},
        {-127, SliderKind::Seek, 3, -1},        {-3108, SliderKind::VideoSeek, -1, -1},
        {-3107, SliderKind::VideoVolume, -1, -1}, {-5018, SliderKind::JukeboxVolume, -1, -1},
        {-128, SliderKind::None, -1, -1},       {-100, SliderKind::None, -1, -1},
        {101, SliderKind::None, -1, -1},
    };
    for (const Row& row : rows) {
        SliderTarget target = ClassifySlider(row.id);
        EXPECT_EQ(row.kind, target.kind) << row.id;
        EXPECT_EQ(row.deck, target.deck) << row.id;
        EXPECT_EQ(row.band, target.band) << row.id;
    }
}

TEST(ValueMapping, ControllerCommands)
{
    struct Row
    {
        int id;
        ControllerKind kind;
        int deck;
        int band;
    };
    const Row rows[] = {
        {27318, ControllerKind::Crossfader, -1, -1}, {28001, ControllerKind::Gain, 0, -1},
        {28007, ControllerKind::Gain, 1, -1},        {28002, ControllerKind::Pitch, 0, -1},
        {28008, ControllerKind::Pitch, 1, -1},       {28003, ControllerKind::Eq, 0, 0},
        {28004, ControllerKind::Eq, 0, 1},           {28005, ControllerKind::Eq, 0, 2},
        {28009, ControllerKind::Eq, 1, 0},           {28011, ControllerKind::Eq, 1, 2},
        {28014, ControllerKind::JogWheel, 0, -1},    {28015, ControllerKind::JogWheel, 1, -1},
        {28006, ControllerKind::None, -1, -1},       {27101, ControllerKind::None, -1, -1},
    };
    for (const Row& row : rows) {
        ControllerTarget target = ClassifyControllerCommand(row.id);
        EXPECT_EQ(row.kind, target.kind) << row.id;
        EXPECT_EQ(row.deck, target.deck) << row.id;
        EXPECT_EQ(row.band, target.band) << row.id;
    }
}

struct MapCase
{
    int rlow;
    int rhigh;
    int value;
    int slider;   // gain and pitch slider position
    int knob;     // EQ knob position
};

TEST(ValueMapping, ControllerValuesAroundTheCentre)
{
    const MapCase cases[] = {
        // 0..128: the middle value 64 is the centre exactly.
        {0, 128, 64, 50, 180},
        {128, 0, 64, 50, 180},
        // 0..127 (c = 63.5): offsets 1.264 w (slider) and 2.736 w (knob).
        {0, 127, 0, 100, 30},     // 50 + 80.26 clamped; 180 - 173.7 = 6 -> 30
        {0, 127, 127, 0, 330},    // 50 - 80.26 clamped; 180 + 173.7 -> 330
        {0, 127, 64, 49, 181},    // w = 0.5: 49.37 -> 49, 181.37 -> 181
        {0, 127, 63, 50, 178},    // below: 50.63 -> 50, 178.63 -> 178
        {0, 127, 40, 79, 115},    // w = 23.5: 79.70 -> 79; 180 - 64.30 = 115.70 -> 115
        {0, 127, 100, 3, 279},    // w = 36.5: 3.86 -> 3; 279.86 -> 279
        // Inverted entries (rhigh < rlow) mirror.
        {127, 0, 0, 0, 330},
        {127, 0, 127, 100, 30},
        {127, 0, 40, 20, 244},    // 50 - 29.70 = 20.30 -> 20; 180 + 64.30 -> 244
        // Ranges with no step to scale by map to the centre.
        {0, 2, 0, 50, 180},
        {0, 2, 2, 50, 180},
        {2, 0, 1, 50, 180},
        {5, 5, 9, 50, 180},
        {0, 1, 1, 50, 180},
        // The smallest range with a step: c = 1.5, c - 1 = 0.5.
        {0, 3, 0, 100, 30},
        {0, 3, 3, 0, 330},
    };
    for (const MapCase& c : cases) {
        ControllerRange range{c.rlow, c.rhigh};
        EXPECT_EQ(c.slider, SliderFromController(c.value, range))
            << c.rlow << ".." << c.rhigh << " v " << c.value;
        EXPECT_EQ(c.knob, EqKnobFromController(c.value, range))
            << c.rlow << ".." << c.rhigh << " v " << c.value;
    }
}

TEST(ValueMapping, CrossfaderFromController)
{
    const int rows[][3] = {
        // value, position, inverted position
        {0, -100, 100}, {64, 2, -2}, {62, -0, 0}, {127, 103, -103}, {125, 100, -100}, {1, -98, 98},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row[1], CrossfaderFromController(row[0], ControllerRange{0, 127})) << row[0];
        EXPECT_EQ(row[2], CrossfaderFromController(row[0], ControllerRange{127, 0})) << row[0];
    }
}

TEST(ValueMapping, JogKnobSeeksWithinTheTrack)
{
    EXPECT_EQ(150, JogKnobSeconds(300, 180));
    EXPECT_EQ(0, JogKnobSeconds(300, 30));
    EXPECT_EQ(300, JogKnobSeconds(300, 330));
    EXPECT_EQ(33, JogKnobSeconds(100, 130));   // 33.3 -> 33
    EXPECT_EQ(0, JogKnobSeconds(0, 200));
}

TEST(ValueMapping, JogWheelSteps)
{
    struct Row
    {
        int value;
        bool inverted;
        bool denon;
        int seek;
    };
    const Row rows[] = {
        // Denon: forward above 64 always 3 s, backward 64 - v at most 3.
        {65, false, true, 3},   {100, false, true, 3},  {127, false, true, 3},
        {63, false, true, -1},  {62, false, true, -2},  {61, false, true, -3},
        {0, false, true, -3},   {64, false, true, 0},
        // Others: above 100 forward 127 - v, below 27 backward v, 1 to 3 s.
        {101, false, false, 3}, {125, false, false, 2}, {126, false, false, 1},
        {127, false, false, 1}, {26, false, false, -3}, {2, false, false, -2},
        {1, false, false, -1},  {0, false, false, -1},  {27, false, false, 0},
        {100, false, false, 0}, {64, false, false, 0},
        // Inverted: the directions swap and so do the steps.
        {101, true, false, -3}, {126, true, false, -1}, {127, true, false, -1},
        {26, true, false, 3},   {1, true, false, 1},    {0, true, false, 1},
        {50, true, false, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.seek, JogWheelSeek(row.value, row.inverted, row.denon))
            << "v " << row.value << " inverted " << row.inverted << " denon " << row.denon;
    }
}

} // namespace

namespace
{

// Every controller value of every small and usual range lands inside the
// controls' ranges: no division by zero, no position from an infinity.
TEST(ValueMapping, EveryValueStaysInsideTheControls)
{
    const int ends[] = {-3, 0, 1, 2, 3, 4, 16, 100, 127, 128, 255, 16383};
    int checked = 0;
    for (int rlow : ends) {
        for (int rhigh : ends) {
            const ControllerRange range{rlow, rhigh};
            for (int value = -20; value <= 300; ++value) {
                int slider = SliderFromController(value, range);
                int knob = EqKnobFromController(value, range);
                ASSERT_GE(slider, 0) << rlow << ".." << rhigh << " v " << value;
                ASSERT_LE(slider, 100) << rlow << ".." << rhigh << " v " << value;
                ASSERT_GE(knob, KnobMinimum) << rlow << ".." << rhigh << " v " << value;
                ASSERT_LE(knob, KnobMaximum) << rlow << ".." << rhigh << " v " << value;
                ++checked;
            }
        }
    }
    EXPECT_EQ(12 * 12 * 321, checked);
    // Values and ranges at the ends of int.
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 127, INT_MAX - 1, INT_MAX};
    for (int rlow : extremes) {
        for (int rhigh : extremes) {
            for (int value : extremes) {
                const ControllerRange range{rlow, rhigh};
                int slider = SliderFromController(value, range);
                int knob = EqKnobFromController(value, range);
                EXPECT_TRUE(slider >= 0 && slider <= 100) << rlow << ".." << rhigh << " v " << value;
                EXPECT_TRUE(knob >= KnobMinimum && knob <= KnobMaximum)
                    << rlow << ".." << rhigh << " v " << value;
                int x = CrossfaderFromController(value, range);
                EXPECT_TRUE(x >= -(1 << 20) && x <= (1 << 20)) << value;
                int seek = JogWheelSeek(value, range.Inverted(), rlow == 0);
                EXPECT_TRUE(seek >= -3 && seek <= 3) << value;
            }
        }
    }
}

} // namespace
