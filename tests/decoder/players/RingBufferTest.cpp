#include <gtest/gtest.h>

#include <string.h>

#include "decoder/player/message_codec.h"
#include "decoder/player/ring_buffer.h"

TEST(RingBuffer, HoldsOneByteLessThanItsBlock)
{
    uint8_t block[16];
    ring_buffer ring;
    ring_init(&ring, block, sizeof(block));
    EXPECT_EQ(15u, ring_free(&ring));
    EXPECT_EQ(15u, ring_free_contiguous(&ring));
    const uint8_t data[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    ring_write(&ring, data, 15);
    EXPECT_EQ(0u, ring_free(&ring));
    EXPECT_EQ(15u, ring_used(&ring));
    EXPECT_EQ(3, ring_peek(&ring, 2));
}

TEST(RingBuffer, WrapsAroundTheEnd)
{
    uint8_t block[16];
    ring_buffer ring;
    ring_init(&ring, block, sizeof(block));
    uint8_t data[12];
    for (int i = 0; i < 12; ++i)
        data[i] = static_cast<uint8_t>(i + 1);
    ring_write(&ring, data, 12);
    ring_read(&ring, nullptr, 10); // skip
    EXPECT_EQ(2u, ring_used(&ring));
    ring_write(&ring, data, 12); // wraps
    EXPECT_EQ(14u, ring_used(&ring));
    EXPECT_EQ(6u, ring_used_contiguous(&ring)); // read position to the end
    EXPECT_EQ(1u, ring_free(&ring));
    EXPECT_EQ(1u, ring_free_contiguous(&ring));
    uint8_t out[14];
    ring_read(&ring, out, 14);
    const uint8_t expected[14] = {11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(0, memcmp(expected, out, 14));
    EXPECT_EQ(0u, ring_used(&ring));
    ring_advance_write(&ring, 5);
    ring_advance_read(&ring, 5);
    EXPECT_EQ(0u, ring_used(&ring));
}

TEST(BigEndian, WritersAndReaders)
{
    uint8_t b[4];
    write_be32(b, 0x01020304u);
    EXPECT_EQ(1, b[0]);
    EXPECT_EQ(4, b[3]);
    EXPECT_EQ(0x01020304u, read_be32(b));
    write_be16(b, 0xA1B2);
    EXPECT_EQ(0xA1, b[0]);
    EXPECT_EQ(0xA1B2, read_be16(b));
}
