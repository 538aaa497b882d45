// The bounded bit reader.
#include <gtest/gtest.h>

#include "decoder/mpeg/mpeg_bits.h"

namespace {

TEST(MpegBits, ReadsMostSignificantFirstAcrossBytes)
{
    const uint8_t data[] = {0xA5, 0x3C, 0xFF, 0x01, 0x80};
    mpeg_bits bits(data, sizeof(data));
    EXPECT_EQ(1u, bits.read(1));
    EXPECT_EQ(0x2u, bits.read(3));     // 010
    EXPECT_EQ(0x53u, bits.read(8));    // 0101 0011
    EXPECT_EQ(0xCFF01u, bits.read(20)); // 1100 1111 1111 0000 0001
    EXPECT_EQ(8u, bits.bits_left());
    EXPECT_FALSE(bits.overrun());
    bits.unread(32);
    EXPECT_EQ(0xA53CFF01u, bits.read(32));
    EXPECT_EQ(1u, bits.read_bit());
    EXPECT_EQ(0u, bits.read(7));
    EXPECT_FALSE(bits.overrun());
}

TEST(MpegBits, ReadsPastTheEndGiveZeroAndFlagOverrun)
{
    const uint8_t data[] = {0xFF, 0xFF};
    mpeg_bits bits(data, sizeof(data));
    EXPECT_EQ(0x3FFu, bits.read(10));
    // 6 bits remain; a 10-bit read gets them followed by zeros.
    EXPECT_EQ(0x3F0u, bits.read(10));
    EXPECT_TRUE(bits.overrun());
    EXPECT_EQ(0u, bits.read(32));
    EXPECT_EQ(0u, bits.bits_left());

    mpeg_bits empty(nullptr, 0);
    EXPECT_EQ(0u, empty.read(5));
    EXPECT_TRUE(empty.overrun());

    mpeg_bits skipping(data, sizeof(data));
    skipping.skip(17);
    EXPECT_TRUE(skipping.overrun());
}

} // namespace
