// Packed MIDI short messages: fields, packing and clamping of data bytes.
#include <gtest/gtest.h>

#include "input/midi/MidiBytes.h"

namespace {

TEST(MidiBytesTest, PacksStatusAndDataBytes)
{
    const uint32_t packed = midi::PackShortMessage(0x90, 1, 60, 127);
    EXPECT_EQ(0x007F3C91u, packed);
    EXPECT_EQ(1, midi::ChannelOf(packed));
    EXPECT_EQ(0x90, midi::CommandOf(packed));
    EXPECT_EQ(60, midi::Data1Of(packed));
    EXPECT_EQ(127, midi::Data2Of(packed));
    EXPECT_EQ(0x91, midi::StatusOf(packed));
}

TEST(MidiBytesTest, DataBytesAreClampedNotWrapped)
{
    struct Case
    {
        int data1;
        int data2;
        uint32_t packed;
    } cases[] = {{0, 0, 0x000000B3u},     {127, 127, 0x007F7FB3u}, {128, 0, 0x00007FB3u},
                 {300, -1, 0x00007FB3u},  {-200, 256, 0x007F00B3u}, {64, 1000000, 0x007F40B3u}};
    for (const auto& c : cases)
        EXPECT_EQ(c.packed, midi::PackShortMessage(0xB0, 3, c.data1, c.data2)) << c.data1 << "/" << c.data2;
}

TEST(MidiBytesTest, ClampingAPackedMessageKeepsTheStatus)
{
    struct Case
    {
        uint32_t in;
        uint32_t out;
    } cases[] = {{0x007F3C91u, 0x007F3C91u}, {0x00803C91u, 0x007F3C91u}, {0x0000FFB0u, 0x00007FB0u},
                 {0xFF123456u, 0x00123456u}, {0x00FFFFE0u, 0x007F7FE0u}};
    for (const auto& c : cases)
        EXPECT_EQ(c.out, midi::ClampShortMessage(c.in)) << std::hex << c.in;
}

} // namespace
